#include "app_folder_assembly.h"

#include "app_test_support.h"

#include <gtest/gtest.h>

#include <set>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

// A file that was there before the first build is the user's and never
// replaced (what the report lists is only the build's log); a shipped file
// the user edited stays theirs on every later run, until undoing the edit
// hands it back to the build.
TEST(AppFolderAssembly, CopiesTheResourcesAndNeverReplacesTheUsersFiles)
{
    const ScratchFolder scratch;
    const fs::path sources = scratch.path() / "resources";
    writeFile(sources / "themes" / "Sepia.thm", "sepia v1");
    writeFile(sources / "lan" / "English.lan", "english v1");
    writeFile(sources / "books" / "Book.txt", "a book");
    writeFile(sources / "books" / "notes.md", "not a book");
    const fs::path app = scratch.path() / "Quillmoth";
    const fs::path theme = app / "Settings" / "Themes" / "Sepia.thm", books = app / fs::path(u8"我的藏书");
    writeFile(app / "Lan" / "English.lan", "a translation the user brought along");

    EXPECT_TRUE(assembleAppFolder(sources, app).errors.empty());
    EXPECT_EQ(readFile(theme), "sepia v1");
    EXPECT_EQ(readFile(books / "Book.txt"), "a book");
    EXPECT_FALSE(fs::exists(books / "notes.md"));
    assembleAppFolder(sources, app);
    EXPECT_EQ(readFile(app / "Lan" / "English.lan"), "a translation the user brought along");

    // The user edits the theme and deletes the language file; everything
    // shipped changes.
    writeFile(theme, "my sepia");
    fs::remove(app / "Lan" / "English.lan");
    writeFile(sources / "themes" / "Sepia.thm", "sepia v2");
    writeFile(sources / "lan" / "English.lan", "english v2");
    writeFile(sources / "books" / "Book.txt", "a better book");
    assembleAppFolder(sources, app);
    EXPECT_EQ(readFile(theme), "my sepia");
    EXPECT_EQ(readFile(app / "Lan" / "English.lan"), "english v2");
    EXPECT_EQ(readFile(books / "Book.txt"), "a better book");

    writeFile(sources / "themes" / "Sepia.thm", "sepia v3");
    writeFile(theme, "sepia v1");
    assembleAppFolder(sources, app);
    EXPECT_EQ(readFile(theme), "sepia v3");
}

TEST(AppFolderAssembly, RealResourcesShipThePicturesAndTheHelpPages)
{
    std::set<fs::path> targets;
    for (const ShippedFile &file : shippedFiles(QUILLMOTH_RESOURCES_DIR))
        targets.insert({file.target, file.target.parent_path()});
    for (const fs::path target : {"Pics/BackGround", "Pics/Corner", "Pics/BookMark", "Pics/Illurstration", "Help.html"})
        EXPECT_TRUE(targets.contains(target)) << target;
    EXPECT_TRUE(targets.contains(fs::path(u8"帮助.html")));
}
