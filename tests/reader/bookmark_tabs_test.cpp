#include "reader/bookmark_tabs.h"

#include "engine/book.h"
#include "text/code_page.h"

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

// Kept in ascending position, the one without a page among them; tabs are
// the placed ones, numbered from 1 in page order, at most four bookmarks.
TEST(BookBookmarks, TabsAreThePlacedBookmarks_InPageOrder)
{
    BookBookmarks bookmarks({{300, u"65", 8}, {100, u"66", 4}, {200, u"67", 0}});
    EXPECT_EQ(bookmarks.tabPages(), (std::vector<std::int32_t>{4, 8}));
    EXPECT_EQ(bookmarks.tabPage(2), 8);
    EXPECT_FALSE(bookmarks.tabPage(3).has_value());
    ASSERT_TRUE(bookmarks.add({150, u"68", 6}));
    EXPECT_EQ(bookmarks.tabPages(), (std::vector<std::int32_t>{4, 6, 8}));
    EXPECT_FALSE(bookmarks.add({400, u"69", 10}));
    ASSERT_TRUE(bookmarks.removeTab(1));
    ASSERT_EQ(bookmarks.entries().size(), 3u);
    EXPECT_EQ(bookmarks.entries()[0].Position, 150);
    EXPECT_EQ(bookmarks.entries()[1].Position, 200); // the unplaced one stays
    EXPECT_FALSE(bookmarks.removeTab(3));
}

TEST(BookBookmarks, FromBook_SkipsGapsAndTakesPagesFromTheMarkers)
{
    Book book;
    book.Bookmarks = {{0, u""}, {50, u"-19004"}, {70, u"65"}};  // BM1 unset
    book.MarkedBookmarks = {{1, u'x', 6}};
    const BookBookmarks bookmarks = BookBookmarks::fromBook(book);
    ASSERT_EQ(bookmarks.entries().size(), 2u);
    EXPECT_EQ(bookmarks.entries()[0], (ReaderBookmark{50, u"-19004", 6}));
    EXPECT_EQ(bookmarks.entries()[1], (ReaderBookmark{70, u"65", 0}));
}

TEST(HitBookmarkTab, FindsTheTabUnderX)
{
    for (const auto &[x, tab] :
         {std::pair{40, 0}, {45, 1}, {143, 1}, {145, 2}, {247, 2}, {300, 3}, {460, 0}})
        EXPECT_EQ(HitBookmarkTab(x, 2), tab) << x;
}

// The mark is the first line of the page found only once in the book: the
// 1-based position of its first character that is not blank, and that
// character's code (signed double-byte for Chinese).
TEST(Fingerprint, TakesTheFirstLineFoundOnlyOnce)
{
    // An empty `marked` means no mark.
    struct Case { std::u16string page, book; std::u16string_view marked, code; };
    const Case cases[] = {
        {u"short\r\nthe same start, twice\r\n  unique line here\r\n",
         u"short\r\nthe same start, twice\r\nthe same start, again\r\n  unique line here\r\n",
         u"unique", u"117"},
        {u"\u3000\u3000秋白醒来的时候天已经大亮了\r\n", u"序\r\n\u3000\u3000秋白醒来的时候天已经大亮了\r\n",
         u"秋", u"-14353"}, // C7 EF in GBK
        // Repeated, too short, or not in the book at all.
        {u"the very same line\r\n", u"the very same line\r\nthe very same line\r\n", {}, {}},
        {u"short\r\nlines\r\n", u"short\r\nlines\r\n", {}, {}},
        {u"reformatted text!\r\n", u"other text entirely", {}, {}},
    };
    const AnsiCodePage gbk = *AnsiCodePage::named("CP936");
    for (const Case &test : cases) {
        SCOPED_TRACE(std::string(test.code.begin(), test.code.end()));
        const auto mark = Fingerprint(test.page, test.book, gbk);
        ASSERT_EQ(mark.has_value(), !test.marked.empty());
        if (!mark)
            continue;
        EXPECT_EQ(mark->position, std::int64_t(test.book.find(test.marked)) + 1);
        EXPECT_EQ(mark->code, test.code);
    }
}

} // namespace
} // namespace quillmoth
