#include "shelf/shelf_layout.h"
#include "shelf/shelf_painter.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

TEST(ShelfLayout, CanvasIsAsTallAsItsRowsButNeverShorterThanTheViewport)
{
    for (const auto &[books, height] : {std::pair{0, 469}, {13, 700}, {10000, 35 + 2499 * 170 + 155}})
        EXPECT_EQ(shelfCanvasHeight(books), height) << books;
}

TEST(ShelfLayout, HitTestsAreStrictAndStopAtTheLastBook)
{
    const struct { QPoint point; int books, index; } cases[] = {
        {{21, 36}, 12, 0},    {{20, 100}, 12, -1},  // on the left edge
        {{114, 169}, 12, 0},  {{115, 100}, 12, -1}, // on the right edge
        {{130, 100}, 12, -1},                       // between two covers
        {{140, 210}, 12, 5},  {{140, 210}, 5, -1},  // past the last book
        {{470, 100}, 12, -1}, {{-5, -5}, 12, -1},   {{50, 35 + 2499 * 170 + 10}, 10000, 9996},
    };
    for (const auto &c : cases)
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

// A notch moves one row; the ends stop the motion exactly.
TEST(ShelfScroll, ANotchMovesOneRow_AndTheEndsStopItExactly)
{
    ShelfScroll scroll(shelfCanvasHeight(16), 469); // 35 + 3*170 + 155 = 700
    ASSERT_EQ(scroll.lowestTop(), -(700 - 469));
    for (const int top : {-170, -(700 - 469)}) {
        scroll.wheel(ShelfScroll::Direction::Down);
        while (scroll.tick()) {
        }
        EXPECT_EQ(scroll.canvasTop(), top);
    }
    scroll.wheel(ShelfScroll::Direction::Down); // already at the end
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
    for (const auto &[covers, count] : {std::pair{0, 1}, {12, 1}, {13, 2}})
        EXPECT_EQ(pageCount(covers), count) << covers;
    EXPECT_EQ(pageCoverRects(12, 13).size(), 1u);
    const std::vector<CoverRect> first = pageCoverRects(0, 13);
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(MouseOverCovers({261, 71}, first), 0);
    EXPECT_EQ(MouseOverCovers({260, 71}, first), -1);
    EXPECT_EQ(MouseOverCovers({361, 100}, first), -1);
}

// Many pages show the first, the last and a run around the current one.
TEST(CoverPagesLayout, PageButtons)
{
    const std::vector<PageButton> buttons = BuildPageButtons(3, 1, QSize(736, 549));
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(PageButtonAt(717, buttons), 3);
    EXPECT_EQ(PageButtonAt(680, buttons), 1);
    EXPECT_EQ(PageButtonAt(600, buttons), -1);
    for (const auto &[current, firstOfRun] : {std::pair{1, 2}, {50, 41}, {834, 816}}) {
        const std::vector<PageButton> many = BuildPageButtons(834, current, QSize(736, 549));
        ASSERT_EQ(int(many.size()), pages::kMostButtons);
        EXPECT_EQ(many.front().page, 1);
        EXPECT_EQ(many[1].page, firstOfRun) << current;
        EXPECT_EQ(many.back().page, 834);
    }
}

QImage solid(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Each piece stands where the shelf needs it, and a band of the canvas is
// drawn exactly as the same part of the whole.
TEST(ShelfPainter, PiecesStandWhereTheShelfNeedsThem_InAnyBand)
{
    const QSize canvas(479, 2000);
    // Pieces of plain colours, so each pixel tells which piece lies there.
    ShelfPieces pieces{solid({39, 19}, Qt::red), solid({80, 170}, Qt::green), {},
                       solid({90, 170}, Qt::yellow)};
    pieces.leftPost.setPixel(0, 0, qRgb(0, 0, 255)); // shows the mirroring
    pieces.rightPost = pieces.leftPost.mirrored(true, false);
    pieces.board.setPixel(5, 7, qRgb(1, 2, 3));
    QImage image = solid(canvas, Qt::black);
    QPainter painter(&image);
    paintShelfBackground(painter, pieces, canvas, 0, canvas.height());
    painter.end();
    EXPECT_EQ(image.pixelColor(200, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 19), QColor(0, 0, 255));       // left post, top-left
    EXPECT_EQ(image.pixelColor(478, 19), QColor(0, 0, 255));     // right post, mirrored
    EXPECT_EQ(image.pixelColor(100, 300), QColor(Qt::yellow));

    QImage band = solid({479, 400}, Qt::black);
    QPainter bandPainter(&band);
    bandPainter.translate(0, -1100);
    paintShelfBackground(bandPainter, pieces, canvas, 1100, 400);
    bandPainter.end();
    EXPECT_EQ(band, image.copy(0, 1100, 479, 400));
}

TEST(ShelfPainter, DefaultCoverGetsItsTitleAndAThumbnailDoesNot)
{
    const CoverRect rect{20, 35, 115, 170};
    const QImage cover = solid({112, 135}, Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);

    const auto darkPixels = [&](const QImage &thumbnail, const QString &title) {
        QImage image = solid({200, 200}, Qt::blue);
        QPainter painter(&image);
        paintCover(painter, rect, thumbnail, cover, title, font);
        painter.end();
        int dark = 0;
        for (int y = 85; y < 159; ++y)
            for (int x = 30; x < 105; ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        EXPECT_EQ(image.pixelColor(21, 36),
                  thumbnail.isNull() ? QColor(Qt::white) : QColor(255, 200, 200));
        return dark;
    };
    EXPECT_GT(darkPixels({}, QStringLiteral("Moby & Dick")), 20);
    EXPECT_EQ(darkPixels(solid({90, 135}, QColor(255, 200, 200)), QStringLiteral("Moby Dick")), 0);
}

// The glass shows the picture under it through the panel's colour, and the
// tree's shadow lies along its edge only.
TEST(ShelfPainter, GlassAndShadowAreDrawn)
{
    QImage image = solid({100, 100}, Qt::black);
    QPainter painter(&image);
    paintGlassPane(painter, solid({50, 50}, Qt::red), QRect(20, 20, 50, 50), Qt::blue);
    painter.end();
    const QColor inside = image.pixelColor(40, 40);
    EXPECT_TRUE(inside.red() > 100 && inside.blue() > 50) << inside.name().toStdString();
    EXPECT_GT(dropShadowAlpha(215, 100, {215, 470}), 0);
    EXPECT_EQ(dropShadowAlpha(221, 100, {215, 470}), 0);
}

} // namespace
} // namespace quillmoth
