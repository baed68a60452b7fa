#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillmoth {

// One book of the open folder: its folder and its file name, kept apart so
// that names holding "|" or "\" need no parsing. The name is kept as the file
// system spells it, so a name that is not valid UTF-8 still opens.
struct BookEntry {
    std::filesystem::path folder;
    std::filesystem::path name;

    BookEntry() = default;
    BookEntry(std::filesystem::path bookFolder, std::filesystem::path fileName)
        : folder(std::move(bookFolder)), name(std::move(fileName))
    {
    }

    std::filesystem::path fullPath() const { return folder / name; }

    // The file name as text (bytes that are not UTF-8 become U+FFFD).
    std::u16string fileName() const;

    // The file name without its last four characters; the whole name when it
    // is shorter than that.
    std::u16string title() const;

    friend bool operator==(const BookEntry &, const BookEntry &) = default;
};

// The books of the open folder, in the order they are shown.
using BookList = std::vector<BookEntry>;

} // namespace quillmoth
