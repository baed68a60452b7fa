#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoth {

class AnsiCodePage;

// An INI file with the semantics of the classic profile-string functions:
// sections and keys match without regard to case, the first of duplicate
// sections or keys wins, values are trimmed and lose one pair of enclosing
// quotes, and a write changes only the line it needs. Files are read as UTF-8
// (or UTF-16 with a byte-order mark; a line that is not UTF-8 is read in the
// ANSI code page) and written atomically: every line a write does not change
// goes back byte for byte, line end included; changed and new lines are UTF-8.
class IniFile {
public:
    // The file's text split into lines; a missing file has none.
    static IniFile load(const std::filesystem::path &path, const AnsiCodePage &codePage);

    // Parses text already read.
    static IniFile fromText(std::u16string_view text);

    // The value of a key, or nothing when the section or the key is absent.
    std::optional<std::u16string> value(std::u16string_view section,
                                        std::u16string_view key) const;

    // True when a section of this name exists.
    bool hasSection(std::u16string_view section) const;

    // Sets a key, adding the key (and the section) when they are missing.
    void setValue(std::u16string_view section, std::u16string_view key,
                  std::u16string_view value);

    // Removes a section with all its lines; nothing happens when it is absent.
    void removeSection(std::u16string_view section);

    // The file's text, lines ended by CR LF.
    std::u16string text() const;

    // Writes the text as UTF-8 to a temporary file and renames it into place.
    bool save(const std::filesystem::path &path, std::string *error = nullptr) const;

private:
    struct Line {
        std::u16string text;
        // The line's bytes and end as read; a changed or new line has none.
        std::optional<std::string> bytes;
        std::string end = "\r\n";
    };
    static IniFile fromBytes(std::string_view bytes, const AnsiCodePage &codePage);
    void addLine(std::size_t at, std::u16string text);

    // Index of the first line of the first section with this name (its header).
    std::optional<std::size_t> findSection(std::u16string_view section) const;
    // Index one past the last line of the section whose header is at `header`.
    std::size_t sectionEnd(std::size_t header) const;

    std::vector<Line> m_lines;
    std::string m_byteOrderMark; // kept for the file's first line
};

} // namespace quillmoth
