#include "settings/language_table.h"

#include "text/app_folder.h"

#include "text/text_decoding.h"

#include <unicode/uchar.h>

#include <fstream>
#include <system_error>

namespace quillmoth {
namespace {

constexpr CaptionBinding kMainWindowCaptions[] = {
    {u"lblThemeLabel", 0, u"Book Decoration Themes", {}},
    {u"lblThemeLabel", 1, u"Current", {}},
    {u"BtnTheme", 0, u"Apply", {}},
    {u"BtnTheme", 1, u"Modify", {}},
    {u"BtnTheme", 2, u"Delete", {}},
    {u"BtnTheme", 3, u"New", {}},
};

constexpr CaptionBinding kPreferenceCaptions[] = {
    {u"eLabel1", 1, u"Thumb-Show Style", {}},
    {u"eLabel1", 2, u"ReadingPad Size", {}},
    {u"eLabel1", 3, u"Language", {}},
    {u"eLabel1", 4, u"Prefered UI Color", {}},
    {u"eLabel1", 5, u"UI Default", {}},
    {u"eButton1", 0, u"UI BackGround Image", {}},
    {u"eButton1", 1, u"Default Folder", {}},
    {u"eButton1", 2, u"Close", {}},
    {u"eOption1", 0, u"Book Shelf", {}},
    {u"eOption1", 1, u"Curtain", {}},
    {u"eOption1", 2, u"Slide In", {}},
    {u"eOption1", 3, u"Fade In", {}},
    {u"eOption1", 10, {}, u"中文(简化)"},
    {u"eOption1", 11, {}, u"中文(傳統)"},
    {u"eOption1", 13, u"Glass Color", {}},
    {u"eOption1", 14, u"Text Color", {}},
};

constexpr CaptionBinding kThemeEditorCaptions[] = {
    {u"BtnTheme", 0, u"Images/Path/OpaqueValue", {}},
    {u"BtnTheme", 1, u"Font/Size/Color", {}},
    {u"BtnTheme", 2, u"Miscellaneous", {}},
    {u"eLabel2", 0, u"BackGround", {}},
    {u"eLabel2", 1, u"Corner", {}},
    {u"eLabel2", 2, u"Illustration", {}},
    {u"chkImagePath", 0, u"Background Image", {}},
    {u"chkImagePath", 1, u"Corner Image", {}},
    {u"chkImagePath", 2, u"BookMark Image", {}},
    {u"chkImagePath", 3, u"One-For-All Image", {}},
    {u"chkImagePath", 4, u"Album path", {}},
    {u"chkThemeColor", 0, u"Font Color", {}},
    {u"chkThemeColor", 1, u"Paper Color", {}},
    {u"chkThemeColor", 2, u"OutLine Color", {}},
    {u"chkFontBold", -1, u"FontBold", {}},
    {u"chkFontItalic", -1, u"FontItalic", {}},
    {u"chkMisc", 0, u"Reformate text paragraph", {}},
    {u"chkMisc", 1, u"List up Chapters", {}},
    {u"chkMisc", 2, u"Colorize Chapter Title", {}},
    {u"chkMisc", 3, u"Line Space", {}},
    {u"BtnClose", -1, u"Close", {}},
    {u"BtnSaveAs", -1, u"Save as", {}},
};

} // namespace

std::u16string LanguageTable::foldedKey(std::u16string_view key)
{
    std::u16string folded(key);
    for (char16_t &unit : folded)
        unit = char16_t(u_foldCase(unit, U_FOLD_CASE_DEFAULT));
    return folded;
}

std::optional<std::u16string> LanguageTable::text(std::u16string_view key) const
{
    const auto found = m_texts.find(foldedKey(key));
    if (found == m_texts.end())
        return std::nullopt;
    return found->second;
}

std::u16string LanguageTable::textOrKey(std::u16string_view key) const
{
    return text(key).value_or(std::u16string(key));
}

void LanguageTable::insert(std::u16string_view key, std::u16string text)
{
    m_texts.insert_or_assign(foldedKey(key), std::move(text));
}

LanguageTable LanguageTable::fromText(std::u16string_view text)
{
    LanguageTable table;
    // Only CR LF ends a line; a bare LF stays inside the text of its line.
    std::size_t start = 0;
    for (std::size_t line = 0; line < kLanguageKeys.size() && start < text.size(); ++line) {
        const std::size_t end = text.find(u"\r\n", start);
        const std::size_t stop = end == std::u16string_view::npos ? text.size() : end;
        table.insert(kLanguageKeys[line], std::u16string(text.substr(start, stop - start)));
        if (end == std::u16string_view::npos)
            break;
        start = end + 2;
    }
    return table;
}

bool LoadLanguage(const std::filesystem::path &path, LanguageTable &table)
{
    std::error_code error;
    const bool exists = std::filesystem::exists(path, error);
    std::u16string text = ReadTextFile(path, "utf-8", false, 0);
    // ReadTextFile gives "" for a missing file, an empty one and one it could
    // not read; only the last keeps the table as it was.
    if (text.empty() && exists) {
        const bool readable = std::filesystem::is_regular_file(path, error) &&
                              std::filesystem::file_size(path, error) <= kLargestReadableFile &&
                              !error && std::ifstream(path, std::ios::binary).good();
        if (!readable)
            return false;
    }
    table = LanguageTable::fromText(text);
    return true;
}

std::filesystem::path languageFolder(const std::filesystem::path &programFolder)
{
    return AppFolder(programFolder).languageFolder();
}

std::filesystem::path languageFilePath(const std::filesystem::path &programFolder,
                                       std::u16string_view languageName)
{
    return AppFolder(programFolder).LanguageFilePath(languageName);
}

std::filesystem::path chooseLanguageFile(const std::filesystem::path &programFolder,
                                         std::u16string &languageName,
                                         std::u16string_view fallback)
{
    std::filesystem::path path = languageFilePath(programFolder, languageName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        languageName = fallback;
        path = languageFilePath(programFolder, languageName);
    }
    return path;
}

std::span<const CaptionBinding> captionBindings(std::u16string_view windowName)
{
    if (windowName == u"frmMain")
        return kMainWindowCaptions;
    if (windowName == u"frmPreference")
        return kPreferenceCaptions;
    if (windowName == u"frmThemeSet")
        return kThemeEditorCaptions;
    return {};
}

void ApplyLanguage(const LanguageTable &table, std::span<const CaptionBinding> bindings,
                   const std::function<void(const CaptionBinding &binding,
                                            std::u16string_view caption)> &setCaption)
{
    for (const CaptionBinding &binding : bindings) {
        if (binding.key.empty()) {
            setCaption(binding, binding.fixedText);
            continue;
        }
        if (const std::optional<std::u16string> caption = table.text(binding.key))
            setCaption(binding, *caption);
    }
}

} // namespace quillmoth
