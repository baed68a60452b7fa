#include "shelf/shelf_painter.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

QImage solid(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Pieces of plain colours, so each pixel tells which piece lies there.
ShelfPieces colouredPieces()
{
    ShelfPieces pieces;
    pieces.top = solid({39, 19}, Qt::red);
    pieces.leftPost = solid({80, 170}, Qt::green);
    pieces.leftPost.setPixel(0, 0, qRgb(0, 0, 255)); // shows the mirroring
    pieces.rightPost = pieces.leftPost.mirrored(true, false);
    pieces.board = solid({90, 170}, Qt::yellow);
    return pieces;
}

// Each piece stands where the shelf needs it, and a band of the canvas is
// drawn exactly as the same part of the whole.
TEST(ShelfPainter, PiecesStandWhereTheShelfNeedsThem_InAnyBand)
{
    const QSize canvas(479, 2000);
    ShelfPieces pieces = colouredPieces();
    pieces.board.setPixel(5, 7, qRgb(1, 2, 3));
    QImage image = solid(canvas, Qt::black);
    QPainter painter(&image);
    paintShelfBackground(painter, pieces, canvas, 0, canvas.height());
    painter.end();
    EXPECT_EQ(image.pixelColor(200, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(0, 19), QColor(0, 0, 255));       // left post, top-left
    EXPECT_EQ(image.pixelColor(478, 19), QColor(0, 0, 255));     // right post, mirrored
    EXPECT_EQ(image.pixelColor(0, 19 + 170), QColor(0, 0, 255)); // the next post tile
    EXPECT_EQ(image.pixelColor(100, 300), QColor(Qt::yellow));
    // The last board is pulled left to end at the right post.
    EXPECT_EQ(image.pixelColor(398, 300), QColor(Qt::yellow));
    EXPECT_EQ(image.pixelColor(399, 300), QColor(Qt::green));

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

TEST(ShelfPainter, GlassLetsThePictureThroughAtAlpha180)
{
    QImage image = solid({100, 100}, Qt::black);
    const QImage under = solid({50, 50}, QColor(255, 0, 0));
    QPainter painter(&image);
    paintGlassPane(painter, under, QRect(20, 20, 50, 50), QColor(0, 0, 255));
    painter.end();
    const QColor inside = image.pixelColor(40, 40);
    EXPECT_NEAR(inside.red(), 180, 2);
    EXPECT_NEAR(inside.blue(), 75, 2);
    EXPECT_EQ(image.pixelColor(19, 19), QColor(25, 120, 120)); // the outline
}

TEST(ShelfPainter, DropShadowFadesOutOverSixPixels)
{
    const QSize control(215, 470);
    EXPECT_EQ(dropShadowAlpha(215, 100, control), 120); // at the right edge
    EXPECT_EQ(dropShadowAlpha(220, 100, control), 20);  // at the outer edge
    EXPECT_EQ(dropShadowAlpha(221, 100, control), 0);
    EXPECT_EQ(dropShadowAlpha(100, 470, control), 120);
    EXPECT_EQ(dropShadowAlpha(215, 470, control), 144); // the corner
    EXPECT_LT(dropShadowAlpha(215, 0, control), dropShadowAlpha(215, 5, control));
}

} // namespace
} // namespace quillmoth
