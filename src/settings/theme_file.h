#pragma once

// Theme files: Settings/Themes/<name>.thm, the theme's name being the file
// name without ".thm" (the default theme is the file ".thm", empty name).
//
// A theme file is one line: the 19 fields of ThemeRecord in declaration order,
// separated by single commas, no spaces, no quoting, then one NUL character
// and CR LF. The default theme is exactly
//
//     100,100,,,,,,-1,-1,0,9,Tahoma,0,False,False,False,0,False,False<NUL><CR><LF>
//
//   0 BgOpacity, 1 CornerOpacity       shortest decimal, "." as decimal point: 100, 85.5, -1
//   2 BgImagePath, 3 CornerImagePath,  image files; 6 AlbumPath is a folder. Relative
//   4 BookMarkImagePath,               paths are taken from the program folder
//   5 OneForAllImagePath, 6 AlbumPath  ("Pics/BackGround/paper.jpg"), "/" between parts;
//                                      empty means none; a path that does not exist
//                                      loads as empty
//   7 OutlineColor, 8 PaperColor,      decimal colour red + 256 green + 65536 blue, or -1
//   9 FontColor, 12 ChapterTitleColor  for none
//   10 FontSize                        points, decimal
//   11 FontName                        the font family, as is
//   13 ColorizeChapterTitle,           "True" or "False"
//   14 ListUpChapters,
//   15 ReformatParagraphs,
//   17 FontBold, 18 FontItalic
//   16 LineSpace                       extra pixels between lines, 0 to 5
//
// Files are written in UTF-8; a file that is not valid UTF-8 is read in the
// ANSI code page. No field can hold a comma, NUL, CR or LF.

#include "settings/theme_record.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillmoth {

class AnsiCodePage;
struct SettingsDocument;
struct UISettings;

// Everything the theme procedures read and change besides the file itself.
struct ThemeContext {
    ThemeRecord &theme;                   // the current theme
    UISettings &settings;                 // its name, CurrentTheme
    SettingsDocument &document;           // where "Scheme" is stored
    std::filesystem::path ThemesFolder;   // Settings/Themes under the program folder
    std::filesystem::path programFolder;  // relative paths in theme files start here
    const AnsiCodePage &codePage;         // for theme files that are not UTF-8
};

// Settings/Themes under the program folder.
std::filesystem::path themesFolder(const std::filesystem::path &programFolder);

// True when a theme name, with ".thm" after it, is one file name in the themes
// folder: no "/", "\" or NUL, and nothing this platform reads as a root (such
// as a drive letter). The empty name, the default theme ".thm", is safe. A
// name from the settings file or the theme list is used only when it is safe.
bool isSafeThemeName(std::u16string_view name);

// The file of a theme: the themes folder, the name and ".thm". For a name that
// is not safe, an empty path, which names no file.
std::filesystem::path themeFilePath(const std::filesystem::path &themesFolder,
                                    std::u16string_view name);

// The path a theme file's path field stands for, or an empty path when
// nothing of the kind exists there.
enum class ThemePathKind { File, FileOrFolder };
using ThemePathCheck =
    std::function<std::filesystem::path(std::u16string_view text, ThemePathKind kind)>;

// The check used when loading: relative paths start at the program folder,
// and a path written with "\" separators is tried with "/" as well.
ThemePathCheck existingPathCheck(const std::filesystem::path &programFolder);

// Reads the fields of a theme file's text into `theme`. Missing path fields
// become empty, other missing fields keep their values; a numeric field
// without a number gives 0, one out of range keeps its value; a Boolean field
// that is neither "True" nor "False" (any case) nor a number keeps its value.
void readThemeFields(std::u16string_view text, ThemeRecord &theme, const ThemePathCheck &check);

// The theme's line, NUL and CR LF included; nothing when a text field holds a
// character the format cannot store, `badField` then gets its number. Paths
// inside the program folder are written relative to it.
std::optional<std::u16string> themeFileLine(const ThemeRecord &theme,
                                            const std::filesystem::path &programFolder,
                                            int *badField = nullptr);

// Writes a theme file in UTF-8, atomically. On failure (also for an empty
// path) nothing changes on disk and `error` says why.
bool writeThemeFile(const std::filesystem::path &path, const ThemeRecord &theme,
                    const std::filesystem::path &programFolder, std::u16string *error = nullptr);

// Loads the theme file at `path` into the current theme; a missing file is
// first replaced by the default theme (CreateDefaultTheme), which is loaded
// instead. Always true.
bool GetThmSettings(const std::filesystem::path &path, ThemeContext &context);

// Start-up: loads the theme the settings name (CurrentTheme). A name that is
// not safe is a missing theme: the default theme is created and used, and no
// file the name points at is read or written. Always true.
bool loadCurrentTheme(ThemeContext &context);

// Resets the current theme to the defaults, writes it as the theme with the
// empty name unless that file exists (it may hold the user's edits), makes
// that name current and stores it as "Scheme". Returns the path of the file.
std::filesystem::path CreateDefaultTheme(ThemeContext &context);

} // namespace quillmoth
