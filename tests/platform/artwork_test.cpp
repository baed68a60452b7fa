// Probes of the shipped pictures: sizes, and transparency and light where the
// drawing code relies on them. No picture is compared whole.
#include "platform/builtin_pictures.h"
#include "platform/resource_extraction.h"

#include "app_test_support.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillmoth;
namespace fs = std::filesystem;

namespace {

QImage resourceImage(const char *name)
{
    return QImage::fromData(builtinResource(QString::fromLatin1(name))).convertToFormat(QImage::Format_ARGB32);
}

double meanLuminance(const QImage &image, QRect area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum / (area.width() * area.height());
}

} // namespace

// The shelf is laid out from these sizes: posts and boards are one shelf row
// (170 pixels) tall. The title is written into x 12 to 100 of the cover, which
// must be light there; the page shadows fade out at both ends.
TEST(Artwork, ShelfPiecesCoverAndShadowsHaveTheirSizesAndLight)
{
    EXPECT_EQ(resourceImage("TOP").size(), QSize(39, 19));
    EXPECT_EQ(resourceImage("LEFT").size(), QSize(80, 170));
    EXPECT_EQ(resourceImage("MIDDLE").size(), QSize(90, 170));
    const QImage cover = resourceImage("COVER");
    ASSERT_EQ(cover.size(), QSize(112, 135));
    EXPECT_GT(meanLuminance(cover, QRect(14, 50, 86, 74)), 200);
    for (const char *name : {"Mid", "Sid"}) {
        const QImage shadow = resourceImage(name);
        const int middle = shadow.height() / 2;
        EXPECT_GT(qAlpha(shadow.pixel(shadow.width() / 2, middle)), 150) << name;
        EXPECT_LT(qAlpha(shadow.pixel(0, middle)), 10) << name;
        EXPECT_LT(qAlpha(shadow.pixel(shadow.width() - 1, middle)), 10) << name;
    }
    EXPECT_GT(resourceImage("Mid").width(), 130); // the right page uses its first width - 130 columns
}

// Icons stand free on any background and have a double-size variant for
// high-density screens; the grab cursor's hot spot is on the hand.
TEST(Artwork, BuiltinPicturesLoadAtTheirSizesWithDoubleSizeVariants)
{
    const std::pair<BuiltinPicture, QSize> pictures[] = {
        {BuiltinPicture::TreeDrive, {16, 16}},       {BuiltinPicture::TreeFolder, {16, 16}},
        {BuiltinPicture::TreeBook, {16, 16}},        {BuiltinPicture::TreeRoot, {16, 16}},
        {BuiltinPicture::ButtonCover, {24, 24}},     {BuiltinPicture::ButtonClipboard, {24, 24}},
        {BuiltinPicture::ButtonPreferences, {24, 24}}, {BuiltinPicture::ButtonHelp, {24, 24}},
        {BuiltinPicture::GrabCursor, {32, 32}},      {BuiltinPicture::BookmarkRibbon, {100, 300}}};
    for (const auto &[picture, size] : pictures) {
        const QString path = builtinPicturePath(picture);
        SCOPED_TRACE(path.toStdString());
        const QImage image = builtinImage(picture).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), size);
        if (picture != BuiltinPicture::BookmarkRibbon) {
            EXPECT_EQ(QImage(QString(path).replace(QLatin1String(".png"), QLatin1String("@2x.png"))).size(),
                      size * 2);
        }
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), picture == BuiltinPicture::BookmarkRibbon ? 255 : 0);
    }

    const QCursor cursor = quillmoth::grabCursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const qreal ratio = cursor.pixmap().devicePixelRatio();
    const QPoint hotSpot = cursor.hotSpot();
    ASSERT_TRUE(QRect(0, 0, 32, 32).contains(hotSpot));
    EXPECT_EQ(qAlpha(image.pixel(int(hotSpot.x() * ratio), int(hotSpot.y() * ratio))), 255);
}

TEST(Artwork, ThemePicturesAreThereInEveryFolderAtUsableSizes)
{
    for (const std::string folder : {"BackGround", "Corner", "BookMark", "Illurstration"}) {
        int count = 0;
        for (const auto &entry : fs::directory_iterator(fs::path(QUILLMOTH_RESOURCES_DIR) / "pics" / folder)) {
            const fs::path &file = entry.path();
            SCOPED_TRACE(file.string());
            const QImage image = QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(image.isNull());
            ++count;
            if (folder == "Corner") {
                // Used as they are up to 120 x 120; the far corner stays clear.
                EXPECT_LE(std::max(image.width(), image.height()), 120);
                EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
            } else if (folder == "BookMark") {
                EXPECT_EQ(image.size(), QSize(100, 300));
            } else if (folder == "BackGround") {
                EXPECT_GT(image.width(), image.height()); // stretched over the spread
            } else {
                EXPECT_EQ(file.extension(), ".jpg"); // the album lists *.jpg and *.gif only
            }
        }
        EXPECT_GE(count, 3) << folder;
    }
}
