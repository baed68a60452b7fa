#include "text/app_folder.h"

#include "app_test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

TEST(AppFolder, Paths_AreTheLayoutUnderTheExecutablesFolder)
{
    const AppFolder folder = AppFolder::fromExecutable("/opt/Quillmoth/quillmoth");
    EXPECT_EQ(folder.root(), fs::path("/opt/Quillmoth"));
    EXPECT_EQ(folder.SettingsFilePath(), fs::path("/opt/Quillmoth/Settings/UIsettings.xml"));
    EXPECT_EQ(folder.ThemesFolder().string(), "/opt/Quillmoth/Settings/Themes");
    EXPECT_EQ(folder.CoverThumbsFolder().string(), "/opt/Quillmoth/Settings/CoverThumbs");
    EXPECT_EQ(folder.BookmarkFilePath(), fs::path("/opt/Quillmoth/Settings/BMK.ini"));
    EXPECT_EQ(folder.dataFilePath("Cvr.dat"), fs::path("/opt/Quillmoth/Settings/DATA/Cvr.dat"));
    EXPECT_EQ(folder.defaultBackgroundPath(), fs::path("/opt/Quillmoth/Settings/UIbg.jpg"));
    EXPECT_EQ(folder.picturesFolder(PictureFolder::Illurstration),
              fs::path("/opt/Quillmoth/Pics/Illurstration"));
    EXPECT_EQ(folder.defaultBookFolder(), utf8Path(u8"/opt/Quillmoth/我的藏书"));
}

TEST(AppFolder, LanguageFilePath_KeepsNamesOutsideAscii)
{
    const AppFolder folder("/q");
    EXPECT_EQ(folder.LanguageFilePath(u"ChineseS"), fs::path("/q/Lan/ChineseS.lan"));
    EXPECT_EQ(folder.LanguageFilePath(u"简体"), utf8Path(u8"/q/Lan/简体.lan"));
    EXPECT_EQ(folder.LanguageFilePath(u""), fs::path("/q/Lan/.lan"));
}

TEST(AppFolder, CreateMissingFolders_BuildsTheWholeLayoutInAnEmptyFolder)
{
    const ScratchFolder scratch;
    const AppFolder folder(scratch.path());
    const FolderLayoutResult result = folder.createMissingFolders();
    EXPECT_TRUE(result.isComplete());
    EXPECT_EQ(result.created.size(), folder.layoutFolders().size());
    for (const char *name : {"Settings", "Settings/Themes", "Settings/CoverThumbs", "Settings/DATA", "Lan",
                             "Pics/BackGround", "Pics/Corner", "Pics/BookMark", "Pics/Illurstration"})
        EXPECT_TRUE(fs::is_directory(scratch.path() / name)) << name;
    // The default book folder is not invented: without it the tree shows the drives.
    EXPECT_FALSE(fs::exists(folder.defaultBookFolder()));

    const FolderLayoutResult again = folder.createMissingFolders();
    EXPECT_TRUE(again.isComplete());
    EXPECT_TRUE(again.created.empty());
}

TEST(AppFolder, CreateMissingFolders_LeavesWhatExistsAndReportsAFileInTheWay)
{
    const ScratchFolder scratch;
    const AppFolder folder(scratch.path());
    writeFile(folder.ThemesFolder() / "Sepia.thm", "theme");
    writeFile(scratch.path() / "Lan", "not a folder");

    const FolderLayoutResult result = folder.createMissingFolders();
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0].first, folder.languageFolder());
    EXPECT_EQ(readFile(scratch.path() / "Lan"), "not a folder");
    EXPECT_EQ(readFile(folder.ThemesFolder() / "Sepia.thm"), "theme");
    // Everything else was still created.
    EXPECT_TRUE(fs::is_directory(folder.dataFolder()));
    EXPECT_TRUE(fs::is_directory(folder.picturesFolder(PictureFolder::BookMark)));
}

TEST(AppFolder, HelpFilePath_FollowsTheLanguageAndFallsBackToTheOtherPage)
{
    const ScratchFolder scratch;
    const AppFolder folder(scratch.path());
    const fs::path english = scratch.path() / "Help.html";
    const fs::path chinese = scratch.path() / utf8Path(u8"帮助.html");
    writeFile(english, "en");
    writeFile(chinese, "zh");
    EXPECT_EQ(folder.helpFilePath(u"English"), english);
    EXPECT_EQ(folder.helpFilePath(u"ChineseS"), chinese);
    EXPECT_EQ(folder.helpFilePath(u"ChineseT"), chinese);

    fs::remove(chinese);
    EXPECT_EQ(folder.helpFilePath(u"ChineseS"), english);
    fs::remove(english);
    EXPECT_EQ(folder.helpFilePath(u"English"), english);
}
