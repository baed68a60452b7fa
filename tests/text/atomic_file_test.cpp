#include "text/atomic_file.h"

#include "../support/scratch_folder.h"

#include <gtest/gtest.h>

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

// A writer killed in the middle of writing never damages the file.
TEST(AtomicFile, KilledWriterLeavesTheOldFileIntact)
{
    const auto folder = scratchFolder();
    const auto path = folder / "big.txt";
    ASSERT_TRUE(writeFileAtomically(path, "original"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string huge(std::size_t(1) << 30, 'x');
        writeFileAtomically(path, huge);
        ::_exit(0);
    }
    ::usleep(50 * 1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string content = readFile(path);
    EXPECT_TRUE(content == "original" || content.size() == (std::size_t(1) << 30));
    EXPECT_EQ(content.substr(0, 8), content == "original" ? "original" : std::string(8, 'x'));
    std::filesystem::remove_all(folder);
}
