#include "platform/ini_file.h"

#include "text/code_page.h"

#include "../support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillmoth;

namespace {

const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

std::filesystem::path scratchFile(const std::string &name)
{
    const auto folder = quillmoth::testing::programScratchFolder() / "ini";
    std::filesystem::create_directories(folder);
    return folder / name;
}

} // namespace

TEST(IniFile, ReadsLikeProfileStrings)
{
    const IniFile file = IniFile::fromText(u"; comment\r\n[Novel]\r\n BM1 = 12,34 \r\nbm2=\"5,6\"\n"
                                           u"[Other]\rBM1=9\r\n[novel]\r\nBM3=dup\r\n");
    EXPECT_EQ(file.value(u"Novel", u"BM1"), u"12,34");
    EXPECT_EQ(file.value(u"NOVEL", u"Bm1"), u"12,34");
    EXPECT_EQ(file.value(u"Novel", u"BM2"), u"5,6");
    EXPECT_EQ(file.value(u"Other", u"BM1"), u"9");
    // Only the first of two sections with one name is read.
    EXPECT_FALSE(file.value(u"Novel", u"BM3").has_value());
    EXPECT_FALSE(file.value(u"Missing", u"BM1").has_value());
    EXPECT_TRUE(file.hasSection(u"other"));
}

TEST(IniFile, FirstDuplicateKeyWinsAndLinesWithoutEqualsAreEmptyKeys)
{
    const IniFile file = IniFile::fromText(u"[S]\nkey=one\nkey=two\nlonely\n=nothing\n");
    EXPECT_EQ(file.value(u"S", u"key"), u"one");
    EXPECT_EQ(file.value(u"S", u"lonely"), u"");
    EXPECT_FALSE(file.value(u"S", u"").has_value());
}

TEST(IniFile, WritesChangeOnlyWhatTheyNeed)
{
    IniFile file = IniFile::fromText(u"[A]\r\nBM1=1,2\r\n\r\n[B]\r\nBM1=3,4\r\n");
    file.setValue(u"A", u"BM2", u"5,6");
    file.setValue(u"B", u"bm1", u"7,8");
    file.setValue(u"C", u"BM1", u"9,10");
    EXPECT_EQ(file.text(), u"[A]\r\nBM1=1,2\r\nBM2=5,6\r\n\r\n[B]\r\nBM1=7,8\r\n[C]\r\nBM1=9,10\r\n");
    file.removeSection(u"b");
    file.removeSection(u"missing");
    EXPECT_EQ(file.text(), u"[A]\r\nBM1=1,2\r\nBM2=5,6\r\n\r\n[C]\r\nBM1=9,10\r\n");
}

TEST(IniFile, SavesAsUtf8AndReadsBack)
{
    const auto path = scratchFile("roundtrip.ini");
    IniFile file;
    file.setValue(u"山居秋暝录", u"BM1", u"1234,-19004");
    ASSERT_TRUE(file.save(path));
    const IniFile loaded = IniFile::load(path, gbk());
    EXPECT_EQ(loaded.value(u"山居秋暝录", u"BM1"), u"1234,-19004");
    std::ifstream stream(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(stream)), {});
    EXPECT_EQ(bytes, "[\xE5\xB1\xB1\xE5\xB1\x85\xE7\xA7\x8B\xE6\x9A\x9D\xE5\xBD\x95]\r\nBM1=1234,-19004\r\n");
}

TEST(IniFile, ReadsAnsiFilesThatAreNotUtf8)
{
    const auto path = scratchFile("ansi.ini");
    std::ofstream(path, std::ios::binary) << "[\xB5\xC4]\r\nBM1=1,2\r\n";  // [的] in GBK
    EXPECT_EQ(IniFile::load(path, gbk()).value(u"的", u"BM1"), u"1,2");
}

TEST(IniFile, TakesAnyBytes)
{
    std::u16string junk(u"[\0]\r\n=\r\n[[]]]\r\n==\r\n\uFFFF=?\r\n[", 25);
    junk[junk.find(u'?')] = char16_t(0xD800);
    const IniFile file = IniFile::fromText(junk);
    EXPECT_FALSE(file.value(u"x", u"y").has_value());
    EXPECT_EQ(file.value(u"[", u"="), std::nullopt);
    EXPECT_EQ(file.value(u"[]]", u"\uFFFF"), std::u16string(1, char16_t(0xD800)));
}
