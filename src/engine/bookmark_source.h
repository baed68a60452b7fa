#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quillmoth {

// Where book creation finds a book's saved bookmarks: the bookmark file.
class BookmarkSource {
public:
    // The values of the keys "BM1" to "BM4", "" for an absent key.
    using BookmarkValues = std::array<std::u16string, 4>;

    virtual ~BookmarkSource() = default;

    // The book's values, or nothing when the file holds no section of this
    // name. One call reads the file once.
    virtual std::optional<BookmarkValues> bookmarkValues(std::u16string_view section) const = 0;
};

} // namespace quillmoth
