#include "platform/bookmark_file.h"

#include "text/code_page.h"

#include "../support/full_disk.h"
#include "../support/kill_while_writing.h"
#include "app_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

// 山居秋暝录 in UTF-8.
const std::string kTitleUtf8 = "\xE5\xB1\xB1\xE5\xB1\x85\xE7\xA7\x8B\xE6\x9A\x9D\xE5\xBD\x95";

} // namespace

// The section test is a plain, case-sensitive search of the text, comments
// included; keys are trimmed and cut at 255 characters like the profile
// functions hand them over.
TEST(BookmarkFile, ReadsSectionsAndKeysLikeTheProfileFunctions)
{
    const ScratchFolder scratch;
    const BookmarkFile file(scratch.write("BMK.ini", "[Novel]\r\nBM1=  12,-19004  \r\nBM2=" +
                                                         std::string(300, '7') +
                                                         "\r\nBM4=\r\n; [Mentioned]\r\n"),
                            gbk());
    EXPECT_TRUE(file.hasSection(u"Novel"));
    EXPECT_FALSE(file.hasSection(u"novel"));
    EXPECT_TRUE(file.hasSection(u"Mentioned"));
    EXPECT_FALSE(BookmarkFile("/no/such/BMK.ini", gbk()).hasSection(u"Novel"));
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"12,-19004");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM2").size(), 255u);
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM3"), u"");
    EXPECT_EQ(file.Read_Bmark_Key(u"Other", u"BM1"), u"");

    // Book creation reads the same four values in one go.
    const auto values = file.bookmarkValues(u"Novel");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(*values, (BookmarkFile::BookmarkValues{u"12,-19004", std::u16string(255, u'7'), u"", u""}));
    EXPECT_FALSE(file.bookmarkValues(u"Other").has_value());
}

TEST(BookmarkFile, WriteKey_CreatesTheFileAndChangesOneLine)
{
    const ScratchFolder scratch;
    BookmarkFile file(scratch / "BMK.ini", gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"1234,-19004"));
    ASSERT_TRUE(file.writeKey(u"山居秋暝录", u"BM1", u"56,65"));
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM2", u"7890,66"));
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"99,67"));
    EXPECT_EQ(readFile(file.path()),
              "[Novel]\r\nBM1=99,67\r\nBM2=7890,66\r\n[" + kTitleUtf8 + "]\r\nBM1=56,65\r\n");
    EXPECT_EQ(file.Read_Bmark_Key(u"山居秋暝录", u"BM1"), u"56,65");

    // Line breaks would split the line; such writes are refused.
    EXPECT_FALSE(file.writeKey(u"Novel\r\n[Other]", u"BM1", u"1,2"));
    EXPECT_FALSE(file.writeKey(u"Novel", u"BM1", u"1,2\nBM2=3,4"));
    EXPECT_FALSE(file.writeKey(u"Novel", u"BM=1", u"1,2"));
    EXPECT_FALSE(file.writeKey(u"Novel", u"", u"1,2"));
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"99,67");

    // Titles with brackets read back, and a prefix of one is another title.
    ASSERT_TRUE(file.rewriteSection(u"Tales [2]", std::vector<StoredBookmark>{{300, u"65"}, {200, u"66"}}));
    ASSERT_TRUE(file.writeKey(u"a]b", u"BM1", u"1,2"));
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2]", u"BM2"), u"300,65");
    EXPECT_EQ(file.Read_Bmark_Key(u"a]b", u"BM1"), u"1,2");
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2", u"BM1"), u"");
}

TEST(BookmarkFile, RewriteSection_WritesBookmarksInAscendingPosition)
{
    const ScratchFolder scratch;
    const std::string others = "[Before]\r\nBM1=1,2\r\n\r\n[After]\r\nBM1=3,4\r\n";
    const auto path = scratch.write("BMK.ini", "[Before]\r\nBM1=1,2\r\n\r\n[Novel]\r\nBM1=900,1\r\n"
                                               "BM2=100,2\r\nBM3=500,3\r\nBM4=700,4\r\n[After]\r\nBM1=3,4\r\n");
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.rewriteSection(
        u"Novel", std::vector<StoredBookmark>{{900, u"1"}, {100, u"2"}, {700, u"4"}}));
    EXPECT_EQ(readFile(path), others + "[Novel]\r\nBM1=100,2\r\nBM2=700,4\r\nBM3=900,1\r\n");

    // Deleting bookmark 2 of 2 leaves bookmark 1 under "BM1" with its own values.
    ASSERT_TRUE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{100, u"-19004"}}));
    EXPECT_EQ(readFile(path), others + "[Novel]\r\nBM1=100,-19004\r\n");

    // A single bookmark at position 0 or below is not written; the section goes.
    ASSERT_TRUE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{0, u"65"}}));
    EXPECT_EQ(readFile(path), others);
    ASSERT_TRUE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{50, u"66"}, {0, u"65"}}));
    EXPECT_EQ(readFile(path), others + "[Novel]\r\nBM1=0,65\r\nBM2=50,66\r\n");
}

TEST(BookmarkFile, RewriteAndDelete_RemoveEveryCopyOfTheSection)
{
    const ScratchFolder scratch;
    const auto path = scratch.write("BMK.ini", "[Novel]\r\nBM1=1,2\r\n[Other]\r\nBM1=5,6\r\n"
                                               "[novel]\r\nBM3=stale\r\nnoequals\r\n");
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{42, u"7"}}));
    EXPECT_EQ(readFile(path), "[Other]\r\nBM1=5,6\r\n[Novel]\r\nBM1=42,7\r\n");

    ASSERT_TRUE(file.deleteSection(u"Novel"));
    ASSERT_TRUE(file.deleteSection(u"Absent"));
    EXPECT_EQ(readFile(path), "[Other]\r\nBM1=5,6\r\n");
    ASSERT_TRUE(file.rewriteSection(u"Other", {}));
    EXPECT_EQ(readFile(path), "");
}

TEST(BookmarkFile, AnsiFilesAreRewrittenInUtf8WithNothingLost)
{
    const ScratchFolder scratch;
    const auto path = scratch.write("BMK.ini", "[\xC9\xBD\xBE\xD3]\r\nBM1=10,-13635\r\n"); // [山居] in GBK
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"5,65"));
    EXPECT_EQ(readFile(path), "[\xE5\xB1\xB1\xE5\xB1\x85]\r\nBM1=10,-13635\r\n[Novel]\r\nBM1=5,65\r\n");
    EXPECT_EQ(file.Read_Bmark_Key(u"山居", u"BM1"), u"10,-13635");
}

// A bookmark file another program left a stray byte in reads every other
// section as it is written, and a write changes only its own section: every
// other byte, line ends included, stays as it was.
TEST(BookmarkFile, AFileThatIsNotUtf8KeepsEveryOtherByte)
{
    const ScratchFolder scratch;
    const std::string kept = "[" + kTitleUtf8 + "]\r\nBM1=10,-13635\r\n[Odd\xFF]\nBM1=3,4\n";
    const auto path = scratch.write("BMK.ini", kept + "[Novel]\r\nBM1=5,65\r\n");
    BookmarkFile file(path, gbk());
    EXPECT_EQ(file.Read_Bmark_Key(u"山居秋暝录", u"BM1"), u"10,-13635");
    ASSERT_TRUE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{7, u"66"}}));
    EXPECT_EQ(readFile(path), kept + "[Novel]\r\nBM1=7,66\r\n");
}

// A file that is there but cannot be read is never replaced by one holding
// only the new bookmarks.
TEST(BookmarkFile, AFileThatCannotBeReadIsNeverReplaced)
{
    const ScratchFolder scratch;
    std::filesystem::create_directories(scratch / "BMK.ini");
    BookmarkFile file(scratch / "BMK.ini", gbk());
    EXPECT_FALSE(file.writeKey(u"Novel", u"BM1", u"1,2"));
    EXPECT_FALSE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{1, u"2"}}));
    EXPECT_FALSE(file.deleteSection(u"Novel"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch / "BMK.ini"));
}

// On a full disk a bookmark write says it failed and keeps the file.
TEST(BookmarkFile, OnAFullDiskAWriteFailsAndKeepsTheFile)
{
    const ScratchFolder scratch;
    BookmarkFile file(scratch / "BMK.ini", gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"1,2"));
    EXPECT_TRUE(writeReportsAFullDisk(
        [&] { return file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{9, u"77"}}); }));
    EXPECT_EQ(readFile(file.path()), "[Novel]\r\nBM1=1,2\r\n");
    EXPECT_EQ(entryCount(scratch.path()), 1);
}

// A writer killed in the middle of a rewrite leaves the file as it was or
// as it became, never in between, wherever in the write it is killed.
TEST(BookmarkFile, KilledWritersLeaveAWholeFile)
{
    const ScratchFolder scratch;
    BookmarkFile file(scratch / "BMK.ini", gbk());
    ASSERT_TRUE(file.writeKey(u"Other", u"BM1", u"1,2"));
    const auto report = killWhileWriting(
        file.path(),
        [&](int version) {
            const std::vector<StoredBookmark> huge = {
                {5.0 + version, std::u16string(std::size_t(1) << 20, u'7')}};
            file.rewriteSection(u"Novel", huge);
        },
        24, std::chrono::milliseconds(100));
    EXPECT_TRUE(report.torn.empty());
    EXPECT_GE(report.duringWrite, 1);
}
