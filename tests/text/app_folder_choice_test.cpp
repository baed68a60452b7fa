#include "text/app_folder_choice.h"

#include "text_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path &path, const std::string &text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const fs::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

TEST(AppFolderChoice, TheUsersDataFolderFollowsXdg)
{
    EXPECT_EQ(userDataFolder("/data", "/home/reader"), fs::path("/data/quillmoth"));
    EXPECT_EQ(userDataFolder("relative", "/home/reader"),
              fs::path("/home/reader/.local/share/quillmoth"));
    EXPECT_EQ(userDataFolder(nullptr, "/home/reader"),
              fs::path("/home/reader/.local/share/quillmoth"));
    EXPECT_EQ(userDataFolder(nullptr, nullptr), fs::path());
}

TEST(AppFolderChoice, AnInstalledProgramKeepsTheUsersSettingsApart)
{
    const testing::ScratchFolder folder;
    const fs::path &scratch = folder.path();
    const fs::path program = scratch / "opt" / "quillmoth";
    const fs::path user = scratch / "home" / "quillmoth";
    writeText(program / "Settings" / "UIsettings.xml", "<SETTINGS/>");
    writeText(program / "Settings" / "Themes" / "Linen.thm", "linen");
    writeText(program / "Settings" / ".instance.lock", "1234");
    fs::create_directories(program / "Settings" / "CoverThumbs");

    EXPECT_EQ(chooseAppFolder(program, true, user), AppFolder(program));
    EXPECT_FALSE(fs::exists(user));

    const AppFolder chosen = chooseAppFolder(program, false, user);
    EXPECT_EQ(chosen.root(), program); // pictures, languages and books stay shared
    EXPECT_EQ(chosen.SettingsFilePath(), user / "Settings" / "UIsettings.xml");
    EXPECT_EQ(chosen.LanguageFilePath(u"English"), program / "Lan" / "English.lan");
    EXPECT_EQ(readText(user / "Settings" / "Themes" / "Linen.thm"), "linen");
    EXPECT_TRUE(fs::is_directory(user / "Settings" / "CoverThumbs"));
    EXPECT_FALSE(fs::exists(user / "Settings" / ".instance.lock"));

    // Later starts keep what the user changed and add what is new.
    writeText(user / "Settings" / "UIsettings.xml", "<SETTINGS><Scheme>Mine</Scheme></SETTINGS>");
    writeText(program / "Settings" / "Themes" / "Ink Wash.thm", "ink");
    chooseAppFolder(program, false, user);
    EXPECT_EQ(readText(user / "Settings" / "UIsettings.xml"),
              "<SETTINGS><Scheme>Mine</Scheme></SETTINGS>");
    EXPECT_EQ(readText(user / "Settings" / "Themes" / "Ink Wash.thm"), "ink");
}

} // namespace
} // namespace quillmoth
