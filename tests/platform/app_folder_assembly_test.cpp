#include "app_folder_assembly.h"

#include "app_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

namespace {

bool contains(const std::vector<fs::path> &paths, const fs::path &path)
{
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// A small resources folder: one theme, one language file, one book.
struct Sources {
    fs::path root;
    explicit Sources(const fs::path &folder)
        : root(folder / "resources")
    {
        writeFile(root / "themes" / ".thm", std::string("100,100,,,,,,-1,-1,0,9,Tahoma,0,False,False,False,0,False,False\0\r\n", 66));
        writeFile(root / "themes" / "Sepia.thm", "sepia v1");
        writeFile(root / "lan" / "English.lan", "english v1");
        writeFile(root / "books" / "Book.txt", "a book");
        writeFile(root / "books" / "notes.md", "not a book");
    }
};

} // namespace

// A file that was there before the build is the user's, and never replaced.
TEST(AppFolderAssembly, FirstRun_CopiesEverythingAndBuildsTheLayout)
{
    const ScratchFolder scratch;
    const Sources sources(scratch.path());
    const fs::path app = scratch.path() / "Quillmoth";
    writeFile(app / "Lan" / "English.lan", "a translation the user brought along");

    const AssemblyReport report = assembleAppFolder(sources.root, app);
    EXPECT_TRUE(report.errors.empty());
    EXPECT_EQ(report.added.size(), 3u);
    EXPECT_EQ(report.kept, std::vector<fs::path>{fs::path("Lan/English.lan")});
    EXPECT_EQ(readFile(app / "Settings" / "Themes" / ".thm").size(), 66u);
    EXPECT_EQ(readFile(app / "Settings" / "Themes" / "Sepia.thm"), "sepia v1");
    EXPECT_EQ(readFile(app / utf8Path(u8"我的藏书") / "Book.txt"), "a book");
    EXPECT_FALSE(fs::exists(app / utf8Path(u8"我的藏书") / "notes.md"));
    // Sources that are not there yet (settings, pictures, help) are skipped.
    EXPECT_FALSE(fs::exists(app / "Settings" / "UIsettings.xml"));
    for (const char *folder : {"Settings/CoverThumbs", "Settings/DATA", "Pics/Illurstration"})
        EXPECT_TRUE(fs::is_directory(app / folder)) << folder;

    EXPECT_TRUE(assembleAppFolder(sources.root, app).kept.empty());
    EXPECT_EQ(readFile(app / "Lan" / "English.lan"), "a translation the user brought along");
}

TEST(AppFolderAssembly, Rerun_UpdatesUntouchedFilesButKeepsTheUsersChanges)
{
    const ScratchFolder scratch;
    const Sources sources(scratch.path());
    const fs::path app = scratch.path() / "Quillmoth";
    ASSERT_TRUE(assembleAppFolder(sources.root, app).errors.empty());

    // Nothing changed: nothing is written.
    const AssemblyReport quiet = assembleAppFolder(sources.root, app);
    EXPECT_TRUE(quiet.added.empty() && quiet.updated.empty() && quiet.kept.empty());

    // The user edits a theme and deletes the language file; the shipped
    // theme, language file and book all change.
    writeFile(app / "Settings" / "Themes" / "Sepia.thm", "my sepia");
    fs::remove(app / "Lan" / "English.lan");
    writeFile(sources.root / "themes" / "Sepia.thm", "sepia v2");
    writeFile(sources.root / "lan" / "English.lan", "english v2");
    writeFile(sources.root / "books" / "Book.txt", "a better book");

    const AssemblyReport report = assembleAppFolder(sources.root, app);
    EXPECT_TRUE(report.errors.empty());
    EXPECT_EQ(readFile(app / "Settings" / "Themes" / "Sepia.thm"), "my sepia");
    EXPECT_TRUE(contains(report.kept, fs::path("Settings/Themes/Sepia.thm")));
    EXPECT_EQ(readFile(app / "Lan" / "English.lan"), "english v2");
    EXPECT_TRUE(contains(report.added, fs::path("Lan/English.lan")));
    EXPECT_EQ(readFile(app / utf8Path(u8"我的藏书") / "Book.txt"), "a better book");
    EXPECT_EQ(report.updated.size(), 1u);

    // The user's file stays theirs on every later run, until undoing the
    // edit hands it back to the build.
    writeFile(sources.root / "themes" / "Sepia.thm", "sepia v3");
    assembleAppFolder(sources.root, app);
    EXPECT_EQ(readFile(app / "Settings" / "Themes" / "Sepia.thm"), "my sepia");
    writeFile(app / "Settings" / "Themes" / "Sepia.thm", "sepia v1");
    EXPECT_TRUE(contains(assembleAppFolder(sources.root, app).updated, fs::path("Settings/Themes/Sepia.thm")));
    EXPECT_EQ(readFile(app / "Settings" / "Themes" / "Sepia.thm"), "sepia v3");
}

TEST(AppFolderAssembly, RealResources_ShipEverythingTheFolderNeeds)
{
    const auto files = shippedFiles(QUILLMOTH_RESOURCES_DIR);
    const auto ships = [&files](const fs::path &target, bool asFolder) {
        return std::any_of(files.begin(), files.end(), [&](const ShippedFile &file) {
            return (asFolder ? file.target.parent_path() : file.target) == target;
        });
    };
    for (const fs::path &folder :
         {fs::path("Settings/Themes"), utf8Path(u8"我的藏书"), fs::path("Pics/BackGround"),
          fs::path("Pics/Corner"), fs::path("Pics/BookMark"), fs::path("Pics/Illurstration")})
        EXPECT_TRUE(ships(folder, true)) << folder;
    for (const fs::path &file :
         {fs::path("Help.html"), utf8Path(u8"帮助.html"), fs::path("Settings/Themes/.thm")})
        EXPECT_TRUE(ships(file, false)) << file;
}
