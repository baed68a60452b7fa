#include "text/app_folder.h"

#include <system_error>
#include <utility>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

const char8_t *pictureFolderName(PictureFolder folder)
{
    switch (folder) {
    case PictureFolder::BackGround:
        return u8"BackGround";
    case PictureFolder::Corner:
        return u8"Corner";
    case PictureFolder::BookMark:
        return u8"BookMark";
    case PictureFolder::Illurstration:
        return u8"Illurstration";
    }
    return u8"BackGround";
}

} // namespace

AppFolder::AppFolder(fs::path root) : m_root(std::move(root)), m_settingsRoot(m_root) {}

AppFolder::AppFolder(fs::path root, fs::path settingsRoot)
    : m_root(std::move(root)), m_settingsRoot(std::move(settingsRoot))
{
}

AppFolder AppFolder::fromExecutable(const fs::path &executablePath)
{
    return AppFolder(executablePath.parent_path());
}

fs::path AppFolder::settingsFolder() const
{
    return m_settingsRoot / u8"Settings";
}

fs::path AppFolder::SettingsFilePath() const
{
    return settingsFolder() / u8"UIsettings.xml";
}

fs::path AppFolder::ThemesFolder() const
{
    return settingsFolder() / u8"Themes";
}

fs::path AppFolder::CoverThumbsFolder() const
{
    return settingsFolder() / u8"CoverThumbs";
}

fs::path AppFolder::BookmarkFilePath() const
{
    return settingsFolder() / u8"BMK.ini";
}

fs::path AppFolder::languageFolder() const
{
    return m_root / u8"Lan";
}

fs::path AppFolder::LanguageFilePath(std::u16string_view language) const
{
    std::u16string fileName(language);
    fileName += u".lan";
    return languageFolder() / fileName;
}

fs::path AppFolder::dataFolder() const
{
    return settingsFolder() / u8"DATA";
}

fs::path AppFolder::dataFilePath(std::string_view fileName) const
{
    return dataFolder() / fs::path(fileName);
}

fs::path AppFolder::defaultBackgroundPath() const
{
    return settingsFolder() / u8"UIbg.jpg";
}

fs::path AppFolder::instanceLockPath() const
{
    return settingsFolder() / u8".instance.lock";
}

fs::path AppFolder::picturesFolder(PictureFolder folder) const
{
    return m_root / u8"Pics" / pictureFolderName(folder);
}

fs::path AppFolder::defaultBookFolder() const
{
    return m_root / u8"我的藏书";
}

fs::path AppFolder::helpFilePath(std::u16string_view language) const
{
    const fs::path english = m_root / u8"Help.html";
    const fs::path chinese = m_root / u8"帮助.html";
    const bool wantsEnglish = language == u"English";
    const fs::path &preferred = wantsEnglish ? english : chinese;
    const fs::path &other = wantsEnglish ? chinese : english;
    std::error_code error;
    if (!fs::is_regular_file(preferred, error) && fs::is_regular_file(other, error))
        return other;
    return preferred;
}

std::vector<fs::path> AppFolder::layoutFolders() const
{
    return {
        settingsFolder(),
        ThemesFolder(),
        CoverThumbsFolder(),
        dataFolder(),
        languageFolder(),
        m_root / u8"Pics",
        picturesFolder(PictureFolder::BackGround),
        picturesFolder(PictureFolder::Corner),
        picturesFolder(PictureFolder::BookMark),
        picturesFolder(PictureFolder::Illurstration),
    };
}

FolderLayoutResult AppFolder::createMissingFolders() const
{
    FolderLayoutResult result;
    for (const fs::path &folder : layoutFolders()) {
        std::error_code error;
        if (fs::is_directory(folder, error))
            continue;
        if (fs::exists(fs::symlink_status(folder, error))) {
            result.failed.emplace_back(folder, "a file of that name is in the way");
            continue;
        }
        if (fs::create_directory(folder, error)) {
            result.created.push_back(folder);
            continue;
        }
        // Another process may have created it in the meantime.
        if (fs::is_directory(folder))
            continue;
        result.failed.emplace_back(folder, error ? error.message()
                                                 : std::string("cannot create the folder"));
    }
    return result;
}

} // namespace quillmoth
