#pragma once

#include "settings/vb_xml.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillmoth {

class LanguageTable;

// The settings document and the file it lives in (Settings/UIsettings.xml).
struct SettingsDocument {
    vbXML xml;
    std::filesystem::path SettingsFilePath;
};

// The nine values of the settings file as the program uses them.
struct UISettings {
    std::u16string CurrentTheme;            // "Scheme": the theme in use; "" addresses ".thm"
    std::filesystem::path DefaultFolder;    // the folder the shelf shows at start
    std::u16string CoverShowStyle;          // "Shelf", "Curtain", "Slide" or "FadeIn"
    std::u16string UserLanguage;            // "English", "ChineseS", "ChineseT" or "User"
    std::filesystem::path backgroundImagePath;  // "UIbgImgPath"
    std::u16string padSize = u"90";         // "PadSize": "60" to "100", percent of the screen
    bool ForceBIG5 = false;                 // "Big5"
    std::int32_t glassColor = 0;            // "GlassColor": the glass pane and the tree's back
    std::optional<std::int32_t> foreColor;  // "ForeColor": the tree's text; none keeps its own
};

// The settings file the program ships, also used to re-create a missing or
// damaged one.
std::string_view defaultSettingsXml();

// Settings/UIsettings.xml under the program folder.
std::filesystem::path settingsFilePath(const std::filesystem::path &programFolder);

// The default window background, Settings/UIbg.jpg under the program folder.
std::filesystem::path defaultBackgroundImagePath(const std::filesystem::path &programFolder);

// What the window is told when the settings file could not be loaded.
struct SettingsErrorReport {
    std::filesystem::path path;        // the settings file
    std::u16string message;            // the "LoadSettingsError" text
    std::filesystem::path keptCopy;    // where the unreadable file was kept; empty when none
};

// Shows the report (the bookshelf window: a message box with OK and Cancel
// titled with its caption).
using SettingsErrorHandler = std::function<void(const SettingsErrorReport &report)>;

// The text shown before any language file has been loaded.
inline constexpr std::u16string_view kLoadSettingsErrorFallback =
    u"The settings file could not be read. The default settings are used instead.";

// Hands the "LoadSettingsError" message for `path` to `handler`: the text of
// the language table, or the English fallback while the table lacks it.
void ReportSettingsError(const std::filesystem::path &path, const LanguageTable &language,
                         const SettingsErrorHandler &handler,
                         const std::filesystem::path &keptCopy = {});

// Reads the settings file into `settings`. A missing file is re-created from
// the default. A damaged one is kept beside it as "UIsettings.xml.bad", the
// error is reported, and the default takes its place. Relative folder and
// image paths are taken from the program folder. False when there is no
// settings file and none can be made: the values are then the defaults, in
// memory only.
bool LoadUISettings(SettingsDocument &document, UISettings &settings,
                    const std::filesystem::path &programFolder, const LanguageTable &language,
                    const SettingsErrorHandler &reportError);

// Writes one value: reloads the file (so changes made by others survive),
// sets the text of the root's child element `key` (creating it when missing),
// and saves atomically. A missing file is first re-created from the default.
// Returns false, changing nothing on disk, when the file cannot be loaded or
// saved or `key` cannot name an element.
bool WriteSetting(SettingsDocument &document, std::u16string_view key, std::u16string_view value);

// A colour stored as a decimal number, or nothing when the text is not a
// whole number from 0 to 16777215.
std::optional<std::int32_t> parseSettingsColor(std::u16string_view text);

// "True", "False" (any case), or a number (0 is false); anything else is false.
bool parseSettingsBoolean(std::u16string_view text);

} // namespace quillmoth
