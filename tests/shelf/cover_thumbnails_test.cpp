#include "shelf/cover_thumbnails.h"

#include "../platform/app_test_support.h"
#include "../support/kill_while_writing.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

using testing::ScratchFolder;

// Thumbnails replace every lower-case ".txt"; titles drop the extension but
// short names stay whole.
TEST(CoverThumbnails, NamesAndTitles)
{
    for (const auto &[book, thumbnail] :
         {std::pair<std::u16string, std::u16string>{u"Novel.txt", u"Novel.jpg"},
          {u"x.txtbook.txt", u"x.jpgbook.jpg"}, {u"Book.TXT", u"Book.TXT"}})
        EXPECT_EQ(thumbnailFileName(book), thumbnail);
    EXPECT_TRUE(thumbnailPath("/thumbs", BookEntry{"/books", u""}).empty());
    EXPECT_EQ((BookEntry{"/b", u"abc"}.title()), u"abc");
    EXPECT_EQ((BookEntry{"/b", std::string("caf\xe9.txt")}.title()), u"caf\uFFFD");
}

class ThumbnailFiles : public ::testing::Test {
protected:
    ThumbnailFiles() { std::filesystem::create_directories(thumbs()); }
    std::filesystem::path thumbs() const { return scratch.path() / "CoverThumbs"; }
    std::filesystem::path picture(QSize size, QColor color) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        const std::filesystem::path path = scratch.path() / "picture.png";
        image.save(QString::fromStdString(path.string()));
        return path;
    }
    ScratchFolder scratch;
    BookEntry book{"/books", u"Novel.txt"};
};

// A failed save leaves no file behind, and an erase removes nothing but a
// thumbnail file.
TEST_F(ThumbnailFiles, SavedAs90By135Jpeg_FailuresLeaveNothing_AndEraseTakesOnlyThumbnails)
{
    testing::writeFile(scratch.path() / "broken.png", "not a picture");
    EXPECT_FALSE(GdipSavetoJPEG(scratch.path() / "broken.png", thumbnailPath(thumbs(), book)));
    EXPECT_FALSE(GdipSavetoJPEG(picture({10, 10}, Qt::red), scratch.path() / "none" / "Novel.jpg"));
    EXPECT_EQ(testing::entryCount(thumbs()), 0);

    ASSERT_TRUE(GdipSavetoJPEG(picture({400, 100}, Qt::red), thumbnailPath(thumbs(), book)));
    QImageReader reader(QString::fromStdString((thumbs() / "Novel.jpg").string()));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(90, 135));
    EXPECT_TRUE(hasThumbnail(thumbs(), book));
    EXPECT_TRUE(eraseThumbnail(thumbs(), book));
    EXPECT_FALSE(hasThumbnail(thumbs(), book));
    EXPECT_FALSE(eraseThumbnail(thumbs(), book));

    std::filesystem::create_directories(thumbs() / "Novel.jpg"); // a folder of that name
    EXPECT_FALSE(eraseThumbnail(thumbs(), book));
    EXPECT_TRUE(std::filesystem::is_directory(thumbs() / "Novel.jpg"));
    EXPECT_FALSE(eraseThumbnail(thumbs(), BookEntry{"/books", u".."}));
    EXPECT_TRUE(std::filesystem::exists(thumbs()));
}

// Thumbnail writers killed again and again leave a whole picture.
TEST_F(ThumbnailFiles, KilledWritersLeaveAWholeThumbnail)
{
    const std::filesystem::path red = picture({400, 600}, Qt::red);
    const std::filesystem::path blue = scratch.path() / "blue.png";
    std::filesystem::copy_file(picture({400, 600}, Qt::blue), blue);
    const std::filesystem::path target = thumbnailPath(thumbs(), book);
    // A process of its own: forking one that runs Qt's picture code is not safe.
    const auto startWriter = [&] {
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(QUILLMOTH_THUMBNAIL_WRITER, "thumbnail_writer", red.c_str(), blue.c_str(),
                    target.c_str(), static_cast<char *>(nullptr));
            ::_exit(127);
        }
        return child;
    };
    const auto report = quillmoth::testing::killWhileWriting(
        target, [&](int version) { GdipSavetoJPEG(version == 0 ? red : blue, target); }, 24,
        std::chrono::milliseconds(200), startWriter);
    EXPECT_TRUE(report.torn.empty());
    EXPECT_GE(report.duringWrite, 1);
}

TEST_F(ThumbnailFiles, CacheDecodesOnceNoticesAChangedFileAndKeepsItsCapacity)
{
    const std::filesystem::path file = thumbnailPath(thumbs(), book);
    ASSERT_TRUE(GdipSavetoJPEG(picture({90, 135}, Qt::red), file));
    CoverCache cache(2);
    const QImage first = cache.cover(file, {95, 135});
    EXPECT_EQ(first.size(), QSize(95, 135));
    EXPECT_EQ(cache.cover(file, {95, 135}).cacheKey(), first.cacheKey());

    ASSERT_TRUE(GdipSavetoJPEG(picture({90, 135}, Qt::blue), file));
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                               std::chrono::seconds(2));
    EXPECT_GT(cache.cover(file, {95, 135}).pixelColor(40, 60).blue(), 200);

    std::filesystem::remove(file);
    EXPECT_TRUE(cache.cover(file, {95, 135}).isNull());
    EXPECT_EQ(cache.size(), 0u);

    // It keeps only its capacity.
    for (const char16_t *name : {u"a.txt", u"b.txt", u"c.txt"}) {
        const std::filesystem::path other = thumbnailPath(thumbs(), BookEntry{"/b", name});
        ASSERT_TRUE(GdipSavetoJPEG(picture({20, 20}, Qt::green), other));
        EXPECT_FALSE(cache.cover(other, {100, 135}).isNull());
    }
    EXPECT_EQ(cache.size(), 2u);
}

} // namespace
} // namespace quillmoth
