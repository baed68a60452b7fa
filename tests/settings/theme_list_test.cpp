#include "settings/theme_list.h"

#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"

#include "text/code_page.h"

#include "settings_test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

class ThemeListFixture : public ::testing::Test {
protected:
    ThemeListFixture()
        : context{theme, settings, document, themesFolder(folder.path()), folder.path(), gbk()}
    {
        document.SettingsFilePath = settingsFilePath(folder.path());
        writeFile(document.SettingsFilePath, defaultSettingsXml());
        language.insert(u"Current", u"Current: ");
        language.insert(u"ThemeIsInUse", u"In use.");
        language.insert(u"ConfirmDelete", u"Delete?");
    }

    void addTheme(std::u16string_view name, ThemeRecord record = {})
    {
        std::filesystem::create_directories(context.ThemesFolder);
        ASSERT_TRUE(writeThemeFile(themeFilePath(context.ThemesFolder, name), record, folder.path()));
    }

    std::string savedScheme()
    {
        vbXML xml;
        EXPECT_TRUE(xml.loadFile(document.SettingsFilePath));
        const std::u16string scheme = xml.ReadNodeText(u"Scheme");
        return std::string(scheme.begin(), scheme.end());
    }

    ScratchFolder folder;
    ThemeRecord theme;
    UISettings settings;
    SettingsDocument document;
    ThemeContext context;
    LanguageTable language;
    ThemeList list;
};

} // namespace

TEST_F(ThemeListFixture, StartUp_WithNoThemesCreatesAndSelectsTheDefault)
{
    ASSERT_TRUE(GetThmSettings(themeFilePath(context.ThemesFolder, settings.CurrentTheme), context));
    ASSERT_TRUE(FlushThemeList(settings.CurrentTheme, list, context, language));
    EXPECT_EQ(list.names, std::vector<std::u16string>{u""});
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.currentCaption, u"Current: ");
    EXPECT_TRUE(std::filesystem::exists(context.ThemesFolder / ".thm"));
}

TEST_F(ThemeListFixture, Flush_ListsThemesByNameAndSelectsTheGivenOne)
{
    addTheme(u"sepia");
    addTheme(u"Night");
    addTheme(u"Bamboo");
    addTheme(u"竹林");
    writeFile(context.ThemesFolder / "notes.txt", "x");
    writeFile(context.ThemesFolder / "Upper.THM", "x");
    std::filesystem::create_directories(context.ThemesFolder / "Folder.thm");
    settings.CurrentTheme = u"Night";
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, language));
    EXPECT_EQ(list.names, (std::vector<std::u16string>{u"Bamboo", u"Night", u"sepia", u"竹林"}));
    EXPECT_EQ(list.selectedName(), u"Night");
    EXPECT_EQ(list.currentCaption, u"Current: Night");
}

TEST_F(ThemeListFixture, Flush_WithAnUnknownNameMakesTheFirstCurrentInMemoryOnly)
{
    addTheme(u"Bamboo");
    addTheme(u"Night");
    settings.CurrentTheme = u"Gone";
    ASSERT_TRUE(FlushThemeList(u"Gone", list, context, language));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(settings.CurrentTheme, u"Bamboo");
    EXPECT_EQ(list.currentCaption, u"Current: Bamboo");
    EXPECT_EQ(savedScheme(), "Parchment");

    // Without a "Current" text the caption is the name alone.
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, LanguageTable{}));
    EXPECT_EQ(list.currentCaption, u"Bamboo");
}

TEST_F(ThemeListFixture, Flush_AMissingFolderIsAnEmptyList)
{
    ASSERT_TRUE(FlushThemeList(u"", list, context, language));
    EXPECT_TRUE(list.names.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.selectedName(), std::nullopt);
    writeFile(context.ThemesFolder, "a file where the folder should be");
    EXPECT_FALSE(FlushThemeList(u"", list, context, language));
}

TEST_F(ThemeListFixture, Apply_LoadsTheSelectedThemeAndStoresItsName)
{
    ThemeRecord night;
    night.PaperColor = 0;
    night.FontColor = 14737632;
    addTheme(u"Night", night);
    addTheme(u"Paper");
    ASSERT_TRUE(FlushThemeList(u"Paper", list, context, language));
    list.selected = 0;
    const auto buttons = applySelectedTheme(list, context, language);
    ASSERT_TRUE(buttons);
    EXPECT_EQ(*buttons, (ThemeButtons{true, false}));
    EXPECT_EQ(theme, night);
    EXPECT_EQ(settings.CurrentTheme, u"Night");
    EXPECT_EQ(list.currentCaption, u"Current: Night");
    EXPECT_EQ(savedScheme(), "Night");

    // A theme whose file vanished falls back to the default theme and its name.
    std::filesystem::remove(context.ThemesFolder / "Paper.thm");
    list.selected = 1;
    ASSERT_TRUE(applySelectedTheme(list, context, language));
    EXPECT_EQ(theme, ThemeRecord{});
    EXPECT_EQ(settings.CurrentTheme, u"");
    EXPECT_EQ(savedScheme(), "");

    list.selected = -1;
    EXPECT_FALSE(applySelectedTheme(list, context, language));
}

TEST_F(ThemeListFixture, Delete_RefusesTheCurrentThemeAndConfirmsOthers)
{
    addTheme(u"Night");
    addTheme(u"Sepia");
    settings.CurrentTheme = u"Night";
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, language));

    auto prompt = themeDeletePrompt(list, settings, language);
    ASSERT_TRUE(prompt);
    EXPECT_TRUE(prompt->refused);
    EXPECT_EQ(prompt->message, u"In use.");
    EXPECT_FALSE(deleteSelectedTheme(list, context));

    list.selected = 1;
    prompt = themeDeletePrompt(list, settings, language);
    ASSERT_TRUE(prompt);
    EXPECT_FALSE(prompt->refused);
    EXPECT_EQ(prompt->message, u"Delete?     Sepia");
    EXPECT_EQ(themeDeletePrompt(list, settings, LanguageTable{})->message, u"ConfirmDelete     Sepia");
    ASSERT_TRUE(deleteSelectedTheme(list, context));
    EXPECT_EQ(list.names, std::vector<std::u16string>{u"Night"});
    EXPECT_FALSE(std::filesystem::exists(context.ThemesFolder / "Sepia.thm"));
    EXPECT_TRUE(std::filesystem::exists(context.ThemesFolder / "Night.thm"));

    // A file that has already gone leaves the list as it is.
    addTheme(u"Gone");
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, language));
    std::filesystem::remove(context.ThemesFolder / "Gone.thm");
    list.selected = 0;
    EXPECT_FALSE(deleteSelectedTheme(list, context));
    EXPECT_EQ(list.names, (std::vector<std::u16string>{u"Gone", u"Night"}));
    list.selected = -1;
    EXPECT_FALSE(themeDeletePrompt(list, settings, language));
}

TEST_F(ThemeListFixture, ModifyNewAndClicks_PrepareTheEditorAndTheButtons)
{
    addTheme(u"Night");
    addTheme(u"Sepia");
    settings.CurrentTheme = u"Night";
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, language));
    const ThemeEditorRequest modify = modifyThemeRequest(settings);
    EXPECT_EQ(modify.name, u"Night");
    EXPECT_EQ(modify.nameBoxColor, 16777215);

    list.selected = 1;
    const auto created = newThemeRequest(list, settings);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->name, u"Sepia");
    EXPECT_EQ(created->nameBoxColor, 255);
    EXPECT_EQ(settings.CurrentTheme, u"Sepia");

    EXPECT_EQ(themeButtonsFor(u"Sepia", settings.CurrentTheme), (ThemeButtons{true, false}));
    EXPECT_EQ(themeButtonsFor(u"Night", settings.CurrentTheme), (ThemeButtons{false, true}));
}

// Names that would lead out of the themes folder are never listed, and an
// entry that holds one anyway loads, deletes and edits nothing outside it.
TEST_F(ThemeListFixture, UnsafeNames_ReachNoFileOutsideTheThemesFolder)
{
    addTheme(u"Night");
    ThemeRecord planted;
    planted.FontSize = 33;
    writeFile(context.ThemesFolder / "a\\b.thm", "1,2,,,,,,3,4,5,33,Planted");
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, language));
    EXPECT_EQ(list.names, std::vector<std::u16string>{u"Night"});

    const std::filesystem::path outside = context.ThemesFolder.parent_path() / "Planted.thm";
    ASSERT_TRUE(writeThemeFile(outside, planted, folder.path()));
    const std::string before = readFile(outside);
    for (const std::u16string name : {u"../Planted", u"a\\b"}) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        list.names = {name, u"Night"};
        list.selected = 0;
        settings.CurrentTheme = u"Night";
        EXPECT_FALSE(newThemeRequest(list, settings));
        EXPECT_EQ(settings.CurrentTheme, u"Night");
        EXPECT_FALSE(deleteSelectedTheme(list, context));
        EXPECT_EQ(list.names.size(), 2u);

        theme = planted;
        ASSERT_TRUE(applySelectedTheme(list, context, language));
        EXPECT_EQ(theme, ThemeRecord{});
        EXPECT_EQ(settings.CurrentTheme, u"");
        EXPECT_EQ(savedScheme(), "");
    }
    EXPECT_EQ(readFile(outside), before);
    EXPECT_TRUE(std::filesystem::exists(context.ThemesFolder / "a\\b.thm"));
}
