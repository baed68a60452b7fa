#include "dialogs/theme_editing.h"

#include "reader/reader_geometry.h"
#include "text/code_page.h"

#include <algorithm>

namespace quillmoth {

namespace {

// A file name holds at most 255 bytes on the file systems books live on.
constexpr std::size_t kLongestFileName = 255;

bool isSpace(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\u3000' || unit == u'\u00A0';
}

} // namespace

std::u16string trimmedThemeName(std::u16string_view name)
{
    while (!name.empty() && isSpace(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && isSpace(name.back()))
        name.remove_suffix(1);
    return std::u16string(name);
}

std::optional<ThemeNameProblem> themeNameProblem(std::u16string_view typed)
{
    const std::u16string name = trimmedThemeName(typed);
    if (name.empty())
        return ThemeNameProblem::Empty;
    if (name.find_first_of(u"/\\") != std::u16string::npos ||
        name.find(u'\0') != std::u16string::npos)
        return ThemeNameProblem::Separator;
    if (name == u"." || name == u"..")
        return ThemeNameProblem::DotName;
    if (utf8FromUtf16(name + u".thm").size() > kLongestFileName)
        return ThemeNameProblem::TooLong;
    return std::nullopt;
}

bool fitsThemeField(std::u16string_view text)
{
    return text.find_first_of(std::u16string_view(u",\r\n\0", 4)) == std::u16string_view::npos;
}

int opacityPercent(int left, int trackWidth)
{
    const int span = trackWidth - kSliderThumbWidth;
    if (span <= 0)
        return 100;
    return std::clamp(roundHalfEvenToInt(100.0 * left / span), 0, 100);
}

int sliderLeft(double percent, int trackWidth)
{
    const int span = std::max(trackWidth - kSliderThumbWidth, 0);
    return std::clamp(roundHalfEvenToInt(percent * span / 100.0), 0, span);
}

ThemeRecord themeToSave(ThemeRecord edited)
{
    if (edited.BgImagePath.empty())
        edited.BgOpacity = -1;
    if (edited.CornerImagePath.empty())
        edited.CornerOpacity = -1;
    edited.FontSize = std::max(edited.FontSize, 1);
    return edited;
}

std::u16string fontSizeText(std::int32_t fontSize)
{
    const std::string digits = std::to_string(fontSize < 7 ? 9 : fontSize);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace quillmoth
