#include "platform/bookmark_source_adapter.h"

#include "engine/book.h"
#include "engine/text_metrics.h"
#include "text/code_page.h"
#include "text/text_paths.h"

#include "../text/text_test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using quillmoth::testing::gbk;
using quillmoth::testing::ScratchFolder;

// What the reader does: a book's bookmarks are written back through the file
// and the next opening of the book finds them, through the source, where
// they were.
TEST(BookmarkFileSource, BookmarksWrittenFromABookComeBackOnTheNextOpening)
{
    const ScratchFolder folder;
    const auto bookPath = folder.write("Novel.txt", "first line\r\nsecond line\r\nthird line");
    BookmarkFile file(folder.path() / "BMK.ini", gbk());
    const std::vector<BookmarkRec> saved = {{15, u"99"}, {3, u"114"}};
    ASSERT_TRUE(file.rewriteSection(u"Novel", storedBookmarks(saved)));

    const BookmarkFileSource source(file);
    const FixedTextMetrics metrics(8, 16, 18);
    const Book book = Book_CreatBOOK(text::textFromPath(bookPath), false, BookSettings{}, metrics,
                                     gbk(), &source);
    EXPECT_EQ(book.Bookmarks, (std::vector<BookmarkRec>{{3, u"114"}, {15, u"99"}}));
    EXPECT_EQ(book.MarkedBookmarks.size(), 2u);
    EXPECT_EQ(book.Pages.page(1), u"first line\r\nsecond line\r\nthird line");
}
