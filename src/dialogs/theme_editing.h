#pragma once

#include "settings/theme_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmoth {

// The rules of the theme editor that need no window.

// Why a name typed for "Save as" cannot name a theme file, or nothing when it
// can. `name` is taken trimmed of spaces at both ends.
enum class ThemeNameProblem { Empty, Separator, DotName, TooLong };
std::optional<ThemeNameProblem> themeNameProblem(std::u16string_view name);

// The name trimmed of white space at both ends, as it is saved.
std::u16string trimmedThemeName(std::u16string_view name);

// True when a text can stand in a theme file's field: the fields are split at
// commas and the line ends at NUL, CR or LF.
bool fitsThemeField(std::u16string_view text);

// The width of an opacity slider's thumb.
inline constexpr int kSliderThumbWidth = 16;

// The opacity in percent for a thumb whose left edge stands `left` pixels
// into a track `trackWidth` wide: 100 × left / (trackWidth − 16), to the
// nearest whole number (halves to even), 0 to 100.
int opacityPercent(int left, int trackWidth);
// Where the thumb stands for an opacity.
int sliderLeft(double percent, int trackWidth);

// The record the editor saves: an opacity without its picture is -1, the
// font size at least 1.
ThemeRecord themeToSave(ThemeRecord edited);

// The size box's text for a theme's font size: "9" below 7.
std::u16string fontSizeText(std::int32_t fontSize);

} // namespace quillmoth
