#include "settings/language_table.h"

#include "../platform/app_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

std::u16string ascii(const std::string &text) { return std::u16string(text.begin(), text.end()); }

// Lines "text 0" to "text <count - 1>", each ended by CR LF.
std::string numberedLines(int count)
{
    std::string text;
    for (int k = 0; k < count; ++k)
        text += "text " + std::to_string(k) + "\r\n";
    return text;
}

} // namespace

// Keys are looked up without regard to case; lines after the last key are
// ignored and a byte-order mark is skipped.
TEST(LanguageTable, LoadLanguage_ReadsOneTextPerLineInKeyOrder)
{
    ScratchFolder folder;
    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(folder.write("Long.lan", "\xEF\xBB\xBF" + numberedLines(80)), table));
    ASSERT_EQ(table.size(), 69u);
    for (std::size_t k = 0; k < kLanguageKeys.size(); ++k)
        EXPECT_EQ(table.text(kLanguageKeys[k]), ascii("text " + std::to_string(k)));
    EXPECT_EQ(table.textOrKey(u"No such key"), u"No such key");
    EXPECT_EQ(table.textOrKey(u"CLOSE"), u"text 10");
}

// Only CR LF ends a line, and the last one does not start an empty line.
TEST(LanguageTable, LoadLanguage_KeepsLinesAsTheyAre)
{
    const LanguageTable table = LanguageTable::fromText(u"  Themes \r\n\r\nApply\nModify\r\n");
    EXPECT_EQ(table.text(u"Book Decoration Themes"), u"  Themes ");
    EXPECT_EQ(table.text(u"Current"), u"");
    EXPECT_EQ(table.text(u"Apply"), u"Apply\nModify");
    EXPECT_EQ(table.size(), 3u);
}

// A missing file empties the table; one that cannot be read keeps it. Bytes
// that are not text are kept as the replacement character.
TEST(LanguageTable, LoadLanguage_MissingFileEmptiesUnreadableFileKeeps)
{
    ScratchFolder folder;
    LanguageTable table = LanguageTable::fromText(u"Themes\r\nCurrent");
    std::filesystem::create_directories(folder / "Folder.lan");
    EXPECT_FALSE(LoadLanguage(folder / "Folder.lan", table));
    EXPECT_EQ(table.text(u"Current"), u"Current");
    ASSERT_TRUE(LoadLanguage(folder / "Missing.lan", table));
    EXPECT_TRUE(table.empty());

    ASSERT_TRUE(LoadLanguage(folder.write("Binary.lan", std::string("a\0b\xFF\r\n\xEF\xBB\xBF", 10)), table));
    EXPECT_EQ(table.text(u"Book Decoration Themes"), std::u16string(u"a\0b\uFFFD", 4));
}

// Captions are set in the window's order and a missing key leaves its
// caption alone; every key a window asks for is a key of the language files.
// The language names in their own script are set whatever the language: the
// language_file fuzz corpus checks that on every table.
TEST(LanguageTable, ApplyLanguage_SetsCaptionsInOrderAndSkipsMissingKeys)
{
    LanguageTable table;
    table.insert(u"Background", u"背景");
    table.insert(u"Close", u"关闭");
    table.insert(u"Save as", u"另存为");
    std::vector<std::u16string> captions;
    const auto record = [&](const CaptionBinding &binding, std::u16string_view caption) {
        captions.push_back(std::u16string(binding.control) + u"/" + ascii(std::to_string(binding.index)) + u"=" +
                           std::u16string(caption));
    };
    ApplyLanguage(table, captionBindings(u"frmThemeSet"), record);
    EXPECT_EQ(captions,
              (std::vector<std::u16string>{u"eLabel2/0=背景", u"BtnClose/-1=关闭", u"BtnSaveAs/-1=另存为"}));

    const LanguageTable all = LanguageTable::fromText(ascii(numberedLines(69)));
    for (const char16_t *window : {u"frmMain", u"frmPreference", u"frmThemeSet"}) {
        EXPECT_FALSE(captionBindings(window).empty());
        for (const CaptionBinding &binding : captionBindings(window))
            EXPECT_TRUE(binding.key.empty() || all.text(binding.key).has_value())
                << std::string(binding.key.begin(), binding.key.end());
    }
}
