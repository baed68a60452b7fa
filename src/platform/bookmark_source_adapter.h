#pragma once

#include "engine/book.h"
#include "engine/bookmark_source.h"
#include "platform/bookmark_file.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quillmoth {

// Lets book creation read a book's bookmarks from the bookmark file. The
// engine knows only BookmarkSource and the file knows nothing of books, so
// the two meet here. The file must outlive the adapter.
class BookmarkFileSource final : public BookmarkSource {
public:
    explicit BookmarkFileSource(const BookmarkFile &file) : m_file(file) {}

    std::optional<BookmarkValues> bookmarkValues(std::u16string_view section) const override;

private:
    const BookmarkFile &m_file;
};

// A Book record's bookmarks as the file stores them, in the same order.
std::vector<StoredBookmark> storedBookmarks(std::span<const BookmarkRec> bookmarks);

} // namespace quillmoth
