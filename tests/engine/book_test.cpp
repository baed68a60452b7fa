#include "engine/book.h"
#include "engine/bookmark_markers.h"
#include "engine/bookmark_source.h"
#include "text/text_decoding.h"
#include "text/text_paths.h"

#include "test_support.h"

#include <gtest/gtest.h>

// Decoding, layout and bookmarks of whole real books are held by the recorded
// books of tests/tools/golden_books_test.cpp; these are the edges they miss.

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

std::u16string value(std::size_t position, char16_t character)
{
    const std::string text = std::to_string(position) + "," + std::to_string(gbk().charCode(character));
    return std::u16string(text.begin(), text.end());
}

Book openFile(const std::filesystem::path &path, const BookSettings &settings,
              const BookmarkSource *bookmarks = nullptr)
{
    return Book_CreatBOOK(text::textFromPath(path), false, settings, fixedMetrics(), gbk(), bookmarks);
}

// Nine lines of twelve distinct Chinese characters: with two lines per page
// (height 136) they fill pages 1 to 3 with three lines each.
std::u16string nineLines()
{
    std::u16string text;
    for (int line = 0; line < 9; ++line)
        text += (line > 0 ? u"\r\n" : u"") + chinese(12, char16_t(u'一' + 12 * line));
    return text;
}

// 1-based position of a character of nineLines().
std::size_t positionOf(int line, int column) { return std::size_t(1 + line * 14 + column); }

} // namespace

// The name after the last separator, up to three characters after its last
// dot; a dot in a folder name does not count.
TEST(BookFileName, KeepsThreeCharactersAfterTheLastDotOfTheName)
{
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"C:\\Books\\Novel.txt", u"Novel.txt"}, {u"/books/a.text", u"a.tex"},
        {u"/books/a.b", u"a.b"},                 {u"/my.books/README", u"README"},
        {u"README", u"README"},                  {u"/books/", u""},
    };
    checkEachCase(cases, [](const auto &c) { EXPECT_EQ(bookFileNameFromPath(c.first), c.second); });
    EXPECT_EQ(bookTitleFromFileName(u"a.txt.txt"), u"a");
    EXPECT_EQ(bookTitleFromFileName(u"Book.TXT"), u"Book.TXT");
}

TEST(IsAsianChar, NeedsElevenDoubleByteCharactersInARowInTheFirstThousand)
{
    EXPECT_TRUE(IsAsianChar(chinese(11) + u"0123456789", gbk()));
    EXPECT_FALSE(IsAsianChar(chinese(10) + u"0123456789", gbk()));
    EXPECT_FALSE(IsAsianChar(chinese(20), gbk()));  // the last ten are never run starts
    EXPECT_TRUE(IsAsianChar(chinese(21), gbk()));
    EXPECT_FALSE(IsAsianChar(repeat(chinese(10) + u" ", 50), gbk()));
    EXPECT_FALSE(IsAsianChar(std::u16string(990, u'a') + chinese(100), gbk()));
    EXPECT_TRUE(IsAsianChar(std::u16string(979, u'a') + chinese(100), gbk()));
}

TEST(CreatBOOK, ClipboardBookHasItsNameAndNoBookmarks)
{
    const FakeBookmarks bookmarks(u"Clipboard text", {{u"BM1", u"1,65"}});
    const Book book = Book_CreatBOOK(u"Some text", true, page(600, 900), fixedMetrics(), gbk(), &bookmarks);
    EXPECT_EQ(book.BookFileName, u"Clipboard text");
    EXPECT_TRUE(book.Bookmarks.empty());
    EXPECT_FALSE(book.DetectedEncoding.has_value());
}

TEST(CreatBOOK, EmptyAndUnreadableFilesBecomeOneEmptySpread)
{
    ScratchFolder folder;
    for (const auto &path : {folder.write("empty.txt", ""),
                             folder.write("utf32.txt", std::string("\xFF\xFE\0\0A\0\0\0", 8)),
                             folder.path() / "missing.txt"}) {
        const Book book = openFile(path, page(600, 900));
        EXPECT_EQ(book.Error, EngineError::None);
        EXPECT_EQ(pagesOf(book), (std::vector<std::u16string>{u"", u""}));
    }
}

// Empty keys keep their place, positions outside the text stay unmarked, and
// the marker is a character the text does not hold.
TEST(LoadBookmarks, KeepsGapsAndBadPositionsAndPicksAnUnusedMarker)
{
    Book book;
    book.BookText = u"0123\uFFFF\uFFFE6789";
    book.BookTitle = u"T";
    loadBookmarks(book, FakeBookmarks(u"T", {{u"BM1", u"0,48"}, {u"BM2", u"11,48"}, {u"BM4", u"2"}}));
    ASSERT_EQ(book.Bookmarks.size(), 4u);
    EXPECT_EQ(book.Bookmarks[2], BookmarkRec{});
    EXPECT_EQ(book.Bookmarks[1].Position, 11);
    EXPECT_EQ(book.Bookmarks[3], (BookmarkRec{2, u""}));
    EXPECT_EQ(book.BookmarkCount, 4);
    EXPECT_EQ(book.MarkedBookmarks.size(), 1u);
    EXPECT_EQ(book.BookmarkMarker, u'\uFDD0');
    EXPECT_EQ(book.BookText, u"0\uFDD023\uFFFF\uFFFE6789");
}

TEST(Bookmarks, AreMarkedInPositionOrderAndKeepTheirEntry)
{
    ScratchFolder folder;
    const std::u16string text = nineLines();
    const auto path = folder.write("Novel.txt", gbkBytes(text));
    const auto at = [&](int line, int column) {
        return value(positionOf(line, column), text[positionOf(line, column) - 1]);
    };
    const FakeBookmarks bookmarks(u"Novel", {{u"BM1", at(7, 2)}, {u"BM2", at(4, 0)}, {u"BM3", at(5, 1)}});
    const Book book = openFile(path, page(1000, 136), &bookmarks);
    EXPECT_EQ(pagesOf(book), pagesOf(openFile(path, page(1000, 136))));
    EXPECT_EQ(book.BookmarkPages, (std::vector<std::int32_t>{2, 2, 3}));
    ASSERT_EQ(book.MarkedBookmarks.size(), 3u);
    EXPECT_EQ(book.MarkedBookmarks[0].entry, 1u);
    EXPECT_EQ(book.MarkedBookmarks[2].entry, 0u);
}

// The character a marker covers always comes back, whatever the saved code
// names; Chinese layout records every marker's page, Western layout only those
// whose code names a character, and a single spread none.
TEST(Bookmarks, PutBackTheCoveredCharacterAndRecordTheirPage)
{
    const std::string chineseBytes = gbkBytes(nineLines());
    const std::string westernBytes = "line one\r\nline two\r\nline three\r\nline four";
    // The book, its page, the bookmark under "BM1" and the page it is recorded on.
    const std::tuple<std::string, BookSettings, std::u16string, std::int32_t> cases[] = {
        {chineseBytes, page(1000, 136), value(positionOf(3, 0), u'A'), 2},  // another character
        {chineseBytes, page(1000, 136), u"57,", 2},                         // a code naming none
        {gbkBytes(chinese(30)), page(600, 900), u"5,65", 0},               // a single spread
        {westernBytes, page(600, 136), u"12,105", 1},                       // the covered character
        {westernBytes, page(600, 136), u"12,65", 1},                        // another character
        {westernBytes, page(600, 136), u"3,", 0},                           // a code naming none
        {westernBytes, page(600, 136), u"12,+105", 0},                      // a plus sign
        {"Hello world", page(600, 900), u"7,87", 0},                        // a single spread
    };
    ScratchFolder folder;
    checkEachCase(cases, [&](const auto &c) {
        const auto &[bytes, settings, saved, expectedPage] = c;
        const auto path = folder.write("Novel.txt", bytes);
        const FakeBookmarks bookmarks(u"Novel", {{u"BM1", saved}});
        const Book book = openFile(path, settings, &bookmarks);
        EXPECT_EQ(pagesOf(book), pagesOf(openFile(path, settings)));
        ASSERT_EQ(book.MarkedBookmarks.size(), 1u);
        EXPECT_EQ(book.MarkedBookmarks[0].page, expectedPage);
        EXPECT_EQ(book.BookmarkPages,
                  expectedPage ? std::vector<std::int32_t>{expectedPage} : std::vector<std::int32_t>{});
    });
}
