#pragma once

#include "shelf/book_list.h"

#include <QImage>
#include <QSize>
#include <QString>

class QMimeData;

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <list>
#include <string>
#include <unordered_map>

namespace quillmoth {

// Cover thumbnails: Settings/CoverThumbs/<book file name with every ".txt"
// replaced by ".jpg">, so books of one name in different folders share one.

inline constexpr QSize kThumbnailSize{90, 135};
inline constexpr int kThumbnailQuality = 90;

// "a.txt.txt" gives "a.jpg.jpg"; "Book.TXT" stays "Book.TXT" (the
// replacement is case-sensitive).
std::u16string thumbnailFileName(std::u16string_view bookFileName);

// The thumbnail of a book, or an empty path for a book without a name.
std::filesystem::path thumbnailPath(const std::filesystem::path &thumbsFolder,
                                    const BookEntry &book);

// Whether the book has a thumbnail: a regular file at its thumbnail path.
bool hasThumbnail(const std::filesystem::path &thumbsFolder, const BookEntry &book);

// GdipSavetoJPEG: the picture at `source` made 90 x 135 (stretched, whatever
// its shape) and saved as a JPEG of quality 90 at `thumbnailFile`, atomically, so
// a failure leaves the old file or none, never a partial one. False when the
// picture cannot be read or the file cannot be written.
bool GdipSavetoJPEG(const std::filesystem::path &source,
                    const std::filesystem::path &thumbnailFile);

// Deletes the book's thumbnail. Only a regular file in the thumbnails folder
// is ever removed; false when there was none or it could not be removed.
bool eraseThumbnail(const std::filesystem::path &thumbsFolder, const BookEntry &book);

// The first local file among dropped data (a picture for a cover), or "".
QString firstDroppedFile(const QMimeData *data);

// Thumbnails decoded once at cover size and kept for the covers shown again
// (a scroll back, a page turned back). A file that changed since it was decoded
// is read again; the least recently used pictures go first when full.
class CoverCache {
public:
    explicit CoverCache(std::size_t capacity = 256) : m_capacity(capacity) {}

    // The picture of the thumbnail file at `size`, or a null image when the
    // file is missing or unreadable.
    QImage cover(const std::filesystem::path &file, QSize size);

    // Forgets one file (after it was replaced or erased) or all of them.
    void forget(const std::filesystem::path &file);
    void clear();

    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        QImage image; // at the size it was asked for last
        std::filesystem::file_time_type modified;
        std::uintmax_t bytes = 0;
        std::list<std::u16string>::iterator recency;
    };
    std::size_t m_capacity;
    std::unordered_map<std::u16string, Entry> m_entries;
    std::list<std::u16string> m_recency; // most recent first
};

} // namespace quillmoth
