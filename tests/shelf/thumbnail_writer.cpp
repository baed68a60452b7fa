// Writes a book's thumbnail over and over from two pictures in turn, until it
// is killed: the writer the thumbnail kill test stops at random moments.
// Usage: thumbnail_writer FIRST_PICTURE SECOND_PICTURE THUMBNAIL

#include "shelf/cover_thumbnails.h"

#include <QGuiApplication>

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::filesystem::path pictures[] = {argv[1], argv[2]};
    for (int i = 1;; ++i)
        quillmoth::GdipSavetoJPEG(pictures[i % 2], argv[3]);
}
