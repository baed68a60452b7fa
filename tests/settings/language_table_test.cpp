#include "settings/language_table.h"

#include "settings_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// Lines "text 0" to "text <count - 1>", each ended by CR LF except maybe the last.
std::string numberedLines(int count, bool finalLineEnd)
{
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += "text " + std::to_string(k);
        if (k + 1 < count || finalLineEnd)
            text += "\r\n";
    }
    return text;
}

std::u16string ascii(const std::string &text) { return std::u16string(text.begin(), text.end()); }

} // namespace

TEST(LanguageTable, LoadLanguage_ReadsOneTextPerLineInKeyOrder)
{
    ScratchFolder folder;
    writeFile(folder / "Full.lan", numberedLines(69, false));
    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(folder / "Full.lan", table));
    ASSERT_EQ(table.size(), 69u);
    for (std::size_t k = 0; k < kLanguageKeys.size(); ++k)
        EXPECT_EQ(table.text(kLanguageKeys[k]), ascii("text " + std::to_string(k)));

    // Lines after the last key are ignored; a byte-order mark is skipped.
    writeFile(folder / "Long.lan", "\xEF\xBB\xBF" + numberedLines(80, true));
    ASSERT_TRUE(LoadLanguage(folder / "Long.lan", table));
    EXPECT_EQ(table.size(), 69u);
    EXPECT_EQ(table.text(u"Book Decoration Themes"), u"text 0");
    EXPECT_EQ(table.text(u"Help"), u"text 68");
}

TEST(LanguageTable, LoadLanguage_KeepsLinesAsTheyAre)
{
    LanguageTable table = LanguageTable::fromText(u"  Themes \r\n\r\nApply\nModify\r\n");
    EXPECT_EQ(table.text(u"Book Decoration Themes"), u"  Themes ");
    EXPECT_EQ(table.text(u"Current"), u"");
    // Only CR LF ends a line.
    EXPECT_EQ(table.text(u"Apply"), u"Apply\nModify");
    // The last CR LF ends a line; it does not start an empty one.
    EXPECT_EQ(table.text(u"Modify"), std::nullopt);
    EXPECT_EQ(table.size(), 3u);

    const std::u16string lf = u"one\ntwo\nthree\n";
    table = LanguageTable::fromText(lf);
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.text(u"Book Decoration Themes"), lf);
}

TEST(LanguageTable, Lookup_IgnoresCaseAndReportsMissingKeys)
{
    const LanguageTable table = LanguageTable::fromText(ascii(numberedLines(30, true)));
    EXPECT_EQ(table.text(u"BackGround"), u"text 25");
    EXPECT_EQ(table.text(u"background"), u"text 25");
    EXPECT_EQ(table.text(u"Help"), std::nullopt);
    EXPECT_EQ(table.text(u"No such key"), std::nullopt);
    EXPECT_EQ(table.textOrKey(u"Help"), u"Help");
    EXPECT_EQ(table.textOrKey(u"CLOSE"), u"text 10");
}

TEST(LanguageTable, LoadLanguage_MissingFileEmptiesUnreadableFileKeeps)
{
    ScratchFolder folder;
    LanguageTable table = LanguageTable::fromText(u"Themes\r\nCurrent");
    ASSERT_TRUE(LoadLanguage(folder / "Missing.lan", table));
    EXPECT_TRUE(table.empty());

    table = LanguageTable::fromText(u"Themes\r\nCurrent");
    std::filesystem::create_directories(folder / "Folder.lan");
    EXPECT_FALSE(LoadLanguage(folder / "Folder.lan", table));
    EXPECT_EQ(table.text(u"Current"), u"Current");

    writeFile(folder / "Empty.lan", "");
    ASSERT_TRUE(LoadLanguage(folder / "Empty.lan", table));
    EXPECT_TRUE(table.empty());
    table = LanguageTable::fromText(u"Themes");
    writeFile(folder / "MarkOnly.lan", "\xEF\xBB\xBF");
    ASSERT_TRUE(LoadLanguage(folder / "MarkOnly.lan", table));
    EXPECT_TRUE(table.empty());
}

TEST(LanguageTable, LoadLanguage_TakesHugeAndBinaryFiles)
{
    ScratchFolder folder;
    std::string huge(50 * 1024 * 1024, 'x');
    huge.replace(10, 2, "\r\n");
    huge[20] = '\0';
    huge[30] = '\xFF';
    writeFile(folder / "Huge.lan", huge);
    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(folder / "Huge.lan", table));
    EXPECT_EQ(table.size(), 2u);
    EXPECT_EQ(table.text(u"Book Decoration Themes"), u"xxxxxxxxxx");
    const std::u16string second = *table.text(u"Current");
    EXPECT_EQ(second[8], u'\0');
    EXPECT_EQ(second[18], u'\uFFFD');
}

TEST(LanguageTable, ChooseLanguageFile_FallsBackWhenTheFileIsMissing)
{
    ScratchFolder folder;
    writeFile(languageFilePath(folder.path(), u"ChineseS"), "中文");
    writeFile(languageFilePath(folder.path(), u"English"), "English");
    EXPECT_EQ(languageFilePath(folder.path(), u"ChineseS"), folder / "Lan" / "ChineseS.lan");

    std::u16string name = u"User";
    EXPECT_EQ(chooseLanguageFile(folder.path(), name), folder / "Lan" / "ChineseS.lan");
    EXPECT_EQ(name, u"ChineseS");
    name = u"English";
    EXPECT_EQ(chooseLanguageFile(folder.path(), name), folder / "Lan" / "English.lan");
    EXPECT_EQ(name, u"English");
    name = u"User";
    EXPECT_EQ(chooseLanguageFile(folder.path(), name, u"English"), folder / "Lan" / "English.lan");
    EXPECT_EQ(name, u"English");
}

TEST(LanguageTable, ApplyLanguage_SetsCaptionsInOrderAndSkipsMissingKeys)
{
    LanguageTable table;
    table.insert(u"Background", u"背景");
    table.insert(u"Close", u"关闭");
    table.insert(u"Save as", u"另存为");
    std::vector<std::pair<std::u16string, std::u16string>> captions;
    const auto record = [&](const CaptionBinding &binding, std::u16string_view caption) {
        captions.emplace_back(std::u16string(binding.control) + u"/" +
                                  ascii(std::to_string(binding.index)),
                              std::u16string(caption));
    };
    ApplyLanguage(table, captionBindings(u"frmThemeSet"), record);
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"eLabel2/0", u"背景"}, {u"BtnClose/-1", u"关闭"}, {u"BtnSaveAs/-1", u"另存为"}};
    EXPECT_EQ(captions, expected);

    captions.clear();
    ApplyLanguage(LanguageTable{}, captionBindings(u"frmPreference"), record);
    const std::vector<std::pair<std::u16string, std::u16string>> fixed = {
        {u"eOption1/10", u"中文(简化)"}, {u"eOption1/11", u"中文(傳統)"}};
    EXPECT_EQ(captions, fixed);

    EXPECT_TRUE(captionBindings(u"frmReader").empty());
    EXPECT_TRUE(captionBindings(u"anything").empty());
    // Every key a window asks for is a key of the language files.
    const LanguageTable all = LanguageTable::fromText(ascii(numberedLines(69, false)));
    for (const char16_t *window : {u"frmMain", u"frmPreference", u"frmThemeSet"}) {
        EXPECT_FALSE(captionBindings(window).empty());
        for (const CaptionBinding &binding : captionBindings(window))
            EXPECT_TRUE(binding.key.empty() || all.text(binding.key).has_value())
                << std::string(binding.key.begin(), binding.key.end());
    }
}
