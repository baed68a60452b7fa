#include "shelf/shelf_layout.h"

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

TEST(ShelfLayout, CanvasIsAsTallAsItsRowsButNeverShorterThanTheViewport)
{
    for (const auto &[books, height] : {std::pair{0, 469}, {8, 469}, {12, 530}, {13, 700},
                                        {10000, 35 + 2499 * 170 + 135 + 20}})
        EXPECT_EQ(shelfCanvasHeight(books), height) << books;
}

TEST(ShelfLayout, HitTestsAreStrictAndStopAtTheLastBook)
{
    struct Case {
        QPoint point;
        int books, index;
    };
    const Case cases[] = {
        {{21, 36}, 12, 0},    {{20, 100}, 12, -1},  // on the left edge
        {{114, 169}, 12, 0},  {{115, 100}, 12, -1}, // on the right edge
        {{130, 100}, 12, -1},                       // between two covers
        {{140, 210}, 12, 5},  {{140, 210}, 5, -1},  // past the last book
        {{470, 100}, 12, -1}, {{-5, -5}, 12, -1},   {{50, 35 + 2499 * 170 + 10}, 10000, 9996},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MouseOverShelf(c.point, c.books), c.index) << c.point.x() << "," << c.point.y();
}

TEST(ShelfLayout, BandHoldsTheRowsThatReachIntoIt)
{
    // Rows span [35 + 170 r, 170 + 170 r).
    EXPECT_EQ(shelfBooksInBand(170, 36, 0, 100), (IndexRange{4, 7})); // row 0 ends at 170
    EXPECT_EQ(shelfBooksInBand(0, 469, 0, 6), (IndexRange{0, 5}));
    EXPECT_TRUE(shelfBooksInBand(0, 30, 0, 100).isEmpty());
    EXPECT_EQ(shelfBooksInBand(1700, 469, 340, 10000), (IndexRange{32, 59}));
}

// Runs the scroll's timer until it stops.
void runScroll(ShelfScroll &scroll)
{
    while (scroll.tick()) {
    }
}

// A notch moves one row, fast first and then slowly; the ends stop the
// motion exactly.
TEST(ShelfScroll, ANotchMovesOneRow_AndTheEndsStopItExactly)
{
    ShelfScroll scroll(shelfCanvasHeight(16), 469); // 35 + 3*170 + 155 = 700
    ASSERT_EQ(scroll.lowestTop(), -(700 - 469));
    scroll.wheel(ShelfScroll::Direction::Down);
    for (int i = 0; i < 10; ++i)
        scroll.tick();
    EXPECT_EQ(scroll.canvasTop(), -150);
    runScroll(scroll);
    EXPECT_EQ(scroll.canvasTop(), -170);
    scroll.wheel(ShelfScroll::Direction::Down);
    runScroll(scroll);
    EXPECT_EQ(scroll.canvasTop(), scroll.lowestTop());
    scroll.wheel(ShelfScroll::Direction::Down); // already at the end
    EXPECT_FALSE(scroll.isRunning());

    scroll.setCanvasTop(-1);
    scroll.wheel(ShelfScroll::Direction::Up); // within a pixel of the top
    EXPECT_FALSE(scroll.isRunning());
    scroll.setCanvasTop(5);
    scroll.wheel(ShelfScroll::Direction::Up);
    EXPECT_EQ(scroll.canvasTop(), 0);

    // A shelf that fits does not scroll at all.
    ShelfScroll fits(shelfCanvasHeight(8), 469);
    fits.wheel(ShelfScroll::Direction::Down);
    EXPECT_FALSE(fits.isRunning());
    EXPECT_EQ(fits.canvasTop(), 0);
}

TEST(CoverPagesLayout, TwelveCoversAPage)
{
    EXPECT_EQ(pageCount(0), 1);
    EXPECT_EQ(pageCount(12), 1);
    EXPECT_EQ(pageCount(13), 2);
    EXPECT_EQ(pageCoverRects(12, 13), (std::vector<CoverRect>{{260, 70, 360, 205}}));
    const std::vector<CoverRect> first = pageCoverRects(0, 13);
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first[11], (CoverRect{260 + 3 * 114, 70 + 2 * 145, 702, 495}));
    EXPECT_EQ(MouseOverCovers({261, 71}, first), 0);
    EXPECT_EQ(MouseOverCovers({260, 71}, first), -1);
    EXPECT_EQ(MouseOverCovers({361, 100}, first), -1);
}

// The buttons end twenty pixels from the right; many pages show the first,
// the last and a run around the current one.
TEST(CoverPagesLayout, PageButtons)
{
    const std::vector<PageButton> buttons = BuildPageButtons(3, 1, QSize(736, 549));
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[2].rect, QRect(716, 531, 16, 16));
    EXPECT_EQ(PageButtonAt(717, buttons), 3);
    EXPECT_EQ(PageButtonAt(716, buttons), -1); // on the edge
    EXPECT_EQ(PageButtonAt(733, buttons), -1);
    EXPECT_EQ(PageButtonAt(680, buttons), 1);
    for (const auto &[current, firstOfRun] : {std::pair{1, 2}, {50, 41}, {834, 816}}) {
        const std::vector<PageButton> many = BuildPageButtons(834, current, QSize(736, 549));
        ASSERT_EQ(int(many.size()), pages::kMostButtons);
        EXPECT_EQ(many.front().page, 1);
        EXPECT_EQ(many[1].page, firstOfRun) << current;
        EXPECT_EQ(many.back().page, 834);
    }
}

} // namespace
} // namespace quillmoth
