#include "text/atomic_file.h"

#include "../support/kill_while_writing.h"
#include "../support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillmoth;

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

std::filesystem::path scratchFolder()
{
    const auto folder = quillmoth::testing::programScratchFolder() / "atomic";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

TEST(AtomicFile, ReplacesTheWholeFile)
{
    const auto folder = scratchFolder();
    const auto path = folder / "settings.xml";
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    ASSERT_TRUE(writeFileAtomically(path, "new content"));
    EXPECT_EQ(readFile(path), "new content");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST(AtomicFile, WritesFilesWithTheLongestNamesAllowed)
{
    const auto folder = scratchFolder();
    const auto path = folder / (std::string(251, 'n') + ".jpg");
    ASSERT_TRUE(writeFileAtomically(path, "thumb"));
    EXPECT_EQ(readFile(path), "thumb");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST(AtomicFile, FailureLeavesTheOldFileIntact)
{
    const auto folder = scratchFolder();
    const auto path = folder / "BMK.ini";
    ASSERT_TRUE(writeFileAtomically(path, "[Novel]\r\nBM1=1,2\r\n"));
    std::string error;
    EXPECT_FALSE(writeFileAtomically(folder / "missing" / "BMK.ini", "x", &error));
    EXPECT_FALSE(error.empty());
    // A target that cannot be replaced (a folder) keeps what it was.
    std::filesystem::create_directories(folder / "taken");
    EXPECT_FALSE(writeFileAtomically(folder / "taken", "x"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken"));
    EXPECT_EQ(readFile(path), "[Novel]\r\nBM1=1,2\r\n");
    std::filesystem::remove_all(folder);
}

// A writer killed in the middle of writing never damages the file: killed
// again and again, at points spread over the write, the file is always one
// whole version or the other.
TEST(AtomicFile, KilledWritersLeaveAWholeFile)
{
    const auto folder = scratchFolder();
    const auto path = folder / "big.txt";
    const std::size_t size = std::size_t(16) << 20;
    const quillmoth::testing::KillReport report = quillmoth::testing::killWhileWriting(
        path, [&](int version) { writeFileAtomically(path, std::string(size, char('a' + version))); },
        16, std::chrono::milliseconds(80));
    EXPECT_TRUE(report.torn.empty());
    // Most kills landed while a write was under way (its bytes going out, or
    // being flushed to the disk).
    EXPECT_GE(report.duringWrite, report.kills / 2);
    std::filesystem::remove_all(folder);
}
