#include "bookmark_source_adapter.h"

namespace quillmoth {

std::optional<BookmarkSource::BookmarkValues>
BookmarkFileSource::bookmarkValues(std::u16string_view section) const
{
    return m_file.bookmarkValues(section);
}

std::vector<StoredBookmark> storedBookmarks(std::span<const BookmarkRec> bookmarks)
{
    std::vector<StoredBookmark> stored;
    stored.reserve(bookmarks.size());
    for (const BookmarkRec &bookmark : bookmarks)
        stored.push_back({bookmark.Position, bookmark.CharCode});
    return stored;
}

} // namespace quillmoth
