#include "platform/bookmark_file.h"

#include "../support/full_disk.h"
#include "../support/kill_while_writing.h"
#include "app_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// 山居秋暝录 in UTF-8.
const std::string kTitleUtf8 = "\xE5\xB1\xB1\xE5\xB1\x85\xE7\xA7\x8B\xE6\x9A\x9D\xE5\xBD\x95";

using Marks = std::vector<StoredBookmark>;

} // namespace

// The section test is a plain, case-sensitive search of the text, comments
// included; keys match in any case, and values are trimmed and cut at 255
// characters like the profile functions hand them over.
TEST(BookmarkFile, ReadsSectionsAndKeysLikeTheProfileFunctions)
{
    const ScratchFolder scratch;
    const BookmarkFile file(scratch.write("BMK.ini", "[Novel]\r\nBM1=  12,-19004  \r\nbm2=" +
                                                         std::string(300, '7') + "\r\n; [Mentioned]\r\n"),
                            gbk());
    EXPECT_FALSE(file.hasSection(u"novel"));
    EXPECT_TRUE(file.hasSection(u"Mentioned"));
    EXPECT_FALSE(BookmarkFile("/no/such/BMK.ini", gbk()).hasSection(u"Novel"));
    // Book creation reads the four values in one go.
    EXPECT_EQ(file.bookmarkValues(u"Novel"),
              (BookmarkFile::BookmarkValues{u"12,-19004", std::u16string(255, u'7'), u"", u""}));
    EXPECT_FALSE(file.bookmarkValues(u"Other").has_value());
}

// A write changes one line and keeps the rest of the file byte for byte;
// names and values that would split a line are refused.
TEST(BookmarkFile, WritesChangeOnlyTheirOwnLinesAndRefuseLineBreaks)
{
    const ScratchFolder scratch;
    BookmarkFile file(scratch / "BMK.ini", gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"1234,-19004"));
    ASSERT_TRUE(file.writeKey(u"山居秋暝录", u"BM1", u"56,65"));
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM2", u"7890,66"));
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"99,67"));
    const std::string written = "[Novel]\r\nBM1=99,67\r\nBM2=7890,66\r\n[" + kTitleUtf8 + "]\r\nBM1=56,65\r\n";
    EXPECT_EQ(readFile(file.path()), written);
    for (const auto &[section, key, value] : {std::tuple{u"Novel\r\n[Other]", u"BM1", u"1,2"},
                                              {u"Novel", u"BM1", u"1,2\nBM2=3,4"}, {u"Novel", u"BM=1", u"1,2"},
                                              {u"Novel", u"", u"1,2"}})
        EXPECT_FALSE(file.writeKey(section, key, value));
    EXPECT_EQ(readFile(file.path()), written);

    // Titles with brackets read back, and a prefix of one is another title.
    ASSERT_TRUE(file.rewriteSection(u"Tales [2]", Marks{{300, u"65"}, {200, u"66"}}));
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2]", u"BM2"), u"300,65");
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2", u"BM1"), u"");
}

// A rewrite puts the bookmarks in ascending position at the end, after every
// copy of the section (in any case) is gone; the other sections stay.
TEST(BookmarkFile, RewriteAndDeleteReplaceEveryCopyOfTheSection)
{
    const ScratchFolder scratch;
    const auto path = scratch.write("BMK.ini", "[Novel]\r\nBM1=1,2\r\n\r\n[Other]\r\nBM1=5,6\r\n"
                                               "[novel]\r\nBM3=stale\r\nnoequals\r\n");
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.rewriteSection(u"Novel", Marks{{900, u"1"}, {100, u"2"}, {0, u"4"}}));
    EXPECT_EQ(readFile(path), "[Other]\r\nBM1=5,6\r\n[Novel]\r\nBM1=0,4\r\nBM2=100,2\r\nBM3=900,1\r\n");
    // A single bookmark at position 0 is not written: the section goes.
    ASSERT_TRUE(file.rewriteSection(u"Novel", Marks{{0, u"65"}}));
    EXPECT_EQ(readFile(path), "[Other]\r\nBM1=5,6\r\n");
    ASSERT_TRUE(file.deleteSection(u"Absent"));
    ASSERT_TRUE(file.deleteSection(u"Other"));
    EXPECT_EQ(readFile(path), "");
}

// An ANSI file is read in the code page and rewritten in UTF-8. A file with a
// stray byte another program left is no longer valid in either: a write then
// changes only its own section and every other byte stays as it was.
TEST(BookmarkFile, AnsiFilesBecomeUtf8AndAStrayByteKeepsEveryOtherByte)
{
    const ScratchFolder scratch;
    const auto ansi = scratch.write("Ansi.ini", "[\xC9\xBD\xBE\xD3]\r\nBM1=10,-13635\r\n"); // [山居] in GBK
    BookmarkFile ansiFile(ansi, gbk());
    ASSERT_TRUE(ansiFile.writeKey(u"Novel", u"BM1", u"5,65"));
    EXPECT_EQ(readFile(ansi), "[\xE5\xB1\xB1\xE5\xB1\x85]\r\nBM1=10,-13635\r\n[Novel]\r\nBM1=5,65\r\n");

    const std::string kept = "[" + kTitleUtf8 + "]\r\nBM1=10,-13635\r\n[Odd\xFF]\nBM1=3,4\n";
    const auto path = scratch.write("BMK.ini", kept + "[Novel]\r\nBM1=5,65\r\n");
    BookmarkFile file(path, gbk());
    EXPECT_EQ(file.Read_Bmark_Key(u"山居秋暝录", u"BM1"), u"10,-13635");
    ASSERT_TRUE(file.rewriteSection(u"Novel", Marks{{7, u"66"}}));
    EXPECT_EQ(readFile(path), kept + "[Novel]\r\nBM1=7,66\r\n");
}

// A file that is there but cannot be read is never replaced by one holding
// only the new bookmarks; on a full disk a write says it failed and keeps the
// file.
TEST(BookmarkFile, FailedWritesKeepTheFile)
{
    const ScratchFolder scratch;
    std::filesystem::create_directories(scratch / "Folder.ini");
    BookmarkFile folder(scratch / "Folder.ini", gbk());
    EXPECT_FALSE(folder.writeKey(u"Novel", u"BM1", u"1,2"));
    EXPECT_FALSE(folder.rewriteSection(u"Novel", Marks{{1, u"2"}}));
    EXPECT_FALSE(folder.deleteSection(u"Novel"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch / "Folder.ini"));

    BookmarkFile file(scratch / "BMK.ini", gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"1,2"));
    EXPECT_TRUE(writeReportsAFullDisk([&] { return file.rewriteSection(u"Novel", Marks{{9, u"77"}}); }));
    EXPECT_EQ(readFile(file.path()), "[Novel]\r\nBM1=1,2\r\n");
    EXPECT_EQ(entryCount(scratch.path()), 2);
}

// A writer killed in the middle of a rewrite leaves the file as it was or
// as it became, never in between, wherever in the write it is killed.
TEST(BookmarkFile, KilledWritersLeaveAWholeFile)
{
    const ScratchFolder scratch;
    BookmarkFile file(scratch / "BMK.ini", gbk());
    ASSERT_TRUE(file.writeKey(u"Other", u"BM1", u"1,2"));
    const auto report = killWhileWriting(file.path(), [&](int version) {
        file.rewriteSection(u"Novel", Marks{{5.0 + version, std::u16string(std::size_t(1) << 20, u'7')}});
    }, 24, std::chrono::milliseconds(100));
    EXPECT_TRUE(report.torn.empty());
    EXPECT_GE(report.duringWrite, 1);
}
