#pragma once

#include "platform/ini_file.h"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillmoth {

class AnsiCodePage;

// One bookmark as the file stores it: a 1-based character position in the
// book text and the decimal code of the character that stood there.
struct StoredBookmark {
    double position = 0;
    std::u16string charCode;
    friend bool operator==(const StoredBookmark &, const StoredBookmark &) = default;
};

// The bookmark file, Settings/BMK.ini: one section per book (its title), keys
// "BM1" to "BM4", values "Position,CharCode". The file is read afresh on each
// call, so a change by another window is always seen. Every change rewrites
// the whole file in UTF-8 through a temporary file, so it is never left
// half-written; a file in the ANSI code page is read and kept readable.
class BookmarkFile {
public:
    // The values of the keys "BM1" to "BM4", "" for an absent key.
    using BookmarkValues = std::array<std::u16string, 4>;

    BookmarkFile(std::filesystem::path path, const AnsiCodePage &codePage)
        : m_path(std::move(path)), m_codePage(codePage)
    {
    }

    // True when the file exists and its text contains "[" + section + "]",
    // letter case included.
    bool hasSection(std::u16string_view section) const;

    // The key's value (at most 255 characters), trimmed of spaces, "" when absent.
    std::u16string Read_Bmark_Key(std::u16string_view section, std::u16string_view key) const;

    // The section test and the four keys from one reading of the file:
    // nothing when the file holds no section of this name.
    std::optional<BookmarkValues> bookmarkValues(std::u16string_view section) const;

    // Sets one key of a section, adding both when missing. False, with the
    // file unchanged, when it cannot be written or a name or the value holds
    // a line break or NUL (which would split the line).
    bool writeKey(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // Removes the section (every copy of it) with all its keys; false when
    // the file cannot be written.
    bool deleteSection(std::u16string_view section);

    // Replaces the section with the bookmarks in ascending position under the
    // keys "BM1", "BM2", ..., each "Position,CharCode". A single bookmark is
    // written only when its position is above 0; with none left the section
    // is gone. One atomic write.
    bool rewriteSection(std::u16string_view section, std::span<const StoredBookmark> bookmarks);

    const std::filesystem::path &path() const { return m_path; }

private:
    // The file to change, or nothing when it exists but cannot be read.
    std::optional<IniFile> loadForChange() const;

    std::filesystem::path m_path;
    const AnsiCodePage &m_codePage;
};

} // namespace quillmoth
