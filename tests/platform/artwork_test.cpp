// Probes of the shipped pictures and themes: sizes, transparency where it
// matters, and the seams of the shelf pieces. No picture is compared whole.
#include "platform/builtin_pictures.h"
#include "platform/resource_extraction.h"

#include "app_test_support.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

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

fs::path resources()
{
    return fs::path(QUILLMOTH_RESOURCES_DIR);
}

std::vector<fs::path> filesIn(const fs::path &folder)
{
    std::vector<fs::path> files;
    for (const auto &entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

} // namespace

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

    // The side of the cabinet runs on from one row to the next.
    double rowStep = 0;
    double seam = 0;
    for (int x = 3; x < 10; ++x) {
        for (int y = 1; y < 170; ++y)
            rowStep += pixelDistance(post.pixel(x, y - 1), post.pixel(x, y)) / 169.0;
        seam += pixelDistance(post.pixel(x, 169), post.pixel(x, 0));
    }
    EXPECT_LE(seam, 2.5 * rowStep);

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
    const QRgb cloth = cover.pixel(60, 36);
    EXPECT_GT(qRed(cloth), qGreen(cloth) + 40);
    EXPECT_EQ(qAlpha(cover.pixel(0, 0)), 255);
}

TEST(Artwork, PageShadows_AreSoftBandsThatFadeOut)
{
    const QImage fold = resourceImage("Mid");
    ASSERT_GT(fold.width(), 130); // the right page uses its first width - 130 columns
    const int middle = fold.height() / 2;
    const int centreAlpha = qAlpha(fold.pixel(fold.width() / 2, middle));
    EXPECT_GT(centreAlpha, 150);
    EXPECT_LT(qAlpha(fold.pixel(0, middle)), 10);
    EXPECT_LT(qAlpha(fold.pixel(fold.width() - 1, middle)), 10);
    // From the left edge toward the fold the shadow only deepens.
    for (int x = 1; x <= fold.width() / 2; ++x)
        EXPECT_GE(qAlpha(fold.pixel(x, middle)), qAlpha(fold.pixel(x - 1, middle))) << x;

    const QImage turn = resourceImage("Sid");
    const int row = turn.height() / 2;
    EXPECT_GT(qAlpha(turn.pixel(turn.width() / 2, row)), 150);
    EXPECT_LT(qAlpha(turn.pixel(0, row)), 10);
    EXPECT_LT(qAlpha(turn.pixel(turn.width() - 1, row)), 10);
    EXPECT_LT(qAlpha(turn.pixel(turn.width() / 2, 0)), qAlpha(turn.pixel(turn.width() / 2, row)));
}

TEST(Artwork, WindowBackground_IsWarmPaper)
{
    const QImage background = resourceImage("UIback");
    ASSERT_EQ(background.size(), QSize(800, 500));
    const double light = meanLuminance(background, background.rect());
    EXPECT_GT(light, 150);
    EXPECT_LT(light, 245);
    const QRgb centre = background.pixel(400, 250);
    EXPECT_GT(qRed(centre), qBlue(centre) + 15);
}

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
        const QImage image = builtinImage(picture).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), size) << path.toStdString();
        QString doublePath = path;
        doublePath.replace(QLatin1String(".png"), QLatin1String("@2x.png"));
        EXPECT_EQ(QImage(doublePath).size(), size * 2) << doublePath.toStdString();
        // Icons stand free on any background, with something solid in the middle.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << path.toStdString();
        int solid = 0;
        for (int y = size.height() / 4; y < size.height() * 3 / 4; ++y)
            for (int x = size.width() / 4; x < size.width() * 3 / 4; ++x)
                solid += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        EXPECT_GT(solid, size.width() * size.height() / 16) << path.toStdString();
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
    const fs::path pics = resources() / "pics";
    for (const char *folder : {"BackGround", "Corner", "BookMark", "Illurstration"}) {
        const auto files = filesIn(pics / folder);
        EXPECT_GE(files.size(), 3u) << folder;
        for (const fs::path &file : files) {
            const QImage image = QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(image.isNull()) << file;
            const std::string name(folder);
            if (name == "Corner") {
                // Used as they are up to 120 x 120; the far corner stays clear.
                EXPECT_LE(image.width(), 120) << file;
                EXPECT_LE(image.height(), 120) << file;
                EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0) << file;
            } else if (name == "BookMark") {
                EXPECT_EQ(image.size(), QSize(100, 300)) << file;
            } else if (name == "BackGround") {
                // Landscape, so that the page stretches it over the spread.
                EXPECT_GE(image.width(), 800) << file;
                EXPECT_GT(image.width(), image.height()) << file;
            } else {
                // The album lists *.jpg and *.gif only.
                EXPECT_EQ(file.extension(), ".jpg") << file;
            }
        }
    }
}

TEST(Artwork, ShippedThemes_AreWellFormedAndUseShippedPictures)
{
    int withPictures = 0;
    const auto files = filesIn(resources() / "themes");
    ASSERT_GE(files.size(), 4u);
    for (const fs::path &file : files) {
        ASSERT_TRUE(file.filename().string().ends_with(".thm")) << file;
        const std::string bytes = readFile(file);
        ASSERT_GE(bytes.size(), 3u);
        EXPECT_EQ(bytes.substr(bytes.size() - 3), std::string("\0\r\n", 3)) << file;
        const std::vector<std::string> fields = split(bytes.substr(0, bytes.size() - 3), ',');
        ASSERT_EQ(fields.size(), 19u) << file;
        for (const int number : {0, 1, 7, 8, 9, 10, 12, 16})
            EXPECT_NO_THROW((void)std::stod(fields[std::size_t(number)])) << file << " field " << number;
        for (const int flag : {13, 14, 15, 17, 18})
            EXPECT_TRUE(fields[std::size_t(flag)] == "True" || fields[std::size_t(flag)] == "False") << file;
        bool usesPictures = false;
        for (int index = 2; index <= 6; ++index) {
            const std::string &path = fields[std::size_t(index)];
            if (path.empty())
                continue;
            // Relative to the application folder, where Pics/ is resources/pics/.
            ASSERT_EQ(path.rfind("Pics/", 0), 0u) << file << ": " << path;
            EXPECT_TRUE(fs::exists(resources() / "pics" / path.substr(5))) << file << ": " << path;
            usesPictures = true;
        }
        withPictures += usesPictures ? 1 : 0;
    }
    EXPECT_GE(withPictures, 3);
    EXPECT_EQ(readFile(resources() / "themes" / ".thm"),
              std::string("100,100,,,,,,-1,-1,0,9,Tahoma,0,False,False,False,0,False,False\0\r\n", 66));
}
