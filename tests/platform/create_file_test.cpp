#include "platform/create_file.h"

#include "app_test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

// That a new file is written whole with no temporary left is checked
// through the resource extraction, which writes every file this way.
TEST(CreateFile, NeverReplacesWhatIsThereAndSaysWhyAWriteFailed)
{
    const ScratchFolder scratch;
    writeFile(scratch.path() / "mine.dat", "the user's picture");
    fs::create_directory(scratch.path() / "folder");
    fs::create_symlink("nowhere", scratch.path() / "dangling");

    for (const char *name : {"mine.dat", "folder", "dangling"})
        EXPECT_EQ(createFileAtomically(scratch.path() / name, "new"), CreateFileResult::AlreadyExists) << name;
    EXPECT_EQ(readFile(scratch.path() / "mine.dat"), "the user's picture");
    EXPECT_TRUE(fs::is_symlink(scratch.path() / "dangling"));
    EXPECT_EQ(entryCount(scratch.path()), 3);

    std::string error;
    EXPECT_EQ(createFileAtomically(scratch.path() / "missing" / "Cvr.dat", "x", &error), CreateFileResult::Failed);
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}
