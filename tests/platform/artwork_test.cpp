// Probes of the shipped pictures: that they load, and transparency and light
// where the drawing code relies on them. No picture is compared whole.
#include "platform/builtin_pictures.h"
#include "platform/resource_extraction.h"

#include "app_test_support.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace quillmoth;
namespace fs = std::filesystem;

namespace {

QImage resourceImage(const char *name)
{
    return QImage::fromData(builtinResource(QString::fromLatin1(name))).convertToFormat(QImage::Format_ARGB32);
}

} // namespace

// The shelf pieces and shadows load; the title is written into x 12 to 100 of
// the cover, which must be light there, and the right page uses the middle
// shadow's first width - 130 columns.
TEST(Artwork, ShelfPiecesCoverAndShadowsLoad)
{
    for (const char *name : {"TOP", "LEFT", "MIDDLE", "Sid"})
        EXPECT_FALSE(resourceImage(name).isNull()) << name;
    const QImage cover = resourceImage("COVER");
    const QImage title = cover.copy(14, 50, 86, 74).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(qGray(title.pixel(0, 0)), 200); // the average over the title's place
    EXPECT_GT(resourceImage("Mid").width(), 130);
}

// The icons load (their double-size variants only sharpen them on dense
// screens).
TEST(Artwork, BuiltinPicturesLoad)
{
    for (const BuiltinPicture picture :
         {BuiltinPicture::TreeDrive, BuiltinPicture::TreeFolder, BuiltinPicture::TreeBook, BuiltinPicture::TreeRoot,
          BuiltinPicture::ButtonCover, BuiltinPicture::ButtonClipboard, BuiltinPicture::ButtonPreferences,
          BuiltinPicture::ButtonHelp, BuiltinPicture::GrabCursor, BuiltinPicture::BookmarkRibbon})
        EXPECT_FALSE(builtinImage(picture).isNull()) << builtinPicturePath(picture).toStdString();
}

// Every theme picture folder ships pictures that load; the album lists only
// *.jpg and *.gif, so its pictures must be one of those.
TEST(Artwork, ThemePicturesLoadInEveryFolder)
{
    for (const std::string folder : {"BackGround", "Corner", "BookMark", "Illurstration"}) {
        int count = 0;
        for (const auto &entry : fs::directory_iterator(fs::path(QUILLMOTH_RESOURCES_DIR) / "pics" / folder)) {
            const fs::path &file = entry.path();
            EXPECT_FALSE(QImage(QString::fromStdString(file.string())).isNull()) << file;
            EXPECT_TRUE(folder != "Illurstration" || file.extension() == ".jpg") << file;
            ++count;
        }
        EXPECT_GE(count, 3) << folder;
    }
}
