#include "reader/illustration_album.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace quillmoth {
namespace {

TEST(IllustrationAlbum, ListsJpegsThenGifs_InNameOrder_AnyLetterCase)
{
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    for (const char *name : {"c.JPG", "a.gif", "b.jpg", "notes.txt", "d.Jpg", "e.GIF"})
        std::ofstream(folder / name) << "x";
    const IllustrationAlbum album = IllustrationAlbum::list(folder);
    std::vector<std::string> names;
    for (const auto &path : album.AlbumFiles())
        names.push_back(path.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"b.jpg", "c.JPG", "d.Jpg", "a.gif", "e.GIF"}));

    // A folder that cannot be listed is an empty album.
    IllustrationAlbum none = IllustrationAlbum::list("/no/such/album/folder");
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(none.next().isNull());
}

TEST(IllustrationAlbum, HandsOutPicturesFromTheSecond_AndWrapsRound)
{
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    const QColor colors[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(colors[i]);
        picture.save(QString::fromStdString((folder / ("p" + std::to_string(i) + ".jpg")).string()),
                     "JPEG", 100);
    }
    IllustrationAlbum album = IllustrationAlbum::list(folder);
    std::vector<int> shown;  // which picture each of five right-hand pages gets
    for (int page = 0; page < 5; ++page) {
        const QColor pixel = album.next().pixelColor(1, 1);
        shown.push_back(pixel.red() > 200 ? 1 : pixel.green() > 200 ? 2 : 3);
    }
    EXPECT_EQ(shown, (std::vector<int>{2, 3, 1, 2, 3}));
}

} // namespace
} // namespace quillmoth
