#include "platform/imaging.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillmoth;

namespace {

// A small picture whose corners can be told apart.
QImage corners(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(width - 1, 0, Qt::green);
    image.setPixelColor(0, height - 1, Qt::blue);
    return image;
}

QImage filled(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

// A canvas of the given colour after `draw` has painted on it.
template <typename Draw>
QImage painted(int size, QColor fill, Draw draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    return image;
}

void expectNear(QColor actual, QColor expected, int tolerance = 2)
{
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << actual.name().toStdString();
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << actual.name().toStdString();
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << actual.name().toStdString();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// Pictures are named .dat like the program's own: the content decides the
// format. Missing or broken files load as a null image, quietly.
TEST(Imaging, LoadsEachFormatTheProgramUsesAndFailsQuietly)
{
    QTemporaryDir folder;
    for (const char *format : {"png", "jpg", "bmp"}) {
        const QString misnamed = folder.filePath(QStringLiteral("picture-%1.dat").arg(QLatin1String(format)));
        ASSERT_TRUE(corners(7, 5).save(misnamed, format)) << format;
        EXPECT_EQ(loadImage(misnamed).size(), QSize(7, 5)) << format;
    }
    // Qt reads GIF but does not write it: a one-pixel red GIF, byte by byte.
    ASSERT_TRUE(writeBytes(folder.filePath("dot.dat"),
                           QByteArray("GIF89a\1\0\1\0\x80\0\0\xFF\0\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35)));
    const QImage gif = loadImage(folder.filePath("dot.dat"));
    ASSERT_EQ(gif.size(), QSize(1, 1));
    EXPECT_EQ(gif.pixelColor(0, 0), QColor(Qt::red));

    ASSERT_TRUE(writeBytes(folder.filePath("broken.jpg"), "this is not a picture at all"));
    EXPECT_TRUE(loadImage(folder.filePath("broken.jpg")).isNull());
    EXPECT_TRUE(loadImage(folder.filePath("missing.png")).isNull());
    EXPECT_TRUE(loadImage(folder.path()).isNull());
}

struct FlipCase {
    RotateFlip kind;
    QSize size;
    QPoint redAt; // where the top-left pixel of the 3 x 2 source ends up
};

class ImagingRotateFlip : public ::testing::TestWithParam<FlipCase> {};

TEST_P(ImagingRotateFlip, MovesTheCornerPixel)
{
    const FlipCase &row = GetParam();
    QImage image = corners(3, 2);
    rotateFlip(image, row.kind);
    ASSERT_EQ(image.size(), row.size);
    EXPECT_EQ(image.pixelColor(row.redAt), QColor(Qt::red));
}

INSTANTIATE_TEST_SUITE_P(Imaging, ImagingRotateFlip,
                         ::testing::Values(FlipCase{RotateFlip::None, {3, 2}, {0, 0}},
                                           FlipCase{RotateFlip::FlipX, {3, 2}, {2, 0}},
                                           FlipCase{RotateFlip::FlipY, {3, 2}, {0, 1}},
                                           FlipCase{RotateFlip::Rotate180, {3, 2}, {2, 1}},
                                           FlipCase{RotateFlip::Rotate90, {2, 3}, {1, 0}},
                                           FlipCase{RotateFlip::Rotate270, {2, 3}, {0, 2}},
                                           FlipCase{RotateFlip::Rotate90FlipX, {2, 3}, {0, 0}},
                                           FlipCase{RotateFlip::Rotate270FlipX, {2, 3}, {1, 2}}));

TEST(Imaging, StretchedDrawingCoversTheDestinationWithTheChosenPart)
{
    const QImage stretched = painted(20, Qt::white, [](QPainter &painter) {
        drawImageStretched(painter, filled(2, 2, Qt::red), QRectF(5, 5, 10, 10));
        drawImageStretched(painter, QImage(), QRectF(0, 0, 20, 20)); // draws nothing
    });
    EXPECT_EQ(stretched.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(stretched.pixelColor(14, 14), QColor(Qt::red));
    EXPECT_EQ(stretched.pixelColor(4, 4), QColor(Qt::white));
    EXPECT_EQ(stretched.pixelColor(15, 15), QColor(Qt::white));

    QImage source = filled(2, 1, Qt::red);
    source.setPixelColor(1, 0, Qt::blue);
    const QImage part = painted(10, Qt::white, [&](QPainter &painter) {
        drawImageRect(painter, source, QRectF(0, 0, 10, 10), QRectF(1, 0, 1, 1));
    });
    EXPECT_EQ(part.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(part.pixelColor(9, 9), QColor(Qt::blue));
}

TEST(Imaging, AttributesScaleAlphaAndEachColourChannel)
{
    const auto drawnWith = [](QColor source, QColor under, const ImageAttributes &attributes) {
        return painted(4, under, [&](QPainter &painter) {
                   drawImageRect(painter, filled(4, 4, source), QRectF(0, 0, 4, 4), QRectF(0, 0, 4, 4),
                                 &attributes);
               })
            .pixelColor(1, 1);
    };
    ImageAttributes alpha;
    alpha.alphaScale = 0.5;
    expectNear(drawnWith(QColor(255, 0, 0), Qt::white, alpha), QColor(255, 128, 128));
    // Fully transparent draws nothing at all.
    alpha.alphaScale = 0.0;
    EXPECT_EQ(drawnWith(QColor(255, 0, 0), Qt::white, alpha), QColor(Qt::white));

    const ImageAttributes tint = ImageAttributes::fromColorMatrix({{{1.0f, 0, 0, 0, 0},
                                                                    {0, 0.5f, 0, 0, 0},
                                                                    {0, 0, 2.0f, 0, 0},
                                                                    {0, 0, 0, 1.0f, 0},
                                                                    {0, 0, 0, 0, 1.0f}}});
    expectNear(drawnWith(QColor(200, 200, 100), Qt::black, tint), QColor(200, 100, 200));
    // A scale never pushes a channel past full.
    expectNear(scaledChannels(filled(1, 1, QColor(200, 200, 100)), {1.0, 1.0, 4.0, 1.0}).pixelColor(0, 0),
               QColor(200, 200, 255));
}

// A polygon clip narrows an earlier clip instead of replacing it.
TEST(Imaging, ClipPolygonLimitsDrawingToItsInsideAndAnEarlierClip)
{
    const QImage target = painted(40, Qt::white, [](QPainter &painter) {
        painter.setClipRect(QRect(0, 0, 30, 40));
        clipToPolygon(painter, QPolygon({QPoint(0, 0), QPoint(40, 0), QPoint(0, 40)}));
        painter.fillRect(QRect(0, 0, 40, 40), Qt::red);
    });
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(25, 25), QColor(Qt::white)); // outside the triangle
    EXPECT_EQ(target.pixelColor(34, 2), QColor(Qt::white));  // outside the first clip
}

TEST(Imaging, TranslateAndRotateMovesLaterDrawing)
{
    const QImage target = painted(40, Qt::white, [](QPainter &painter) {
        translateAndRotate(painter, QPointF(20, 10), 90);
        painter.fillRect(QRectF(0, 0, 15, 2), Qt::red);
    });
    // Turned clockwise, the bar now runs down from (20, 10).
    EXPECT_EQ(target.pixelColor(19, 20), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(30, 11), QColor(Qt::white));
}

// Thumbnails have exactly the asked size whatever the picture's shape; they
// are saved as JPEG at the asked quality with no temporary file left, and a
// failed save keeps the old file and says why.
TEST(Imaging, ThumbnailsAreSavedAtTheirSizeAndQuality)
{
    EXPECT_EQ(thumbnail(corners(10, 10), 90, 135).size(), QSize(90, 135));
    EXPECT_TRUE(thumbnail(QImage(), 90, 135).isNull());
    EXPECT_TRUE(thumbnail(corners(10, 10), 0, 135).isNull());

    QTemporaryDir folder;
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    const QImage small = thumbnail(picture, 90, 135);
    const QString good = folder.filePath("good.jpg");
    QString error;
    ASSERT_TRUE(saveJpeg(small, good, 90, &error)) << error.toStdString();
    ASSERT_TRUE(saveJpeg(small, folder.filePath("poor.jpg"), 10));
    QImageReader reader(good);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(90, 135));
    EXPECT_GT(QFileInfo(good).size(), QFileInfo(folder.filePath("poor.jpg")).size());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);

    const qint64 before = QFileInfo(good).size();
    EXPECT_FALSE(saveJpeg(QImage(), good, 90, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(saveJpeg(small, folder.filePath("missing/cover.jpg"), 90, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QFileInfo(good).size(), before);
    EXPECT_EQ(loadImage(good).size(), QSize(90, 135));
}
