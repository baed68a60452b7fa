#include "settings/theme_file.h"

#include "settings/language_table.h"
#include "settings/theme_list.h"
#include "settings/ui_settings.h"

#include "text/text_paths.h"

#include "../support/full_disk.h"
#include "../support/kill_while_writing.h"
#include "../platform/app_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

// Records are built with designated initializers; the paths left out are meant to be empty.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace quillmoth;
using namespace quillmoth::testing;
using namespace std::literals;

namespace {

const std::string kDefaultLine =
    std::string("100,100,,,,,,-1,-1,0,9,Tahoma,0,False,False,False,0,False,False\0\r\n", 66);

// A program folder with settings and a themes folder.
class ThemeFixture : public ::testing::Test {
protected:
    ThemeFixture()
        : context{theme, settings, document, themesFolder(folder.path()), folder.path(), gbk()}
    {
        document.SettingsFilePath = settingsFilePath(folder.path());
        writeFile(document.SettingsFilePath, defaultSettingsXml());
        std::filesystem::create_directories(context.ThemesFolder);
    }

    // Reads a theme line into a record that starts as `start`.
    ThemeRecord read(std::string_view line, ThemeRecord start = {})
    {
        writeFile(context.ThemesFolder / "Test.thm", line);
        theme = start;
        EXPECT_TRUE(GetThmSettings(context.ThemesFolder / "Test.thm", context));
        return theme;
    }

    // A record in which every field differs from the defaults.
    ThemeRecord unusual()
    {
        for (const auto &file : {folder / "Pics/BackGround/paper.jpg", folder / "Pics/Corner/leaf.png",
                                 outside / "ribbon.png", outside / "one.jpg"})
            writeFile(file, "picture");
        std::filesystem::create_directories(folder / "Pics" / "Illurstration");
        return {85.5f, -1, folder / "Pics/BackGround/paper.jpg", folder / "Pics/Corner/leaf.png",
                outside / "ribbon.png", outside / "one.jpg", folder / "Pics/Illurstration", 16777215, 14737632,
                3355443, 12, u"思源宋体", 255, true, true, true, 3, true, true};
    }

    bool savedScheme(const std::string &name)
    {
        return readFile(document.SettingsFilePath).find("<Scheme>" + name + "</Scheme>") != std::string::npos;
    }

    ScratchFolder folder;
    ScratchFolder outside{"-outside"};
    ThemeRecord theme;
    UISettings settings;
    SettingsDocument document;
    ThemeContext context;
};

} // namespace

// A missing theme is replaced by the default theme: written as the theme
// with the empty name, made current and stored as "Scheme", and loaded. An
// edited default theme is kept and loaded, not written over.
TEST_F(ThemeFixture, GetThmSettings_CreatesTheDefaultThemeForAMissingFile)
{
    theme = unusual();
    settings.CurrentTheme = u"Sepia";
    EXPECT_TRUE(GetThmSettings(context.ThemesFolder / "Vanished.thm", context));
    EXPECT_EQ(theme, ThemeRecord{});
    EXPECT_EQ(settings.CurrentTheme, u"");
    EXPECT_EQ(readFile(context.ThemesFolder / ".thm"), kDefaultLine);
    EXPECT_FALSE(std::filesystem::exists(context.ThemesFolder / "Vanished.thm"));
    EXPECT_TRUE(savedScheme(""));

    const std::string edited = "100,100,,,,,,-1,-1,0,14,Tahoma,0,False,False,False,0,False,False";
    writeFile(context.ThemesFolder / ".thm", edited);
    EXPECT_TRUE(GetThmSettings(context.ThemesFolder / "Vanished.thm", context));
    EXPECT_EQ(readFile(context.ThemesFolder / ".thm"), edited);
    EXPECT_EQ(theme.FontSize, 14);
}

TEST_F(ThemeFixture, RoundTrip_WriteThenReadGivesTheSameRecord)
{
    const ThemeRecord record = unusual();
    ASSERT_TRUE(writeThemeFile(context.ThemesFolder / "Unusual.thm", record, folder.path()));
    // Paths inside the program folder are stored relative to it.
    const std::string line = readFile(context.ThemesFolder / "Unusual.thm");
    EXPECT_EQ(line, "85.5,-1,Pics/BackGround/paper.jpg,Pics/Corner/leaf.png," +
                        (outside / "ribbon.png").string() + "," + (outside / "one.jpg").string() +
                        ",Pics/Illurstration,16777215,14737632,3355443,12,思源宋体,255,"
                        "True,True,True,3,True,True" + std::string("\0\r\n", 3));
    EXPECT_EQ(read(line), record);
    EXPECT_EQ(read(kDefaultLine, record), ThemeRecord{});
}

// A short line sets the fields it has and clears the paths; extra fields
// are ignored, and the last field is read with or without its NUL.
TEST_F(ThemeFixture, Reading_ShortLinesNumbersAndBooleans)
{
    ThemeRecord previous = unusual();
    ThemeRecord expected = previous;
    expected.BgOpacity = 50;
    expected.CornerOpacity = 60;
    expected.BgImagePath = expected.CornerImagePath = expected.BookMarkImagePath = expected.OneForAllImagePath =
        expected.AlbumPath = std::filesystem::path();
    EXPECT_EQ(read("50,60", previous), expected);
    // Paths are read against the program folder; those that lead nowhere go.
    writeFile(folder / "Pics" / "paper.jpg", "jpeg");
    const ThemeRecord paths = read("70,100,Pics\\paper.jpg,/no/such/corner.png,Pics,,Pics");
    EXPECT_EQ(paths.BgImagePath, folder / "Pics/paper.jpg");
    EXPECT_TRUE(paths.CornerImagePath.empty());
    EXPECT_TRUE(paths.BookMarkImagePath.empty()); // a folder is not an image
    EXPECT_EQ(paths.AlbumPath, folder / "Pics");

    std::string line = kDefaultLine;
    line.replace(line.rfind("False"), 5, "True");
    EXPECT_TRUE(read(line + ",False,False", previous).FontItalic);
    line.erase(line.find('\0'), 1);
    EXPECT_TRUE(read(line + "second line,False", ThemeRecord{}).FontItalic);

    // Numbers take their leading digits and round halves to even; values out
    // of range or not a boolean keep what was there.
    const ThemeRecord record =
        read("abc,12.5x,,,,,,2.5,3.5,-2.5,1e3,Serif,99999999999,maybe,0,-1,9,TRUE,", previous);
    EXPECT_EQ(std::tuple(record.BgOpacity, record.CornerOpacity, record.OutlineColor, record.PaperColor,
                         record.FontSize, record.LineSpace), // at most five extra pixels between lines
              std::tuple(0.f, 12.5f, 2, 4, 1000, 5));
    EXPECT_EQ(std::tuple(record.ChapterTitleColor, record.ColorizeChapterTitle, record.ListUpChapters,
                         record.ReformatParagraphs, record.FontBold, record.FontItalic),
              std::tuple(previous.ChapterTitleColor, previous.ColorizeChapterTitle, false, true, true,
                         previous.FontItalic));
    previous.BgOpacity = 42;
    EXPECT_EQ(read("1e40,-1e-50", previous).BgOpacity, 42);
}

TEST_F(ThemeFixture, Writing_RefusesFieldsThatWouldShiftTheLine)
{
    const std::filesystem::path path = context.ThemesFolder / "Kept.thm";
    ASSERT_TRUE(writeThemeFile(path, ThemeRecord{}, folder.path()));
    std::u16string error;
    EXPECT_FALSE(writeThemeFile(path, {.FontName = u"Font, Inc."}, folder.path(), &error));
    EXPECT_NE(error.find(u"comma"), std::u16string::npos);
    EXPECT_FALSE(writeThemeFile(path, {.AlbumPath = "/books/a\nb"}, folder.path()));
    EXPECT_EQ(readFile(path), kDefaultLine);
    EXPECT_EQ(fileNames(context.ThemesFolder), std::vector<std::string>{"Kept.thm"});
}

// A theme another program left a stray byte in loses nothing: its paths and
// names read as they are written, and saving it with one value changed
// changes only that value; the stray byte goes back as it came.
TEST_F(ThemeFixture, AFileThatIsNotUtf8KeepsEveryOtherByte)
{
    writeFile(folder / "Pics" / "BackGround" / "山水.jpg", "jpeg");
    writeFile(folder / "Pics" / "Corner" / "\xFFleaf.png", "png"); // a name that is not UTF-8
    const std::string before = std::string("100,80,Pics/BackGround/山水.jpg,Pics/Corner/\xFFleaf.png,,,,"
                                           "-1,-1,0,9,宋\xFF体,0,False,False,False,0,False,False") +
                               std::string("\0\r\n", 3);
    ThemeRecord changed = read(before);
    EXPECT_EQ(changed.BgImagePath, folder / "Pics" / "BackGround" / "山水.jpg");
    EXPECT_EQ(changed.CornerImagePath, folder / "Pics" / "Corner" / "\xFFleaf.png");
    changed.FontSize = 12;
    ASSERT_TRUE(writeThemeFile(context.ThemesFolder / "Test.thm", changed, folder.path()));
    EXPECT_EQ(readFile(context.ThemesFolder / "Test.thm"), std::string(before).replace(before.find(",9,"), 3, ",12,"));

    // A whole file in the ANSI code page reads in it and is written as UTF-8.
    EXPECT_EQ(read("100,100,,,,,,-1,-1,0,9,\xCB\xCE\xCC\xE5,0,False,False,False,0,False,False").FontName, u"宋体");
}

// On a full disk a theme write says it failed and leaves the old theme.
TEST_F(ThemeFixture, Writing_OnAFullDiskFailsAndKeepsTheOldFile)
{
    const std::filesystem::path path = context.ThemesFolder / "Sepia.thm";
    ASSERT_TRUE(writeThemeFile(path, ThemeRecord{}, folder.path()));
    EXPECT_TRUE(writeReportsAFullDisk([&] { return writeThemeFile(path, {.FontSize = 14}, folder.path()); }));
    EXPECT_EQ(readFile(path), kDefaultLine);
    EXPECT_EQ(fileNames(context.ThemesFolder), std::vector<std::string>{"Sepia.thm"}); // no temporary left
}

// Theme writers killed again and again while they write leave a whole theme.
TEST_F(ThemeFixture, Writing_KilledWritersLeaveAWholeFile)
{
    const std::filesystem::path path = context.ThemesFolder / "Sepia.thm";
    const auto report = killWhileWriting(path, [&](int version) {
        writeThemeFile(path, ThemeRecord{.FontSize = 9 + version}, folder.path());
    }, 24, std::chrono::milliseconds(24));
    EXPECT_TRUE(report.torn.empty());
    EXPECT_GE(report.duringWrite, 1);
}

// A name is safe only as one file name in the themes folder; how unsafe
// names are kept from reaching files is walked through below.
TEST(ThemeNames, AreSafeOnlyAsOneFileNameInTheThemesFolder)
{
    for (const std::u16string_view name : {u""sv, u"竹林 夜雨"sv, u".."sv, u"a.b"sv}) // "...thm" is in the folder
        EXPECT_TRUE(isSafeThemeName(name));
    for (const std::u16string_view name : {u"../x"sv, u"/etc/passwd"sv, u"x/"sv, u"a\\b"sv, u"C:\\x"sv, u"a\0b"sv})
        EXPECT_FALSE(isSafeThemeName(name)) << std::string(name.begin(), name.end());
    EXPECT_EQ(themeFilePath("/Themes", u".."), std::filesystem::path("/Themes/...thm"));
    EXPECT_TRUE(themeFilePath("/Themes", u"../x").empty());
}

// Themes are listed by name from the *.thm files of the folder. A current
// name that is not listed makes the first theme current in memory only; a
// missing folder is an empty list. Applying and deleting are driven through
// the shelf's theme panel by its tests.
TEST_F(ThemeFixture, FlushThemeList_ListsThemesByNameAndSelectsTheGivenOne)
{
    ThemeList list;
    ASSERT_TRUE(FlushThemeList(u"", list, context, LanguageTable{}));
    EXPECT_EQ(list.selectedName(), std::nullopt);
    for (const char *name : {"sepia", "Night", "Bamboo", "竹林", "Upper.THM", "notes.txt"})
        writeFile(context.ThemesFolder / (std::string(name) + (std::strchr(name, '.') ? "" : ".thm")), "x");
    std::filesystem::create_directories(context.ThemesFolder / "Folder.thm");
    settings.CurrentTheme = u"Night";
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, LanguageTable{}));
    EXPECT_EQ(list.names, (std::vector<std::u16string>{u"Bamboo", u"Night", u"sepia", u"竹林"}));
    EXPECT_EQ(list.selectedName(), u"Night");

    settings.CurrentTheme = u"Gone";
    ASSERT_TRUE(FlushThemeList(u"Gone", list, context, LanguageTable{}));
    EXPECT_EQ(list.selectedName(), u"Bamboo");
    EXPECT_EQ(settings.CurrentTheme, u"Bamboo");
    EXPECT_TRUE(savedScheme("Parchment"));
    std::filesystem::remove_all(context.ThemesFolder);
    writeFile(context.ThemesFolder, "a file where the folder should be");
    EXPECT_FALSE(FlushThemeList(u"", list, context, LanguageTable{}));
}

// Names that would lead out of the themes folder are never listed, and a
// current theme or list entry that holds one anyway loads the default theme
// and reads, writes, deletes or edits nothing where the name leads.
TEST_F(ThemeFixture, UnsafeNamesReachNoFileOutsideTheThemesFolder)
{
    const ThemeRecord planted{.FontSize = 33};
    ASSERT_TRUE(writeThemeFile(context.ThemesFolder / "Night.thm", planted, folder.path()));
    writeFile(context.ThemesFolder / "a\\b.thm", "1,2");
    ThemeList list;
    ASSERT_TRUE(FlushThemeList(u"Night", list, context, LanguageTable{}));
    EXPECT_EQ(list.names, std::vector<std::u16string>{u"Night"});

    std::filesystem::create_directories(context.ThemesFolder / "Sub");
    for (const std::u16string &name :
         {std::u16string(u"../Planted"), text::textFromPath(outside / "Planted"), u"Sub/../../Planted"s, u"a\\b"s}) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        const std::filesystem::path naive = context.ThemesFolder / text::pathFromText(name + u".thm");
        ASSERT_TRUE(writeThemeFile(naive, planted, folder.path()));
        const std::string before = readFile(naive);
        const auto written = std::filesystem::last_write_time(naive);
        std::filesystem::remove(context.ThemesFolder / ".thm");

        theme = unusual();
        settings.CurrentTheme = name;
        EXPECT_TRUE(loadCurrentTheme(context));
        EXPECT_EQ(theme, ThemeRecord{});
        EXPECT_EQ(settings.CurrentTheme, u"");
        EXPECT_EQ(readFile(context.ThemesFolder / ".thm"), kDefaultLine);

        list.names = {name, u"Night"};
        list.selected = 0;
        settings.CurrentTheme = u"Night";
        EXPECT_FALSE(newThemeRequest(list, settings));
        EXPECT_EQ(settings.CurrentTheme, u"Night");
        EXPECT_FALSE(deleteSelectedTheme(list, context));
        theme = planted;
        ASSERT_TRUE(applySelectedTheme(list, context, LanguageTable{}));
        EXPECT_EQ(theme, ThemeRecord{});
        EXPECT_TRUE(savedScheme(""));
        EXPECT_EQ(readFile(naive), before);
        EXPECT_EQ(std::filesystem::last_write_time(naive), written);
    }
    // A safe name loads its own file.
    settings.CurrentTheme = u"Night";
    EXPECT_TRUE(loadCurrentTheme(context));
    EXPECT_EQ(theme, planted);
}
