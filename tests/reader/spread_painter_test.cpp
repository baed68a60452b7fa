#include "reader/spread_painter.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

QImage surface(QSize size, QColor fill)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// Pixels of a colour (within a small tolerance) inside a rectangle.
int countPixels(const QImage &image, const QRect &area, QColor color, int tolerance = 40)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::max({std::abs(c.red() - color.red()), std::abs(c.green() - color.green()),
                               std::abs(c.blue() - color.blue())}) <= tolerance;
        }
    return count;
}

PageStyle style()
{
    PageStyle page;
    page.font = QFont(QStringLiteral("DejaVu Sans"));
    page.font.setPixelSize(16);
    page.textColor = Qt::black;
    page.chapterTitleColor = QColor(220, 0, 0);
    page.lineHeight = 22;
    page.PageWidth = 300;
    return page;
}

// A line of page text printed at (10, 10) on white.
QImage printed(std::u16string_view text, const PageStyle &page = style())
{
    QImage image = surface({300, 40}, Qt::white);
    QPainter painter(&image);
    paintPageText(painter, {10, 10}, text, page);
    painter.end();
    return image;
}

TEST(CalcNewSize, FitsKeepingProportions)
{
    const struct { QSizeF image, box; QRectF expected; } cases[] = {
        {{40, 20}, {100, 60}, {30, 20, 40, 20}},         // fits: centred as it is
        {{50, 200}, {100, 100}, {37.5, 0, 25, 100}},     // tall: the box's height
        {{400, 100}, {100, 100}, {0, 37.5, 100, 25}},    // wide: the box's width
        {{100, 101}, {50, 200}, {0, 74.75, 50, 50.5}},   // tall, yet too wide at full height
    };
    for (const auto &c : cases) // QRectF compares fuzzily
        EXPECT_EQ(CalcNewSize(c.image, c.box), c.expected);
}

// The fold darkens a few columns at the centre, one device pixel each at
// high density.
TEST(SpreadPainter, FoldLine_ShadesTheCentre_InDevicePixels)
{
    QImage dense = surface({80, 12}, QColor(100, 100, 100));
    dense.setDevicePixelRatio(2);
    paintFoldLine(dense);
    EXPECT_EQ(dense.pixelColor(40, 5), QColor(40, 40, 40));
    EXPECT_EQ(dense.pixelColor(36, 5), QColor(100, 100, 100));
}

TEST(SpreadPainter, PageText_FramesAndColoursChapterTitles)
{
    QImage image = surface({400, 120}, Qt::white);
    PageStyle page = style();
    page.colorizeChapterTitles = true;
    page.isCJK = false;
    {
        QPainter painter(&image);
        const PageTextExtent extent =
            paintPageText(painter, {35, 10}, u"CHAPTER 12\r\nan ordinary line\r\n", page);
        EXPECT_EQ(extent.lineCount, 3);  // the empty part after the last CR LF counts
        EXPECT_EQ(extent.textBottom, 10 + 2 * 22);
    }
    EXPECT_GT(countPixels(image, {35, 10, 200, 22}, page.chapterTitleColor), 20);
    EXPECT_EQ(countPixels(image, {35, 33, 200, 21}, page.chapterTitleColor), 0);
    // The title's frame, in the text colour, from x - 2 to x + PageWidth - 70.
    EXPECT_EQ(image.pixelColor(33, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(265, 20), QColor(Qt::black));
}

// With mnemonics, "&&" would show as one ampersand.
TEST(SpreadPainter, PageText_OutlinesInTheOutlineColour_AndDrawsAmpersandsAsTheyStand)
{
    PageStyle page = style();
    page.outlineColor = QColor(0, 0, 255);
    const QImage image = printed(u"Outlined", page);
    EXPECT_GT(countPixels(image, image.rect(), QColor(0, 0, 255)), 30);
    EXPECT_GT(countPixels(image, image.rect(), QColor(0, 0, 0)), 10);
    const int one = countPixels(printed(u"&"), image.rect(), Qt::black, 120);
    EXPECT_NEAR(countPixels(printed(u"&&"), image.rect(), Qt::black, 120), 2 * one, one / 4);
}

TEST(SpreadPainter, Illustration_TooLowABoxDrawsNothing)
{
    const QImage picture = surface({50, 50}, Qt::red);
    QImage image = surface({100, 100}, Qt::white);
    QPainter painter(&image);
    paintIllustration(painter, {10, 10}, {60, kSmallestIllustrationHeight - 1}, picture, true);
    EXPECT_EQ(countPixels(image, image.rect(), Qt::red, 0), 0);
    paintIllustration(painter, {10, 10}, {60, 40}, picture, true);
    painter.end();
    EXPECT_EQ(image.pixelColor(40, 30), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(19, 9), QColor(250, 250, 250));  // the frame
}

TEST(SpreadPainter, Background_MirrorsTheCornerIntoAllFourCorners)
{
    BackgroundInput input;
    input.layout = {{200, 160}, 70, 160, 130};
    input.paperColor = QColor(240, 230, 210);
    input.padSize = 100;
    input.cornerImage = QImage(10, 10, QImage::Format_ARGB32_Premultiplied);
    input.cornerImage.fill(Qt::transparent);
    input.cornerImage.setPixelColor(0, 0, Qt::red);  // marks the outer corner
    input.header.layout = input.layout;
    QImage image = surface({200, 160}, Qt::transparent);
    const double shade = paintBackground(image, input);
    EXPECT_DOUBLE_EQ(shade, 0.45);  // no background picture
    for (const QPoint corner : {QPoint(2, 2), QPoint(2, 157), QPoint(197, 157), QPoint(197, 2)})
        EXPECT_EQ(image.pixelColor(corner), QColor(Qt::red)) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixelColor(40, 80), input.paperColor);
    EXPECT_LT(image.pixelColor(100, 80).red(), input.paperColor.red());  // the fold
}

} // namespace
} // namespace quillmoth
