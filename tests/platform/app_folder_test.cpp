#include "text/app_folder.h"

#include "app_test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

// Existing folders and files are left alone, a file in the way is reported
// and everything else is still made; the default book folder is not
// invented: without it the tree shows the drives. The names are the ones
// existing program folders have on disk (the themes and the cover thumbnails
// are found there by the journeys too).
TEST(AppFolder, CreateMissingFoldersBuildsWhatIsMissingAndReportsAFileInTheWay)
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
    for (const char *name : {"Settings/CoverThumbs", "Settings/DATA", "Pics/BackGround",
                             "Pics/Corner", "Pics/BookMark", "Pics/Illurstration"})
        EXPECT_TRUE(fs::is_directory(scratch.path() / name)) << name;
    EXPECT_FALSE(fs::exists(folder.defaultBookFolder()));

    fs::remove(scratch.path() / "Lan");
    EXPECT_EQ(folder.createMissingFolders().created, std::vector<fs::path>{folder.languageFolder()});
}

// Each language has its help page and falls back to the other one; with
// neither, the English page is asked for.
TEST(AppFolder, HelpFilePathFollowsTheLanguageAndFallsBackToTheOtherPage)
{
    const ScratchFolder scratch;
    const AppFolder folder(scratch.path());
    const fs::path english = scratch.path() / "Help.html", chinese = scratch.path() / fs::path(u8"帮助.html");
    writeFile(chinese, "zh");
    EXPECT_EQ(folder.helpFilePath(u"English"), chinese);
    writeFile(english, "en");
    EXPECT_EQ(folder.helpFilePath(u"English"), english);
    EXPECT_EQ(folder.helpFilePath(u"ChineseT"), chinese);
    fs::remove(chinese);
    EXPECT_EQ(folder.helpFilePath(u"ChineseS"), english);
    fs::remove(english);
    EXPECT_EQ(folder.helpFilePath(u"English"), english);
}
