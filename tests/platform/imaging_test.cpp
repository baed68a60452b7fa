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

QImage canvas(int width, int height, QColor fill = Qt::white)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void expectNear(QColor actual, QColor expected, int tolerance = 2)
{
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << actual.name().toStdString();
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << actual.name().toStdString();
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << actual.name().toStdString();
}

} // namespace

TEST(Imaging, LoadFailsQuietlyOnMissingOrBrokenFiles)
{
    QTemporaryDir folder;
    EXPECT_TRUE(loadImage(folder.filePath("missing.png")).isNull());
    QFile broken(folder.filePath("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a picture at all");
    broken.close();
    EXPECT_TRUE(loadImage(broken.fileName()).isNull());
    EXPECT_TRUE(loadImage(folder.path()).isNull());
}

TEST(Imaging, LoadsEachFormatTheProgramUses)
{
    QTemporaryDir folder;
    for (const char *format : {"png", "jpg", "bmp"}) {
        // Named .dat like the program's own pictures: the content decides.
        const QString misnamed = folder.filePath(QStringLiteral("picture-%1.dat").arg(QLatin1String(format)));
        ASSERT_TRUE(corners(7, 5).save(misnamed, format)) << format;
        EXPECT_EQ(loadImage(misnamed).size(), QSize(7, 5)) << format;
    }
}

TEST(Imaging, LoadsGif)
{
    // Qt reads GIF but does not write it: a one-pixel GIF, byte by byte.
    static const unsigned char kGif[] = {
        'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
        ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
    QTemporaryDir folder;
    QFile file(folder.filePath("dot.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char *>(kGif), sizeof kGif);
    file.close();
    const QImage image = loadImage(file.fileName());
    ASSERT_EQ(image.size(), QSize(1, 1));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red));
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

TEST(Imaging, StretchedDrawingCoversTheDestination)
{
    QImage source(2, 2, QImage::Format_ARGB32);
    source.fill(Qt::red);
    QImage target = canvas(20, 20);
    {
        QPainter painter(&target);
        drawImageStretched(painter, source, QRectF(5, 5, 10, 10));
        drawImageStretched(painter, QImage(), QRectF(0, 0, 20, 20)); // draws nothing
    }
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(14, 14), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(4, 4), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(15, 15), QColor(Qt::white));
}

TEST(Imaging, SourceRectangleChoosesThePart)
{
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixelColor(0, 0, Qt::red);
    source.setPixelColor(1, 0, Qt::blue);
    QImage target = canvas(10, 10);
    {
        QPainter painter(&target);
        drawImageRect(painter, source, QRectF(0, 0, 10, 10), QRectF(1, 0, 1, 1));
    }
    EXPECT_EQ(target.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(target.pixelColor(9, 9), QColor(Qt::blue));
}

TEST(Imaging, AttributesScaleAlphaOfAKnownColour)
{
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(QColor(255, 0, 0));
    QImage target = canvas(4, 4);
    ImageAttributes half;
    half.alphaScale = 0.5;
    {
        QPainter painter(&target);
        drawImageRect(painter, source, QRectF(0, 0, 4, 4), QRectF(0, 0, 4, 4), &half);
    }
    expectNear(target.pixelColor(1, 1), QColor(255, 128, 128));

    // Fully transparent draws nothing at all.
    QImage untouched = canvas(4, 4);
    ImageAttributes none;
    none.alphaScale = 0.0;
    {
        QPainter painter(&untouched);
        drawImageRect(painter, source, QRectF(0, 0, 4, 4), QRectF(0, 0, 4, 4), &none);
    }
    EXPECT_EQ(untouched.pixelColor(1, 1), QColor(Qt::white));
}

TEST(Imaging, AttributesScaleEachColourChannel)
{
    QImage source(4, 4, QImage::Format_ARGB32);
    source.fill(QColor(200, 200, 100));
    const ImageAttributes tint = ImageAttributes::fromColorMatrix({{{1.0f, 0, 0, 0, 0},
                                                                    {0, 0.5f, 0, 0, 0},
                                                                    {0, 0, 2.0f, 0, 0},
                                                                    {0, 0, 0, 1.0f, 0},
                                                                    {0, 0, 0, 0, 1.0f}}});
    EXPECT_DOUBLE_EQ(tint.greenScale, 0.5);
    QImage target = canvas(4, 4, Qt::black);
    {
        QPainter painter(&target);
        drawImageRect(painter, source, QRectF(0, 0, 4, 4), QRectF(0, 0, 4, 4), &tint);
    }
    expectNear(target.pixelColor(2, 2), QColor(200, 100, 200));
    // A scale never pushes a channel past full.
    expectNear(scaledChannels(source, {1.0, 1.0, 4.0, 1.0}).pixelColor(0, 0), QColor(200, 200, 255));
}

TEST(Imaging, ClipPolygonLimitsDrawingToItsInside)
{
    QImage target = canvas(40, 40);
    {
        QPainter painter(&target);
        clipToPolygon(painter, QPolygon({QPoint(0, 0), QPoint(40, 0), QPoint(0, 40)}));
        painter.fillRect(target.rect(), Qt::red);
    }
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::red));    // inside the triangle
    EXPECT_EQ(target.pixelColor(35, 35), QColor(Qt::white)); // outside it
}

TEST(Imaging, ClipPolygonIntersectsAnEarlierClip)
{
    QImage target = canvas(40, 40);
    {
        QPainter painter(&target);
        painter.setClipRect(QRect(0, 0, 10, 40));
        clipToPolygon(painter, QPolygon({QPoint(0, 0), QPoint(40, 0), QPoint(40, 20), QPoint(0, 20)}));
        painter.fillRect(target.rect(), Qt::red);
    }
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(20, 5), QColor(Qt::white)); // outside the first clip
    EXPECT_EQ(target.pixelColor(5, 30), QColor(Qt::white)); // outside the polygon
}

TEST(Imaging, TranslateAndRotateMovesLaterDrawing)
{
    QImage target = canvas(40, 40);
    {
        QPainter painter(&target);
        translateAndRotate(painter, QPointF(20, 10), 90);
        painter.fillRect(QRectF(0, 0, 15, 2), Qt::red);
    }
    // Turned clockwise, the bar now runs down from (20, 10).
    EXPECT_EQ(target.pixelColor(19, 20), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(30, 11), QColor(Qt::white));
}

TEST(Imaging, ThumbnailHasExactlyTheAskedSize)
{
    EXPECT_EQ(thumbnail(corners(300, 200), 90, 135).size(), QSize(90, 135));
    EXPECT_EQ(thumbnail(corners(10, 10), 90, 135).size(), QSize(90, 135));
    EXPECT_TRUE(thumbnail(QImage(), 90, 135).isNull());
    EXPECT_TRUE(thumbnail(corners(10, 10), 0, 135).isNull());
}

TEST(Imaging, JpegThumbnailSavesAtItsSizeAndQuality)
{
    QTemporaryDir folder;
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    const QImage small = thumbnail(picture, 90, 135);
    const QString good = folder.filePath("good.jpg");
    const QString poor = folder.filePath("poor.jpg");
    QString error;
    ASSERT_TRUE(saveJpeg(small, good, 90, &error)) << error.toStdString();
    ASSERT_TRUE(saveJpeg(small, poor, 10));
    QImageReader reader(good);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(90, 135));
    EXPECT_GT(QFileInfo(good).size(), QFileInfo(poor).size());
    // No temporary file is left beside the thumbnails.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST(Imaging, FailedJpegSaveKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("cover.jpg");
    ASSERT_TRUE(saveJpeg(corners(9, 9), path, 90));
    const qint64 before = QFileInfo(path).size();
    QString error;
    EXPECT_FALSE(saveJpeg(QImage(), path, 90, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(saveJpeg(corners(9, 9), folder.filePath("missing/cover.jpg"), 90, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), before);
    EXPECT_EQ(loadImage(path).size(), QSize(9, 9));
}
