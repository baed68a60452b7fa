#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillmoth {

// The keys of the interface texts. Line k of a language file holds the text
// of key k; the order is fixed by the files already shipped and translated.
inline constexpr std::array<std::u16string_view, 69> kLanguageKeys = {
    u"Book Decoration Themes", u"Current", u"Apply", u"Modify", u"Delete", u"New",
    u"ChangeCoverThumb", u"ReadClipboard", u"Erase this Thumb", u"UIPreference", u"Close",
    u"Default Folder", u"UI BackGround Image", u"UI Default", u"Glass Color", u"Text Color",
    u"Prefered UI Color", u"Language", u"ReadingPad Size", u"Book Shelf", u"Curtain",
    u"Slide In", u"Fade In", u"Thumb-Show Style", u"Images/Path/OpaqueValue", u"Background",
    u"Corner", u"Background Image", u"Corner Image", u"BookMark Image", u"Illustration",
    u"One-For-All Image", u"Album path", u"Font/Size/Color", u"Font Color", u"Paper Color",
    u"OutLine Color", u"Miscellaneous", u"Save as", u"Reformate text paragraph",
    u"List up Chapters", u"Colorize Chapter Title", u"Line Space", u"Folder Contains No Pics",
    u"Please designate default folder", u"Loading Error!", u"Please Restart me",
    u"NoSubfolderFound", u"Save file Error", u"New theme name?", u"UnkownErrorTerminate",
    u"Clipboard text too short", u"Error occured! Delete the theme?", u"IsItNecessary",
    u"SelectBeforeProceed", u"ThemeIsInUse", u"ConfirmDelete", u"User.lanNotFound",
    u"LoadSettingsError", u"Failed", u"FileExisted_replace", u"Chapter List", u"JumpToPage",
    u"AddBookMark", u"DeleteBookMark", u"BookMarkExist", u"FontBold", u"FontItalic", u"Help",
};

// The interface texts by key. Keys match without regard to letter case
// ("BackGround" finds "Background"). A key that is not in the table is an
// error the caller sees: text() gives nothing.
class LanguageTable {
public:
    // The text of a key, or nothing when the table has no such key.
    [[nodiscard]] std::optional<std::u16string> text(std::u16string_view key) const;

    // The text of a key, or the key itself when the table lacks it; for
    // messages that must say something even with an incomplete language file.
    std::u16string textOrKey(std::u16string_view key) const;

    // Adds or replaces the text of a key.
    void insert(std::u16string_view key, std::u16string text);

    std::size_t size() const { return m_texts.size(); }
    bool empty() const { return m_texts.empty(); }

    // Builds a table from a language file's text: line k (lines end with
    // CR LF) is the text of kLanguageKeys[k]; missing lines leave their keys
    // out, lines after the last key are ignored.
    static LanguageTable fromText(std::u16string_view text);

private:
    static std::u16string foldedKey(std::u16string_view key);
    std::unordered_map<std::u16string, std::u16string> m_texts;
};

// Replaces `table` with the texts of the language file at `path` (UTF-8, with
// or without a byte-order mark). A missing file gives an empty table. A file
// that exists but cannot be read leaves the table as it was and gives false.
bool LoadLanguage(const std::filesystem::path &path, LanguageTable &table);

// The language folder under the program folder.
std::filesystem::path languageFolder(const std::filesystem::path &programFolder);

// The file of a language: the language folder, the name and ".lan".
std::filesystem::path languageFilePath(const std::filesystem::path &programFolder,
                                       std::u16string_view languageName);

// The language name every start falls back to when the chosen file is missing.
inline constexpr std::u16string_view kFallbackLanguage = u"ChineseS";

// The file to load for `languageName`. When no such file exists the name
// becomes `fallback` (in memory only; the settings file is not changed) and
// the path is built from it.
std::filesystem::path chooseLanguageFile(const std::filesystem::path &programFolder,
                                         std::u16string &languageName,
                                         std::u16string_view fallback = kFallbackLanguage);

// One caption a window takes from the language table: the control, its index
// in a control array (-1 for a single control), and either a key of the table
// or a fixed text that no language changes.
struct CaptionBinding {
    std::u16string_view control;
    int index = -1;
    std::u16string_view key;
    std::u16string_view fixedText;
};

// The captions of a window by its name ("frmMain", "frmPreference",
// "frmThemeSet"), in the order they are set; empty for any other window.
std::span<const CaptionBinding> captionBindings(std::u16string_view windowName);

// Sets the captions of a window through `setCaption`, in order. A key missing
// from the table is skipped, so that control keeps the caption it has.
void ApplyLanguage(const LanguageTable &table, std::span<const CaptionBinding> bindings,
                   const std::function<void(const CaptionBinding &binding,
                                            std::u16string_view caption)> &setCaption);

} // namespace quillmoth
