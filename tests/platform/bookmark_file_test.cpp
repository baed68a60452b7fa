#include "platform/bookmark_file.h"

#include "text/code_page.h"

#include "../support/full_disk.h"
#include "../support/kill_while_writing.h"
#include "../support/scratch_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace quillmoth;

namespace {

const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

std::filesystem::path writeFile(const std::string &name, const std::string &bytes)
{
    const auto folder = quillmoth::testing::programScratchFolder() / "bookmarks";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
    return folder / name;
}

} // namespace

TEST(BookmarkFile, SectionTestIsAPlainCaseSensitiveSearch)
{
    const BookmarkFile file(writeFile("a.ini", "[Novel]\r\nBM1=1,2\r\n; [Mentioned]\r\n"), gbk());
    EXPECT_TRUE(file.hasSection(u"Novel"));
    EXPECT_FALSE(file.hasSection(u"novel"));
    EXPECT_TRUE(file.hasSection(u"Mentioned"));
    EXPECT_FALSE(BookmarkFile("/no/such/BMK.ini", gbk()).hasSection(u"Novel"));
}

TEST(BookmarkFile, ReadsKeysTrimmedAndCutAt255Characters)
{
    const std::string longValue(300, '7');
    const BookmarkFile file(writeFile("b.ini", "[Novel]\r\nBM1=  12,-19004  \r\nBM2=" + longValue +
                                                   "\r\nBM4=\r\n"),
                            gbk());
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"12,-19004");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM2").size(), 255u);
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM3"), u"");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM4"), u"");
    EXPECT_EQ(file.Read_Bmark_Key(u"Other", u"BM1"), u"");

    // Book creation reads the same four values in one go.
    const auto values = file.bookmarkValues(u"Novel");
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ((*values)[0], u"12,-19004");
    EXPECT_EQ((*values)[1].size(), 255u);
    EXPECT_EQ((*values)[2], u"");
    EXPECT_FALSE(file.bookmarkValues(u"Other").has_value());
}

namespace {

std::string readBytes(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

// A bookmark file path in a folder of its own, with no file yet.
std::filesystem::path freshFile(const std::string &name)
{
    const auto folder = quillmoth::testing::programScratchFolder() / "bookmarks" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder / "BMK.ini";
}

} // namespace

TEST(BookmarkFile, WriteKey_CreatesTheFileAndChangesOneLine)
{
    BookmarkFile file(freshFile("write-key"), gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"1234,-19004"));
    ASSERT_TRUE(file.writeKey(u"山居秋暝录", u"BM1", u"56,65"));
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM2", u"7890,66"));
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"99,67"));
    EXPECT_EQ(readBytes(file.path()), "[Novel]\r\nBM1=99,67\r\nBM2=7890,66\r\n"
                                      "[\xE5\xB1\xB1\xE5\xB1\x85\xE7\xA7\x8B\xE6\x9A\x9D\xE5\xBD\x95]\r\n"
                                      "BM1=56,65\r\n");
    EXPECT_TRUE(file.hasSection(u"山居秋暝录"));
    EXPECT_EQ(file.Read_Bmark_Key(u"山居秋暝录", u"BM1"), u"56,65");

    // Line breaks would split the line; such writes are refused.
    EXPECT_FALSE(file.writeKey(u"Novel\r\n[Other]", u"BM1", u"1,2"));
    EXPECT_FALSE(file.writeKey(u"Novel", u"BM1", u"1,2\nBM2=3,4"));
    EXPECT_FALSE(file.writeKey(u"Novel", u"BM=1", u"1,2"));
    EXPECT_FALSE(file.writeKey(u"Novel", u"", u"1,2"));
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"99,67");
}

TEST(BookmarkFile, RewriteSection_WritesBookmarksInAscendingPosition)
{
    const auto path = freshFile("rewrite");
    std::ofstream(path, std::ios::binary) << "[Before]\r\nBM1=1,2\r\n\r\n[Novel]\r\nBM1=900,1\r\n"
                                             "BM2=100,2\r\nBM3=500,3\r\nBM4=700,4\r\n[After]\r\nBM1=3,4\r\n";
    BookmarkFile file(path, gbk());
    const std::vector<StoredBookmark> remaining = {{900, u"1"}, {100, u"2"}, {700, u"4"}};
    ASSERT_TRUE(file.rewriteSection(u"Novel", remaining));
    EXPECT_EQ(readBytes(path), "[Before]\r\nBM1=1,2\r\n\r\n[After]\r\nBM1=3,4\r\n"
                               "[Novel]\r\nBM1=100,2\r\nBM2=700,4\r\nBM3=900,1\r\n");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM4"), u"");

    // Deleting bookmark 2 of 2 leaves bookmark 1 under "BM1" with its own values.
    const std::vector<StoredBookmark> first = {{100, u"-19004"}};
    ASSERT_TRUE(file.rewriteSection(u"Novel", first));
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"100,-19004");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM2"), u"");

    // A single bookmark at position 0 or below is not written; the section goes.
    const std::vector<StoredBookmark> atZero = {{0, u"65"}};
    ASSERT_TRUE(file.rewriteSection(u"Novel", atZero));
    EXPECT_FALSE(file.hasSection(u"Novel"));
    EXPECT_EQ(readBytes(path), "[Before]\r\nBM1=1,2\r\n\r\n[After]\r\nBM1=3,4\r\n");
    const std::vector<StoredBookmark> withZero = {{50, u"66"}, {0, u"65"}};
    ASSERT_TRUE(file.rewriteSection(u"Novel", withZero));
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"0,65");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM2"), u"50,66");
}

TEST(BookmarkFile, RewriteAndDelete_RemoveEveryCopyOfTheSection)
{
    const auto path = freshFile("duplicates");
    std::ofstream(path, std::ios::binary) << "[Novel]\r\nBM1=1,2\r\n[Other]\r\nBM1=5,6\r\n"
                                             "[novel]\r\nBM3=stale\r\nnoequals\r\n";
    BookmarkFile file(path, gbk());
    const std::vector<StoredBookmark> one = {{42, u"7"}};
    ASSERT_TRUE(file.rewriteSection(u"Novel", one));
    EXPECT_EQ(readBytes(path), "[Other]\r\nBM1=5,6\r\n[Novel]\r\nBM1=42,7\r\n");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM3"), u"");

    ASSERT_TRUE(file.deleteSection(u"Novel"));
    ASSERT_TRUE(file.deleteSection(u"Absent"));
    EXPECT_EQ(readBytes(path), "[Other]\r\nBM1=5,6\r\n");
    ASSERT_TRUE(file.rewriteSection(u"Other", {}));
    EXPECT_EQ(readBytes(path), "");
}

TEST(BookmarkFile, TitlesWithBracketsReadBack)
{
    BookmarkFile file(freshFile("brackets"), gbk());
    const std::vector<StoredBookmark> marks = {{300, u"65"}, {200, u"66"}};
    ASSERT_TRUE(file.rewriteSection(u"Tales [2]", marks));
    ASSERT_TRUE(file.writeKey(u"a]b", u"BM1", u"1,2"));
    EXPECT_TRUE(file.hasSection(u"Tales [2]"));
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2]", u"BM1"), u"200,66");
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2]", u"BM2"), u"300,65");
    EXPECT_EQ(file.Read_Bmark_Key(u"a]b", u"BM1"), u"1,2");
    EXPECT_EQ(file.Read_Bmark_Key(u"Tales [2", u"BM1"), u"");
}

TEST(BookmarkFile, AnsiFilesAreRewrittenInUtf8WithNothingLost)
{
    const auto path = freshFile("ansi");
    std::ofstream(path, std::ios::binary) << "[\xC9\xBD\xBE\xD3]\r\nBM1=10,-13635\r\n";  // [山居] in GBK
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"5,65"));
    EXPECT_EQ(readBytes(path), "[\xE5\xB1\xB1\xE5\xB1\x85]\r\nBM1=10,-13635\r\n[Novel]\r\nBM1=5,65\r\n");
    EXPECT_EQ(file.Read_Bmark_Key(u"山居", u"BM1"), u"10,-13635");
}

TEST(BookmarkFile, AFileThatCannotBeReadIsNeverReplaced)
{
    const auto path = freshFile("unreadable");
    std::filesystem::create_directories(path);
    BookmarkFile file(path, gbk());
    EXPECT_FALSE(file.writeKey(u"Novel", u"BM1", u"1,2"));
    const std::vector<StoredBookmark> marks = {{1, u"2"}};
    EXPECT_FALSE(file.rewriteSection(u"Novel", marks));
    EXPECT_FALSE(file.deleteSection(u"Novel"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

// A bookmark file another program left a stray byte in reads every other
// section as it is written, and a write changes only its own section: every
// other byte, line ends included, stays as it was.
TEST(BookmarkFile, AFileThatIsNotUtf8KeepsEveryOtherByte)
{
    const auto path = freshFile("stray");
    const std::string kept = "[山居秋暝录]\r\nBM1=10,-13635\r\n[Odd\xFF]\nBM1=3,4\n";
    writeFile("stray/BMK.ini", kept + "[Novel]\r\nBM1=5,65\r\n");
    BookmarkFile file(path, gbk());
    const auto values = file.bookmarkValues(u"山居秋暝录");
    ASSERT_TRUE(values);
    EXPECT_EQ((*values)[0], u"10,-13635");
    ASSERT_TRUE(file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{7, u"66"}}));
    EXPECT_EQ(readBytes(path), kept + "[Novel]\r\nBM1=7,66\r\n");
}

// On a full disk a bookmark write says it failed and keeps the file.
TEST(BookmarkFile, OnAFullDiskAWriteFailsAndKeepsTheFile)
{
    const auto path = freshFile("full");
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.writeKey(u"Novel", u"BM1", u"1,2"));
    const std::string before = readBytes(path);
    EXPECT_TRUE(quillmoth::testing::writeReportsAFullDisk(
        [&] { return file.rewriteSection(u"Novel", std::vector<StoredBookmark>{{9, u"77"}}); }));
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1);
}

// A writer killed in the middle of a rewrite leaves the file as it was or
// as it became, never in between, wherever in the write it is killed.
TEST(BookmarkFile, KilledWritersLeaveAWholeFile)
{
    const auto path = freshFile("killed");
    BookmarkFile file(path, gbk());
    ASSERT_TRUE(file.writeKey(u"Other", u"BM1", u"1,2"));
    const auto report = quillmoth::testing::killWhileWriting(
        path,
        [&](int version) {
            const std::vector<StoredBookmark> huge = {
                {5.0 + version, std::u16string(std::size_t(1) << 20, u'7')}};
            file.rewriteSection(u"Novel", huge);
        },
        24, std::chrono::milliseconds(100));
    EXPECT_TRUE(report.torn.empty());
    EXPECT_GE(report.duringWrite, 1);
}
