#include "platform/imaging.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace quillmoth;

namespace {

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

// Whether two colours differ by at most 2 in each channel.
bool near(QColor a, QColor b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())}) <= 2;
}

} // namespace

// Pictures are named .dat like the program's own: the content decides the
// format. Missing or broken files load as a null image, quietly.
TEST(Imaging, LoadsEachFormatTheProgramUsesAndFailsQuietly)
{
    QTemporaryDir folder;
    const auto put = [&folder](const char *name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    ASSERT_TRUE(filled(7, 5, Qt::white).save(folder.filePath("picture.dat"), "png"));
    EXPECT_EQ(loadImage(folder.filePath("picture.dat")).size(), QSize(7, 5));
    // Qt reads GIF but does not write it: a one-pixel red GIF, byte by byte.
    const QByteArray gif("GIF89a\1\0\1\0\x80\0\0\xFF\0\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);
    EXPECT_EQ(loadImage(put("dot.dat", gif)).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_TRUE(loadImage(put("broken.jpg", "this is not a picture at all")).isNull());
    EXPECT_TRUE(loadImage(folder.filePath("missing.png")).isNull());
    EXPECT_TRUE(loadImage(folder.path()).isNull());
}

// Stretching covers exactly the destination, a source part is honoured, the
// attributes scale alpha and each channel, never past full, and clips nest.
TEST(Imaging, DrawingStretchesThePartAndAppliesTheAttributes)
{
    QImage source = filled(2, 1, Qt::red);
    source.setPixelColor(1, 0, Qt::blue);
    const QImage stretched = painted(20, Qt::white, [&](QPainter &painter) {
        drawImageStretched(painter, filled(2, 2, Qt::red), QRectF(5, 5, 10, 10));
        drawImageStretched(painter, QImage(), QRectF(0, 0, 20, 20)); // draws nothing
        drawImageRect(painter, source, QRectF(16, 16, 4, 4), QRectF(1, 0, 1, 1));
    });
    for (const auto &[x, colour] :
         {std::pair{4, Qt::white}, {5, Qt::red}, {14, Qt::red}, {15, Qt::white}, {16, Qt::blue}, {19, Qt::blue}})
        EXPECT_EQ(stretched.pixelColor(x, x), QColor(colour)) << x;

    const auto drawnWith = [](QColor colour, QColor under, const ImageAttributes &attributes) {
        return painted(4, under, [&](QPainter &painter) {
                   drawImageRect(painter, filled(4, 4, colour), QRectF(0, 0, 4, 4), QRectF(0, 0, 4, 4),
                                 &attributes);
               })
            .pixelColor(1, 1);
    };
    EXPECT_PRED2(near, drawnWith(QColor(255, 0, 0), Qt::white, ImageAttributes{1, 1, 1, 0.5}), QColor(255, 128, 128));
    EXPECT_PRED2(near, drawnWith(QColor(200, 200, 100), Qt::black, ImageAttributes{1, 0.5, 2, 1}),
                 QColor(200, 100, 200));
    EXPECT_PRED2(near, scaledChannels(filled(1, 1, QColor(200, 200, 100)), {1.0, 1.0, 4.0, 1.0}).pixelColor(0, 0),
               QColor(200, 200, 255));

    // A polygon clip narrows an earlier clip instead of replacing it.
    const QImage clipped = painted(40, Qt::white, [](QPainter &painter) {
        painter.setClipRect(QRect(0, 0, 30, 40));
        clipToPolygon(painter, QPolygon({QPoint(0, 0), QPoint(40, 0), QPoint(0, 40)}));
        painter.fillRect(QRect(0, 0, 40, 40), Qt::red);
    });
    EXPECT_EQ(clipped.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(clipped.pixelColor(25, 25), QColor(Qt::white)); // outside the triangle
    EXPECT_EQ(clipped.pixelColor(34, 2), QColor(Qt::white));  // outside the first clip
}

// Thumbnails have exactly the asked size whatever the picture's shape; they
// are saved as JPEG with no temporary file left, and a failed save keeps the
// old file and says why.
TEST(Imaging, ThumbnailsAreSavedAtTheirSizeAndAFailedSaveKeepsTheOldFile)
{
    EXPECT_TRUE(thumbnail(QImage(), 90, 135).isNull());
    QTemporaryDir folder;
    const QImage small = thumbnail(filled(300, 200, Qt::white), 90, 135);
    const QString good = folder.filePath("good.jpg");
    QString error;
    ASSERT_TRUE(saveJpeg(small, good, 90, &error)) << error.toStdString();
    EXPECT_EQ(QImageReader(good).format(), QByteArray("jpeg"));
    EXPECT_EQ(QImageReader(good).size(), QSize(90, 135));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);

    const qint64 before = QFileInfo(good).size();
    EXPECT_FALSE(saveJpeg(QImage(), good, 90, &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(saveJpeg(small, folder.filePath("missing/cover.jpg"), 90, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QFileInfo(good).size(), before);
}
