#include "text/app_folder_choice.h"

#include "../support/kill_while_writing.h"
#include "text_test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

using testing::fileBytes;

TEST(AppFolderChoice, TheUsersDataFolderFollowsXdg)
{
    EXPECT_EQ(userDataFolder("/data", "/home/reader"), fs::path("/data/quillmoth"));
    EXPECT_EQ(userDataFolder("relative", "/home/reader"),
              fs::path("/home/reader/.local/share/quillmoth"));
    EXPECT_EQ(userDataFolder(nullptr, nullptr), fs::path());
}

TEST(AppFolderChoice, AnInstalledProgramKeepsTheUsersSettingsApart)
{
    const testing::ScratchFolder folder;
    const fs::path program = folder / "opt/quillmoth";
    const fs::path user = folder / "home/quillmoth";
    folder.write("opt/quillmoth/Settings/UIsettings.xml", "<SETTINGS/>");
    folder.write("opt/quillmoth/Settings/Themes/Linen.thm", "linen");
    folder.write("opt/quillmoth/Settings/.instance.lock", "1234");
    fs::create_directories(program / "Settings" / "CoverThumbs");

    EXPECT_EQ(chooseAppFolder(program, true, user), AppFolder(program));
    EXPECT_FALSE(fs::exists(user));

    const AppFolder chosen = chooseAppFolder(program, false, user);
    EXPECT_EQ(chosen.root(), program); // pictures, languages and books stay shared
    EXPECT_EQ(chosen.SettingsFilePath(), user / "Settings" / "UIsettings.xml");
    EXPECT_EQ(chosen.LanguageFilePath(u"English"), program / "Lan" / "English.lan");
    EXPECT_EQ(fileBytes(user / "Settings" / "Themes" / "Linen.thm"), "linen");
    EXPECT_TRUE(fs::is_directory(user / "Settings" / "CoverThumbs"));
    EXPECT_FALSE(fs::exists(user / "Settings" / ".instance.lock"));

    // Later starts leave the user's copy as the user left it: changed
    // settings stay, a deleted theme stays deleted.
    folder.write("home/quillmoth/Settings/UIsettings.xml", "<SETTINGS><Scheme>Mine</Scheme></SETTINGS>");
    fs::remove(user / "Settings" / "Themes" / "Linen.thm");
    chooseAppFolder(program, false, user);
    EXPECT_EQ(fileBytes(user / "Settings" / "UIsettings.xml"),
              "<SETTINGS><Scheme>Mine</Scheme></SETTINGS>");
    EXPECT_FALSE(fs::exists(user / "Settings" / "Themes" / "Linen.thm"));
}

// A user who cannot write the program's folder gets settings of their own.
// Root can write anywhere, so the check runs as the unprivileged "nobody".
TEST(AppFolderChoice, AFolderTheUserCannotWriteSendsTheSettingsToTheUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to become another user";
    const testing::ScratchFolder folder;
    const fs::path program = folder / "opt";
    folder.write("opt/Settings/Themes/Linen.thm", "linen");
    const fs::path home = folder / "home";
    fs::create_directories(home);
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::others_exec |
                                       fs::perms::group_exec);
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
    EXPECT_EQ(fileBytes(home / ".local/share/quillmoth/Settings/Themes/Linen.thm"), "linen");
}

} // namespace
} // namespace quillmoth
