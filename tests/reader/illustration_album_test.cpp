#include "reader/illustration_album.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace quillmoth {
namespace {

// Jpegs, then gifs, in name order whatever the letter case; pictures are
// handed out from the second, wrapping round.
TEST(IllustrationAlbum, ListsJpegsThenGifs_AndHandsThemOutFromTheSecond)
{
    QTemporaryDir scratch;
    const std::filesystem::path folder = scratch.path().toStdString();
    const std::pair<const char *, QColor> pictures[] = {
        {"c.JPG", Qt::green}, {"b.jpg", Qt::red}, {"d.Jpg", Qt::blue}};
    for (const auto &[name, color] : pictures) {
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(color);
        picture.save(QString::fromStdString((folder / name).string()), "JPEG", 100);
    }
    for (const char *name : {"a.gif", "notes.txt", "e.GIF"})
        std::ofstream(folder / name) << "x";
    IllustrationAlbum album = IllustrationAlbum::list(folder);
    std::vector<std::string> names;
    for (const auto &path : album.AlbumFiles())
        names.push_back(path.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"b.jpg", "c.JPG", "d.Jpg", "a.gif", "e.GIF"}));
    std::vector<int> shown; // 1 red, 2 green, 3 blue, 0 no picture
    for (int page = 0; page < 6; ++page) {
        const QImage image = album.next();
        const QColor pixel = image.isNull() ? QColor(Qt::black) : image.pixelColor(1, 1);
        shown.push_back(pixel.red() > 200 ? 1 : pixel.green() > 200 ? 2 : pixel.blue() > 200 ? 3 : 0);
    }
    EXPECT_EQ(shown, (std::vector<int>{2, 3, 0, 0, 1, 2}));

    // A folder that cannot be listed is an empty album.
    IllustrationAlbum none = IllustrationAlbum::list("/no/such/album/folder");
    EXPECT_TRUE(none.isEmpty());
    EXPECT_TRUE(none.next().isNull());
}

} // namespace
} // namespace quillmoth
