// Probes of the shipped pictures: sizes, transparency where it
// matters, and the seams of the shelf pieces. No picture is compared whole.
#include "platform/builtin_pictures.h"
#include "platform/resource_extraction.h"

#include "app_test_support.h"

#include <QImage>
#include <QPixmap>
#include <QTransform>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

namespace {

QImage resourceImage(const char *name)
{
    return QImage::fromData(builtinResource(QString::fromLatin1(name))).convertToFormat(QImage::Format_ARGB32);
}

double luminance(QRgb pixel)
{
    return 0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel);
}

double pixelDistance(QRgb a, QRgb b)
{
    return (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b))) / 3.0;
}

// Mean colour distance between column xa of `a` and column xb of `b`.
double columnDistance(const QImage &a, int xa, const QImage &b, int xb)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        sum += pixelDistance(a.pixel(xa, y), b.pixel(xb, y));
    return sum / a.height();
}

// Mean distance between neighbouring columns inside an image: how much the
// picture changes from one column to the next on its own.
double typicalColumnStep(const QImage &image)
{
    double sum = 0;
    for (int x = 1; x < image.width(); ++x)
        sum += columnDistance(image, x - 1, image, x);
    return sum / (image.width() - 1);
}

double meanLuminance(const QImage &image, QRect area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += luminance(image.pixel(x, y));
    return sum / (area.width() * area.height());
}

std::vector<fs::path> filesIn(const fs::path &folder)
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

} // namespace

// The posts and the boards are one shelf row (170 pixels) tall.
TEST(Artwork, ShelfPieces_HaveTheirSizesAndTileWithoutSeams)
{
    const QImage top = resourceImage("TOP");
    const QImage post = resourceImage("LEFT");
    const QImage board = resourceImage("MIDDLE");
    ASSERT_EQ(top.size(), QSize(39, 19));
    ASSERT_EQ(post.size(), QSize(80, 170));
    ASSERT_EQ(board.size(), QSize(90, 170));

    // Boards follow each other, and the post's inner part runs into a board,
    // with no more change at the join than between any two columns.
    const double step = typicalColumnStep(board);
    EXPECT_LE(columnDistance(board, 89, board, 0), 2.5 * step);
    EXPECT_LE(columnDistance(post, 79, board, 0), 2.5 * step);

    // The side of the cabinet runs on from one row to the next: turned on its
    // side, its last column meets its first.
    const QImage side = post.copy(3, 0, 7, 170).transformed(QTransform().rotate(90));
    EXPECT_LE(columnDistance(side, 0, side, 169), 2.5 * typicalColumnStep(side));

    // Books stand on a plank that is lighter than the back of the shelf.
    EXPECT_GT(meanLuminance(board, QRect(0, 158, 90, 8)), meanLuminance(board, QRect(0, 60, 90, 60)) + 25);

    // The top piece is stretched and also drawn unstretched at its end: it
    // must look the same all along.
    EXPECT_DOUBLE_EQ(columnDistance(top, 0, top, 38), 0.0);
}

TEST(Artwork, DefaultCover_LeavesALightPlaceForTheTitle)
{
    const QImage cover = resourceImage("COVER");
    ASSERT_EQ(cover.size(), QSize(112, 135));
    // The title is written into (10, 50)-(85, 124) of the cover stretched to
    // 95 pixels: x 12 to 100 here. It must be light there and dark around it.
    EXPECT_GT(meanLuminance(cover, QRect(14, 50, 86, 74)), 200);
    EXPECT_LT(meanLuminance(cover, QRect(12, 132, 90, 3)), 90);
    EXPECT_EQ(qAlpha(cover.pixel(0, 0)), 255);
}

TEST(Artwork, PageShadows_AreSoftBandsThatFadeOut)
{
    for (const char *name : {"Mid", "Sid"}) {
        const QImage shadow = resourceImage(name);
        const int middle = shadow.height() / 2;
        EXPECT_GT(qAlpha(shadow.pixel(shadow.width() / 2, middle)), 150) << name;
        EXPECT_LT(qAlpha(shadow.pixel(0, middle)), 10) << name;
        EXPECT_LT(qAlpha(shadow.pixel(shadow.width() - 1, middle)), 10) << name;
    }
    const QImage fold = resourceImage("Mid");
    ASSERT_GT(fold.width(), 130); // the right page uses its first width - 130 columns
    // From the left edge toward the fold the shadow only deepens.
    const int row = fold.height() / 2;
    for (int x = 1; x <= fold.width() / 2; ++x)
        EXPECT_GE(qAlpha(fold.pixel(x, row)), qAlpha(fold.pixel(x - 1, row))) << x;
    const QImage turn = resourceImage("Sid");
    EXPECT_LT(qAlpha(turn.pixel(turn.width() / 2, 0)), qAlpha(turn.pixel(turn.width() / 2, turn.height() / 2)));
}

// Icons stand free on any background, with something solid in the middle,
// and have a double-size variant for high-density screens.
TEST(Artwork, BuiltinPictures_LoadAtTheirSizesWithDoubleSizeVariants)
{
    struct Expected {
        BuiltinPicture picture;
        QSize size;
    };
    for (const auto &[picture, size] :
         {Expected{BuiltinPicture::TreeDrive, {16, 16}}, Expected{BuiltinPicture::TreeFolder, {16, 16}},
          Expected{BuiltinPicture::TreeBook, {16, 16}}, Expected{BuiltinPicture::TreeRoot, {16, 16}},
          Expected{BuiltinPicture::ButtonCover, {24, 24}}, Expected{BuiltinPicture::ButtonClipboard, {24, 24}},
          Expected{BuiltinPicture::ButtonPreferences, {24, 24}}, Expected{BuiltinPicture::ButtonHelp, {24, 24}},
          Expected{BuiltinPicture::GrabCursor, {32, 32}}}) {
        const QString path = builtinPicturePath(picture);
        SCOPED_TRACE(path.toStdString());
        const QImage image = builtinImage(picture).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(
            QImage(QString(path).replace(QLatin1String(".png"), QLatin1String("@2x.png"))).size(),
            size * 2);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        int solid = 0;
        for (int y = size.height() / 4; y < size.height() * 3 / 4; ++y)
            for (int x = size.width() / 4; x < size.width() * 3 / 4; ++x)
                solid += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        EXPECT_GT(solid, size.width() * size.height() / 16);
    }
}

TEST(Artwork, BookmarkRibbon_IsPaleWithASwallowtail)
{
    const QImage ribbon = builtinImage(BuiltinPicture::BookmarkRibbon).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(ribbon.size(), QSize(100, 300));
    EXPECT_EQ(qAlpha(ribbon.pixel(50, 290)), 0);
    EXPECT_EQ(qAlpha(ribbon.pixel(3, 290)), 255);
    EXPECT_EQ(qAlpha(ribbon.pixel(50, 12)), 255);
    // Drawn at 30 % over the tab colour, it must be light to let the colour through.
    EXPECT_GT(meanLuminance(ribbon, QRect(0, 0, 100, 25)), 170);
}

TEST(Artwork, GrabCursor_HasItsHotSpotOnTheHand)
{
    const QCursor cursor = quillmoth::grabCursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = cursor.pixmap().devicePixelRatio();
    const QPoint hotSpot = cursor.hotSpot();
    ASSERT_TRUE(QRect(0, 0, 32, 32).contains(hotSpot));
    EXPECT_EQ(qAlpha(image.pixel(int(hotSpot.x() * ratio), int(hotSpot.y() * ratio))), 255);
}

TEST(Artwork, ThemePictures_AreThereInEveryFolderAtUsableSizes)
{
    for (const std::string folder : {"BackGround", "Corner", "BookMark", "Illurstration"}) {
        const auto files = filesIn(fs::path(QUILLMOTH_RESOURCES_DIR) / "pics" / folder);
        EXPECT_GE(files.size(), 3u) << folder;
        for (const fs::path &file : files) {
            SCOPED_TRACE(file.string());
            const QImage image = QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(image.isNull());
            if (folder == "Corner") {
                // Used as they are up to 120 x 120; the far corner stays clear.
                EXPECT_LE(std::max(image.width(), image.height()), 120);
                EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
            } else if (folder == "BookMark") {
                EXPECT_EQ(image.size(), QSize(100, 300));
            } else if (folder == "BackGround") {
                // Landscape, so that the page stretches it over the spread.
                EXPECT_GE(image.width(), 800);
                EXPECT_GT(image.width(), image.height());
            } else {
                // The album lists *.jpg and *.gif only.
                EXPECT_EQ(file.extension(), ".jpg");
            }
        }
    }
}
