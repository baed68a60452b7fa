#include "text/app_folder_choice.h"
#include "text/atomic_file.h"

#include "../support/kill_while_writing.h"
#include "text_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace quillmoth;
using quillmoth::testing::readFile;
using quillmoth::testing::ScratchFolder;
namespace fs = std::filesystem;

// No temporary file is left behind, also beside a name of the longest length
// allowed.
TEST(AtomicFile, ReplacesTheWholeFile)
{
    for (const std::string &name : {std::string("settings.xml"), std::string(251, 'n') + ".jpg"}) {
        const ScratchFolder folder;
        const auto path = folder / name;
        ASSERT_TRUE(writeFileAtomically(path, "old"));
        ASSERT_TRUE(writeFileAtomically(path, "new content"));
        EXPECT_EQ(readFile(path), "new content");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
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
    fs::create_directories(folder / "taken");
    EXPECT_FALSE(writeFileAtomically(folder / "taken", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "taken"));
    EXPECT_EQ(readFile(path), "[Novel]\r\nBM1=1,2\r\n");
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

// The user's data folder follows XDG.
TEST(AppFolderChoice, AnInstalledProgramKeepsTheUsersSettingsApart)
{
    const ScratchFolder folder;
    const fs::path program = folder / "opt/quillmoth", user = folder / "home/quillmoth";
    folder.write("opt/quillmoth/Settings/UIsettings.xml", "<SETTINGS/>");
    folder.write("opt/quillmoth/Settings/Themes/Linen.thm", "linen");
    folder.write("opt/quillmoth/Settings/.instance.lock", "1234");
    fs::create_directories(program / "Settings" / "CoverThumbs");

    EXPECT_EQ(userDataFolder("/data", "/home/reader"), fs::path("/data/quillmoth"));
    EXPECT_EQ(userDataFolder("relative", "/home/reader"), fs::path("/home/reader/.local/share/quillmoth"));
    EXPECT_EQ(userDataFolder(nullptr, nullptr), fs::path());
    EXPECT_EQ(chooseAppFolder(program, true, user), AppFolder(program));
    EXPECT_FALSE(fs::exists(user));

    const AppFolder chosen = chooseAppFolder(program, false, user);
    EXPECT_EQ(chosen.root(), program); // pictures, languages and books stay shared
    EXPECT_EQ(chosen.SettingsFilePath(), user / "Settings" / "UIsettings.xml");
    EXPECT_EQ(chosen.LanguageFilePath(u"English"), program / "Lan" / "English.lan");
    EXPECT_EQ(readFile(user / "Settings" / "Themes" / "Linen.thm"), "linen");
    EXPECT_TRUE(fs::is_directory(user / "Settings" / "CoverThumbs"));
    EXPECT_FALSE(fs::exists(user / "Settings" / ".instance.lock"));

    // Later starts leave the user's copy as the user left it: changed
    // settings stay, a deleted theme stays deleted.
    folder.write("home/quillmoth/Settings/UIsettings.xml", "<SETTINGS><Scheme>Mine</Scheme></SETTINGS>");
    fs::remove(user / "Settings" / "Themes" / "Linen.thm");
    chooseAppFolder(program, false, user);
    EXPECT_EQ(readFile(user / "Settings" / "UIsettings.xml"), "<SETTINGS><Scheme>Mine</Scheme></SETTINGS>");
    EXPECT_FALSE(fs::exists(user / "Settings" / "Themes" / "Linen.thm"));
}

// A user who cannot write the program's folder gets settings of their own.
// Root can write anywhere, so the check runs as the unprivileged "nobody".
TEST(AppFolderChoice, AFolderTheUserCannotWriteSendsTheSettingsToTheUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to become another user";
    const ScratchFolder folder;
    const fs::path program = folder / "opt", home = folder / "home";
    folder.write("opt/Settings/Themes/Linen.thm", "linen");
    fs::create_directories(home);
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    fs::permissions(home, fs::perms::all);

    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        if (canKeepSettingsIn(program))
            ::_exit(1);
        const AppFolder chosen = chooseAppFolder(program, false, userDataFolder(nullptr, home.c_str()));
        ::_exit(fs::exists(chosen.ThemesFolder() / "Linen.thm") ? 0 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(canKeepSettingsIn(program)); // root may
    EXPECT_EQ(readFile(home / ".local/share/quillmoth/Settings/Themes/Linen.thm"), "linen");
}
