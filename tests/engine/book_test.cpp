#include "engine/book.h"
#include "engine/bookmark_markers.h"
#include "engine/bookmark_source.h"
#include "text/text_decoding.h"
#include "text/text_ops.h"
#include "text/text_paths.h"

#include "test_support.h"

#include <gtest/gtest.h>


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
    for (int line = 0; line < 9; ++line) {
        if (line > 0)
            text += u"\r\n";
        text += chinese(12, char16_t(u'一' + 12 * line));
    }
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
        {u"/books/Novel.txt", u"Novel.txt"},  {u"C:\\Books\\Novel.txt", u"Novel.txt"},
        {u"/books/a.text", u"a.tex"},         {u"/books/a.b", u"a.b"},
        {u"Novel.txt", u"Novel.txt"},         {u"/books/README", u"README"},
        {u"/my.books/README", u"README"},     {u"C:\\my.books\\README", u"README"},
        {u"README", u"README"},               {u"/books/", u""},
    };
    checkEachCase(cases, [](const auto &c) { EXPECT_EQ(bookFileNameFromPath(c.first), c.second); });
}

TEST(BookTitle, DropsEveryDotTxtCaseSensitively)
{
    EXPECT_EQ(bookTitleFromFileName(u"Novel.txt"), u"Novel");
    EXPECT_EQ(bookTitleFromFileName(u"a.txt.txt"), u"a");
    EXPECT_EQ(bookTitleFromFileName(u"Book.TXT"), u"Book.TXT");
}

TEST(IsAsianChar, NeedsElevenDoubleByteCharactersInARow)
{
    EXPECT_TRUE(IsAsianChar(chinese(11) + u"0123456789", gbk()));
    EXPECT_FALSE(IsAsianChar(chinese(10) + u"0123456789", gbk()));  // only ten counted
    EXPECT_FALSE(IsAsianChar(chinese(20), gbk()));
    EXPECT_TRUE(IsAsianChar(chinese(21), gbk()));
    std::u16string tens;
    for (int i = 0; i < 50; ++i)
        tens += chinese(10) + u" ";
    EXPECT_FALSE(IsAsianChar(tens, gbk()));
    // Only the first thousand characters are examined.
    EXPECT_FALSE(IsAsianChar(std::u16string(990, u'a') + chinese(100), gbk()));
    EXPECT_TRUE(IsAsianChar(std::u16string(979, u'a') + chinese(100), gbk()));
    // Characters the code page cannot encode are single-byte "?".
    EXPECT_FALSE(IsAsianChar(std::u16string(40, u'\u0E01'), gbk()));
}

TEST(CreatBOOK, ClipboardBookHasItsNameAndNoBookmarks)
{
    const FakeBookmarks bookmarks(u"Clipboard text", {{u"BM1", u"1,65"}});
    const Book book = Book_CreatBOOK(u"Some text", true, page(600, 900), fixedMetrics(), gbk(), &bookmarks);
    EXPECT_EQ(book.BookFileName, u"Clipboard text");
    EXPECT_EQ(book.BookPath, u"Some text");
    EXPECT_EQ(book.BookText, u"Some text");
    EXPECT_TRUE(book.Bookmarks.empty());
    EXPECT_FALSE(book.DetectedEncoding.has_value());
    EXPECT_FALSE(book.IsBusy);
}

TEST(CreatBOOK, ReadsEveryEncodingToTheSamePages)
{
    ScratchFolder folder;
    const std::u16string text = nineLines();
    std::string utf16;
    for (char16_t c : text) {
        utf16 += char(c & 0xFF);
        utf16 += char(c >> 8);
    }
    const Book ansi = openFile(folder.write("ansi.txt", gbkBytes(text)), page(1000, 136));
    const Book little = openFile(folder.write("le.txt", "\xFF\xFE" + utf16), page(1000, 136));
    EXPECT_EQ(ansi.DetectedEncoding, kAnsi);
    EXPECT_EQ(little.DetectedEncoding, kUtf16LittleEndian);
    EXPECT_TRUE(ansi.IsCJK);
    EXPECT_EQ(ansi.PageCount, 4);
    EXPECT_EQ(pagesOf(ansi), pagesOf(little));
}

TEST(CreatBOOK, EmptyAndUnreadableFilesBecomeOneEmptySpread)
{
    ScratchFolder folder;
    for (const auto &path : {folder.write("empty.txt", ""),
                             folder.write("utf32.txt", std::string("\xFF\xFE\0\0A\0\0\0", 8)),
                             folder.path() / "missing.txt"}) {
        const Book book = openFile(path, page(600, 900));
        EXPECT_EQ(book.Error, EngineError::None);
        EXPECT_FALSE(book.IsCJK);
        EXPECT_EQ(book.PageCount, 2);
        EXPECT_EQ(pagesOf(book), (std::vector<std::u16string>{u"", u""}));
    }
}

TEST(CreatBOOK, ForcedBig5DecodesWithoutDetection)
{
    ScratchFolder folder;
    BookSettings settings = page(600, 900);
    settings.ForceBIG5 = true;
    const Book book = openFile(folder.write("big5.txt", "\xA7\xDA\xAD\xCC"), settings);
    EXPECT_EQ(book.BookText, u"我們");
    EXPECT_FALSE(book.DetectedEncoding.has_value());
}

TEST(LoadBookmarks, KeepsGapsForEmptyKeys)
{
    const FakeBookmarks bookmarks(u"Novel", {{u"BM3", u"4,51"}});
    Book book;
    book.BookText = u"0123456789";
    book.BookTitle = u"Novel";
    loadBookmarks(book, bookmarks);
    ASSERT_EQ(book.Bookmarks.size(), 3u);
    EXPECT_EQ(book.Bookmarks[0], BookmarkRec{});
    EXPECT_EQ(book.Bookmarks[1], BookmarkRec{});
    EXPECT_EQ(book.Bookmarks[2], (BookmarkRec{4, u"51"}));
    EXPECT_EQ(book.BookmarkCount, 3);
    EXPECT_EQ(book.BookText[3], book.BookmarkMarker);
}

TEST(LoadBookmarks, KeepsOutOfRangePositionsUnmarked)
{
    Book book;
    book.BookText = u"0123456789";
    book.BookTitle = u"T";
    const FakeBookmarks bookmarks(
        u"T", {{u"BM1", u"0,48"}, {u"BM2", u"11,48"}, {u"BM3", u"abc,48"}, {u"BM4", u"2"}});
    loadBookmarks(book, bookmarks);
    ASSERT_EQ(book.Bookmarks.size(), 4u);
    EXPECT_EQ(book.BookText.substr(0, 1), u"0");
    EXPECT_EQ(book.BookText[1], book.BookmarkMarker);  // "2" has no code but a position
    EXPECT_EQ(book.Bookmarks[3].CharCode, u"");
    EXPECT_EQ(book.MarkedBookmarks.size(), 1u);
    EXPECT_EQ(book.Bookmarks[1].Position, 11);
}

TEST(LoadBookmarks, ChoosesAMarkerAbsentFromTheText)
{
    Book book;
    book.BookText = u"a\uFFFFb\uFFFEc";
    book.BookTitle = u"T";
    loadBookmarks(book, FakeBookmarks(u"T", {{u"BM1", u"1,97"}}));
    EXPECT_EQ(book.BookmarkMarker, u'\uFDD0');
    EXPECT_EQ(book.BookText, u"\uFDD0\uFFFFb\uFFFEc");
}

TEST(Bookmarks, RestoreOnTheirPagesInPositionOrder)
{
    ScratchFolder folder;
    const std::u16string text = nineLines();
    const auto path = folder.write("Novel.txt", gbkBytes(text));
    const Book plain = openFile(path, page(1000, 136));

    // Saved out of page order, two on page 2.
    const FakeBookmarks bookmarks(
        u"Novel", {{u"BM1", value(positionOf(7, 2), text[positionOf(7, 2) - 1])},
                   {u"BM2", value(positionOf(4, 0), text[positionOf(4, 0) - 1])},
                   {u"BM3", value(positionOf(5, 1), text[positionOf(5, 1) - 1])},
                   {u"BM4", u"99999,65"}});
    const Book book = openFile(path, page(1000, 136), &bookmarks);
    EXPECT_EQ(book.Error, EngineError::None);
    EXPECT_EQ(pagesOf(book), pagesOf(plain));
    EXPECT_EQ(book.BookmarkPages, (std::vector<std::int32_t>{2, 2, 3}));
    // The marked bookmarks, in Position order, keep the pages they were found on.
    ASSERT_EQ(book.MarkedBookmarks.size(), 3u);
    EXPECT_EQ(book.MarkedBookmarks[0].page, 2);
    EXPECT_EQ(book.MarkedBookmarks[0].entry, 1u);
    EXPECT_EQ(book.MarkedBookmarks[2].page, 3);
    EXPECT_EQ(book.MarkedBookmarks[2].entry, 0u);
    EXPECT_EQ(book.BookmarkCount, 3);
    EXPECT_EQ(book.Bookmarks.size(), 4u);
    EXPECT_NE(book.BookText, text);  // the markers stay in the book text
}

namespace {

// One bookmark under "BM1" of a book, and where it must be recorded.
struct PlacementCase {
    const char *name;
    std::string bytes;
    BookSettings settings;
    std::u16string value;
    std::int32_t page;
    std::vector<std::int32_t> bookmarkPages;
};

std::vector<PlacementCase> placementCases()
{
    const std::u16string chineseText = nineLines();
    const std::string chineseBytes = gbkBytes(chineseText);
    const std::size_t atPage2 = positionOf(3, 0);
    const std::string westernBytes = "line one\r\nline two\r\nline three\r\nline four";
    return {
        {"Chinese, the covered character", chineseBytes, page(1000, 136),
         value(atPage2, chineseText[atPage2 - 1]), 2, {2}},
        {"Chinese, another character", chineseBytes, page(1000, 136), value(atPage2, u'A'), 2, {2}},
        {"Chinese, a code that names none", chineseBytes, page(1000, 136), u"57,", 2, {2}},
        {"Chinese, a single spread", gbkBytes(chinese(30)), page(600, 900), u"5,65", 0, {}},
        {"Western, the covered character", westernBytes, page(600, 136), u"12,105", 1, {1}},
        {"Western, another character", westernBytes, page(600, 136), u"12,65", 1, {1}},
        {"Western, a code that names none", westernBytes, page(600, 136), u"3,", 0, {}},
        {"Western, a code with a plus sign", westernBytes, page(600, 136), u"12,+105", 0, {}},
        {"Western, a single spread", "Hello world", page(600, 900), u"7,87", 0, {}},
    };
}

} // namespace

// The character a marker covers always comes back, whatever the saved code
// names; Chinese layout records every marker's page, Western layout only those
// whose code names a character, and a single spread none.
TEST(Bookmarks, PutBackTheCoveredCharacterAndRecordTheirPage)
{
    ScratchFolder folder;
    for (const PlacementCase &c : placementCases()) {
        SCOPED_TRACE(c.name);
        const auto path = folder.write("Novel.txt", c.bytes);
        const Book plain = openFile(path, c.settings);
        const FakeBookmarks bookmarks(u"Novel", {{u"BM1", c.value}});
        const Book book = openFile(path, c.settings, &bookmarks);
        EXPECT_EQ(book.Error, EngineError::None);
        EXPECT_EQ(pagesOf(book), pagesOf(plain));
        ASSERT_EQ(book.MarkedBookmarks.size(), 1u);
        EXPECT_EQ(book.MarkedBookmarks[0].page, c.page);
        EXPECT_EQ(book.BookmarkPages, c.bookmarkPages);
        EXPECT_EQ(book.BookmarkCount, int(c.bookmarkPages.size()));
    }
}
