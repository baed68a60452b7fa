#include "shelf/cover_thumbnails.h"

#include "platform/qt_text.h"

#include "platform/imaging.h"
#include "text/text_paths.h"

#include <QImageReader>
#include <QMimeData>
#include <QUrl>

#include <system_error>

namespace quillmoth {

namespace {

bool isRegularFile(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::u16string thumbnailFileName(std::u16string_view bookFileName)
{
    std::u16string name;
    name.reserve(bookFileName.size());
    std::size_t from = 0;
    for (std::size_t at; (at = bookFileName.find(u".txt", from)) != std::u16string_view::npos;
         from = at + 4) {
        name.append(bookFileName.substr(from, at - from));
        name.append(u".jpg");
    }
    name.append(bookFileName.substr(from));
    return name;
}

std::filesystem::path thumbnailPath(const std::filesystem::path &thumbsFolder,
                                    const BookEntry &book)
{
    if (book.name.empty())
        return {};
    return thumbsFolder / text::pathFromText(thumbnailFileName(book.fileName()));
}

bool hasThumbnail(const std::filesystem::path &thumbsFolder, const BookEntry &book)
{
    const std::filesystem::path path = thumbnailPath(thumbsFolder, book);
    return !path.empty() && isRegularFile(path);
}

bool GdipSavetoJPEG(const std::filesystem::path &source, const std::filesystem::path &thumbnailFile)
{
    if (thumbnailFile.empty() || !thumbnailFile.has_filename())
        return false;
    const QImage picture = loadImage(qtPath(source));
    const QImage cover = thumbnail(picture, kThumbnailSize.width(), kThumbnailSize.height());
    return !cover.isNull() && saveJpeg(cover, qtPath(thumbnailFile), kThumbnailQuality);
}

bool eraseThumbnail(const std::filesystem::path &thumbsFolder, const BookEntry &book)
{
    const std::filesystem::path path = thumbnailPath(thumbsFolder, book);
    // A name such as "." or ".." would not address a thumbnail.
    if (path.empty() || path.parent_path() != thumbsFolder || !isRegularFile(path))
        return false;
    std::error_code error;
    return std::filesystem::remove(path, error);
}

QString firstDroppedFile(const QMimeData *data)
{
    if (data == nullptr)
        return {};
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

QImage CoverCache::cover(const std::filesystem::path &file, QSize size)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        forget(file);
        return {};
    }
    const auto modified = std::filesystem::last_write_time(file, error);
    const std::uintmax_t bytes = std::filesystem::file_size(file, error);
    const std::u16string key = text::textFromPath(file);
    auto found = m_entries.find(key);
    if (found != m_entries.end()) {
        Entry &entry = found->second;
        if (entry.modified == modified && entry.bytes == bytes && entry.image.size() == size) {
            m_recency.splice(m_recency.begin(), m_recency, entry.recency);
            return entry.image;
        }
        m_recency.erase(entry.recency);
        m_entries.erase(found);
    }

    // Decoding straight at cover size keeps large pictures cheap.
    QImageReader reader(qtPath(file));
    reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.size() != size)
        image = thumbnail(image, size.width(), size.height());

    m_recency.push_front(key);
    m_entries.emplace(key, Entry{image, modified, bytes, m_recency.begin()});
    while (m_entries.size() > m_capacity && !m_recency.empty()) {
        m_entries.erase(m_recency.back());
        m_recency.pop_back();
    }
    return image;
}

void CoverCache::forget(const std::filesystem::path &file)
{
    const auto found = m_entries.find(text::textFromPath(file));
    if (found == m_entries.end())
        return;
    m_recency.erase(found->second.recency);
    m_entries.erase(found);
}

void CoverCache::clear()
{
    m_entries.clear();
    m_recency.clear();
}

} // namespace quillmoth
