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

// Themes are listed by name from the *.thm files of the folder. A current
// name that is not listed makes the first theme current in memory only; a
// missing folder is an empty list. Applying and deleting are driven through
// the shelf's theme panel by its tests.
TEST_F(ThemeListFixture, Flush_ListsThemesByNameAndSelectsTheGivenOne)
{
    ASSERT_TRUE(FlushThemeList(u"", list, context, language));
    EXPECT_TRUE(list.names.empty());
    EXPECT_EQ(list.selectedName(), std::nullopt);

    for (const char16_t *name : {u"sepia", u"Night", u"Bamboo", u"竹林"})
        addTheme(name);
    writeFile(context.ThemesFolder / "notes.txt", "x");
    writeFile(context.ThemesFolder / "Upper.THM", "x");
    std::filesystem::create_directories(context.ThemesFolder / "Folder.thm");
    settings.CurrentTheme = u"Night";
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, language));
    EXPECT_EQ(list.names, (std::vector<std::u16string>{u"Bamboo", u"Night", u"sepia", u"竹林"}));
    EXPECT_EQ(list.selectedName(), u"Night");
    EXPECT_EQ(list.currentCaption, u"Current: Night");

    settings.CurrentTheme = u"Gone";
    ASSERT_TRUE(FlushThemeList(u"Gone", list, context, language));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(settings.CurrentTheme, u"Bamboo");
    EXPECT_EQ(savedScheme(), "Parchment");
    // Without a "Current" text the caption is the name alone.
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, LanguageTable{}));
    EXPECT_EQ(list.currentCaption, u"Bamboo");

    std::filesystem::remove_all(context.ThemesFolder);
    writeFile(context.ThemesFolder, "a file where the folder should be");
    EXPECT_FALSE(FlushThemeList(u"", list, context, language));
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
