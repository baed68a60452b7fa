#include "text/atomic_file.h"

#include "../support/kill_while_writing.h"
#include "text_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillmoth;
using quillmoth::testing::fileBytes;
using quillmoth::testing::ScratchFolder;

namespace {

std::ptrdiff_t filesIn(const std::filesystem::path &folder)
{
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

} // namespace

// No temporary file is left behind, also beside a name of the longest length
// allowed.
TEST(AtomicFile, ReplacesTheWholeFile)
{
    for (const std::string &name : {std::string("settings.xml"), std::string(251, 'n') + ".jpg"}) {
        const ScratchFolder folder;
        const auto path = folder / name;
        ASSERT_TRUE(writeFileAtomically(path, "old"));
        ASSERT_TRUE(writeFileAtomically(path, "new content"));
        EXPECT_EQ(fileBytes(path), "new content");
        EXPECT_EQ(filesIn(folder.path()), 1);
    }
}

TEST(AtomicFile, FailureLeavesTheOldFileIntact)
{
    const ScratchFolder folder;
    const auto path = folder / "BMK.ini";
    ASSERT_TRUE(writeFileAtomically(path, "[Novel]\r\nBM1=1,2\r\n"));
    std::string error;
    EXPECT_FALSE(writeFileAtomically(folder / "missing" / "BMK.ini", "x", &error));
    EXPECT_FALSE(error.empty());
    // A target that cannot be replaced (a folder) keeps what it was.
    std::filesystem::create_directories(folder / "taken");
    EXPECT_FALSE(writeFileAtomically(folder / "taken", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken"));
    EXPECT_EQ(fileBytes(path), "[Novel]\r\nBM1=1,2\r\n");
}

// A writer killed in the middle of writing never damages the file: killed
// again and again, at points spread over the write, the file is always one
// whole version or the other.
TEST(AtomicFile, KilledWritersLeaveAWholeFile)
{
    const ScratchFolder folder;
    const auto path = folder / "big.txt";
    const std::size_t size = std::size_t(16) << 20;
    const quillmoth::testing::KillReport report = quillmoth::testing::killWhileWriting(
        path, [&](int version) { writeFileAtomically(path, std::string(size, char('a' + version))); },
        16, std::chrono::milliseconds(80));
    EXPECT_TRUE(report.torn.empty());
    // Most kills landed while a write was under way (its bytes going out, or
    // being flushed to the disk).
    EXPECT_GE(report.duringWrite, report.kills / 2);
}
