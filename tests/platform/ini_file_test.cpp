// Reading and changing the text of an INI file. Loading and saving (UTF-8,
// the ANSI code page, bytes kept as they were) are tested through the
// bookmark file, the one file kept in this format; hostile text is the
// bookmark_file fuzz corpus's part.
#include "platform/ini_file.h"

#include <gtest/gtest.h>

using namespace quillmoth;

// Sections and keys match without regard to case, values are trimmed and
// lose their quotes, the first of two sections or keys with one name wins,
// and a line without "=" is a key with an empty value.
TEST(IniFile, ReadsLikeProfileStrings)
{
    const IniFile file = IniFile::fromText(u"; comment\r\n[Novel]\r\n BM1 = 12,34 \r\nbm2=\"5,6\"\n"
                                           u"BM1=dup\r\nlonely\r\n=nothing\r\n"
                                           u"[Other]\rBM1=9\r\n[novel]\r\nBM3=dup\r\n");
    EXPECT_EQ(file.value(u"NOVEL", u"Bm1"), u"12,34");
    EXPECT_EQ(file.value(u"Novel", u"BM2"), u"5,6");
    EXPECT_EQ(file.value(u"Novel", u"lonely"), u"");
    EXPECT_FALSE(file.value(u"Novel", u"").has_value());
    EXPECT_EQ(file.value(u"Other", u"BM1"), u"9");
    EXPECT_FALSE(file.value(u"Novel", u"BM3").has_value());
}

TEST(IniFile, WritesChangeOnlyWhatTheyNeed)
{
    IniFile file = IniFile::fromText(u"[A]\r\nBM1=1,2\r\n\r\n[B]\r\nBM1=3,4\r\n");
    file.setValue(u"A", u"BM2", u"5,6");
    file.setValue(u"B", u"bm1", u"7,8");
    file.setValue(u"C", u"BM1", u"9,10");
    EXPECT_EQ(file.text(), u"[A]\r\nBM1=1,2\r\nBM2=5,6\r\n\r\n[B]\r\nBM1=7,8\r\n[C]\r\nBM1=9,10\r\n");
    file.removeSection(u"b");
    EXPECT_EQ(file.text(), u"[A]\r\nBM1=1,2\r\nBM2=5,6\r\n\r\n[C]\r\nBM1=9,10\r\n");
}
