// Changing the text of an INI file. Reading, loading and saving (UTF-8, the
// ANSI code page, bytes kept as they were) are tested through the bookmark
// file, the one file kept in this format; hostile text is the bookmark_file
// fuzz corpus's part.
#include "platform/ini_file.h"

#include <gtest/gtest.h>

using namespace quillmoth;

// A new key goes after the section's last key, before its blank lines; keys
// and sections match without regard to case.
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
