#pragma once

#include <string>
#include <string_view>

namespace quillmoth {

// Where book creation finds a book's saved bookmarks: the bookmark file.
class BookmarkSource {
public:
    virtual ~BookmarkSource() = default;

    // True when the file holds a section of this name.
    virtual bool hasSection(std::u16string_view section) const = 0;

    // The value of one key, or "" when it is absent.
    virtual std::u16string Read_Bmark_Key(std::u16string_view section,
                                          std::u16string_view key) const = 0;
};

} // namespace quillmoth
