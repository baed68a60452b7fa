#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmoth {

// The picture folders the theme editor offers, under "Pics". The folder name
// "Illurstration" is spelled that way on purpose: existing theme files and
// user folders use it.
enum class PictureFolder { BackGround, Corner, BookMark, Illurstration };

// What creating the missing folders of the layout did.
struct FolderLayoutResult {
    std::vector<std::filesystem::path> created;
    // Folders that were missing and could not be created, each with the reason.
    std::vector<std::pair<std::filesystem::path, std::string>> failed;

    bool isComplete() const { return failed.empty(); }
};

// Where everything the program keeps lives, computed from the folder of the
// executable. A plain value: main() keeps one copy in the program state and
// tests build their own around a scratch folder.
class AppFolder {
public:
    explicit AppFolder(std::filesystem::path root);
    // A program folder whose Settings live under another folder: an installed
    // program the user cannot write to keeps the user's settings apart.
    AppFolder(std::filesystem::path root, std::filesystem::path settingsRoot);

    // The folder that holds the executable.
    static AppFolder fromExecutable(const std::filesystem::path &executablePath);

    const std::filesystem::path &root() const { return m_root; }
    // The folder that holds Settings/: the program folder, or the user's own.
    const std::filesystem::path &settingsRoot() const { return m_settingsRoot; }

    // Settings/UIsettings.xml
    std::filesystem::path SettingsFilePath() const;
    // Settings/Themes, without a trailing separator.
    std::filesystem::path ThemesFolder() const;
    // Settings/CoverThumbs, without a trailing separator.
    std::filesystem::path CoverThumbsFolder() const;
    // Settings/BMK.ini
    std::filesystem::path BookmarkFilePath() const;
    // Lan/<language>.lan
    std::filesystem::path LanguageFilePath(std::u16string_view language) const;

    std::filesystem::path settingsFolder() const;
    std::filesystem::path languageFolder() const;
    // Settings/DATA, where the built-in pictures are written out.
    std::filesystem::path dataFolder() const;
    // Settings/DATA/<fileName>, for example "Cvr.dat".
    std::filesystem::path dataFilePath(std::string_view fileName) const;
    // Settings/UIbg.jpg, the window background used when none is configured.
    std::filesystem::path defaultBackgroundPath() const;
    // Settings/.instance.lock, held while the program runs.
    std::filesystem::path instanceLockPath() const;
    std::filesystem::path picturesFolder(PictureFolder folder) const;
    // 我的藏书, the book folder opened when none is configured.
    std::filesystem::path defaultBookFolder() const;
    // The help page for a language: Help.html for English, 帮助.html for the
    // others (the Chinese page), falling back to whichever of the two exists.
    std::filesystem::path helpFilePath(std::u16string_view language) const;

    // Every folder of the layout, parents before children. The default book
    // folder is not among them: when it is missing the tree shows the drives.
    std::vector<std::filesystem::path> layoutFolders() const;

    // Creates the folders of the layout that are missing. Existing folders and
    // their contents are left alone; a file standing where a folder belongs is
    // reported, never removed.
    FolderLayoutResult createMissingFolders() const;

    bool operator==(const AppFolder &other) const = default;

private:
    std::filesystem::path m_root;
    std::filesystem::path m_settingsRoot;
};

} // namespace quillmoth
