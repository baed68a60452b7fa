#include "engine/book.h"
#include "engine/bookmark_markers.h"
#include "text/text_paths.h"

#include "test_support.h"

#include <gtest/gtest.h>

// Decoding, layout and bookmarks of whole real books are held by the recorded
// books of tests/tools/golden_books_test.cpp; these are the edges they miss.

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// A saved bookmark value: the 1-based position and the code of its character.
std::u16string value(std::size_t position, char16_t character)
{
    const std::string text = std::to_string(position) + "," + std::to_string(gbk().charCode(character));
    return std::u16string(text.begin(), text.end());
}

// Opens a book, with the given bookmarks saved under its title "Novel".
Book openFile(const std::filesystem::path &path, const BookSettings &settings,
              std::optional<BookmarkSource::BookmarkValues> saved = {})
{
    const FakeBookmarks bookmarks(u"Novel", saved.value_or(BookmarkSource::BookmarkValues{}));
    return Book_CreatBOOK(text::textFromPath(path), false, settings, fixedMetrics(), gbk(),
                          saved ? &bookmarks : nullptr);
}

// Nine lines of twelve distinct Chinese characters: with two lines per page
// (height 136) they fill pages 1 to 3 with three lines each. Character
// `column` of line `line` is at 1 + 14 * line + column.
std::u16string nineLines()
{
    std::u16string text;
    for (int line = 0; line < 9; ++line)
        text += (line > 0 ? u"\r\n" : u"") + chinese(12, char16_t(u'一' + 12 * line));
    return text;
}

} // namespace

// The name after the last separator, up to three characters after its last
// dot; the title drops a lower-case ".txt" only.
TEST(BookFileName, KeepsThreeCharactersAfterTheLastDotOfTheName)
{
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"C:\\Books\\Novel.txt", u"Novel.txt"}, {u"/books/a.text", u"a.tex"}, {u"/books/a.b", u"a.b"},
        {u"/my.books/README", u"README"},        {u"/books/", u""},
    };
    checkEachCase(cases, [](const auto &c) { EXPECT_EQ(bookFileNameFromPath(c.first), c.second); });
    EXPECT_EQ(bookTitleFromFileName(u"a.txt.txt"), u"a");
    EXPECT_EQ(bookTitleFromFileName(u"Book.TXT"), u"Book.TXT");
}

TEST(IsAsianChar, NeedsElevenDoubleByteCharactersInARowInTheFirstThousand)
{
    const std::pair<std::u16string, bool> cases[] = {
        {chinese(11) + u"0123456789", true}, {chinese(10) + u"0123456789", false},
        {chinese(20), false} /* the last ten are never run starts */, {chinese(21), true},
        {repeat(chinese(10) + u" ", 50), false}, {std::u16string(990, u'a') + chinese(100), false},
        {std::u16string(979, u'a') + chinese(100), true},
    };
    checkEachCase(cases, [](const auto &c) { EXPECT_EQ(IsAsianChar(c.first, gbk()), c.second); });
}

// A clipboard book takes no bookmarks; a file that is empty, unreadable or
// missing opens as one empty spread.
TEST(CreatBOOK, ClipboardBooksAndUnreadableFiles)
{
    const FakeBookmarks bookmarks(u"Clipboard text", {u"1,65"});
    const Book clipboard = Book_CreatBOOK(u"Some text", true, page(600, 900), fixedMetrics(), gbk(), &bookmarks);
    EXPECT_EQ(clipboard.BookFileName, u"Clipboard text");
    EXPECT_TRUE(clipboard.Bookmarks.empty());
    ScratchFolder folder;
    for (const auto &path : {folder.write("empty.txt", ""), folder.write("utf32.txt", std::string("\xFF\xFE\0\0A\0\0\0", 8)),
                             folder.path() / "missing.txt"}) {
        const Book book = openFile(path, page(600, 900));
        EXPECT_EQ(book.Error, EngineError::None);
        EXPECT_EQ(pagesOf(book), (std::vector<std::u16string>{u"", u""}));
    }
}

// Empty keys keep their place and positions outside the text stay unmarked
// (as the golden books show); a value without a code is kept, and the marker
// is a character the text does not hold.
TEST(LoadBookmarks, KeepsGapsAndBadPositionsAndPicksAnUnusedMarker)
{
    Book book;
    book.BookText = u"0123\uFFFF\uFFFE6789";
    book.BookTitle = u"T";
    loadBookmarks(book, FakeBookmarks(u"T", {u"0,48", u"11,48", u"", u"2"}));
    ASSERT_EQ(book.Bookmarks.size(), 4u);
    EXPECT_EQ(book.Bookmarks[3], (BookmarkRec{2, u""}));
    EXPECT_EQ(book.BookmarkCount, 4);
    EXPECT_EQ(book.MarkedBookmarks.size(), 1u);
    EXPECT_EQ(book.BookText, u"0\uFDD023\uFFFF\uFFFE6789");
}

TEST(Bookmarks, AreMarkedInPositionOrderAndKeepTheirEntry)
{
    ScratchFolder folder;
    const std::u16string text = nineLines();
    const auto path = folder.write("Novel.txt", gbkBytes(text));
    const auto at = [&](std::size_t position) { return value(position, text[position - 1]); };
    const Book book = openFile(path, page(1000, 136), {{at(101), at(57), at(72)}});
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
    // The book, its page, the bookmark under "BM1" and the page it is recorded
    // on: a marker over another character, a code naming none, a plus sign, a
    // single spread.
    const std::tuple<std::string, BookSettings, std::u16string, std::int32_t> cases[] = {
        {chineseBytes, page(1000, 136), value(43, u'A'), 2}, {chineseBytes, page(1000, 136), u"57,", 2},
        {gbkBytes(chinese(30)), page(600, 900), u"5,65", 0},  {westernBytes, page(600, 136), u"12,65", 1},
        {westernBytes, page(600, 136), u"3,", 0},            {westernBytes, page(600, 136), u"12,+105", 0},
        {"Hello world", page(600, 900), u"7,87", 0},
    };
    ScratchFolder folder;
    checkEachCase(cases, [&](const auto &c) {
        const auto &[bytes, settings, saved, expectedPage] = c;
        const auto path = folder.write("Novel.txt", bytes);
        const Book book = openFile(path, settings, {{saved}});
        EXPECT_EQ(pagesOf(book), pagesOf(openFile(path, settings)));
        ASSERT_EQ(book.MarkedBookmarks.size(), 1u);
        EXPECT_EQ(book.MarkedBookmarks[0].page, expectedPage);
        EXPECT_EQ(book.BookmarkPages, expectedPage ? std::vector<std::int32_t>{expectedPage} : std::vector<std::int32_t>{});
    });
}
