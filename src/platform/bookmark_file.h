#pragma once

#include "engine/bookmark_source.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmoth {

class AnsiCodePage;

// The bookmark file, Settings/BMK.ini: one section per book (its title), keys
// "BM1" to "BM4", values "Position,CharCode". The file is read afresh on each
// call, so a change by another window is always seen.
class BookmarkFile final : public BookmarkSource {
public:
    BookmarkFile(std::filesystem::path path, const AnsiCodePage &codePage)
        : m_path(std::move(path)), m_codePage(codePage)
    {
    }

    // True when the file exists and its text contains "[" + section + "]",
    // letter case included.
    bool hasSection(std::u16string_view section) const override;

    // The key's value (at most 255 characters), trimmed of spaces, "" when absent.
    std::u16string Read_Bmark_Key(std::u16string_view section,
                                  std::u16string_view key) const override;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
    const AnsiCodePage &m_codePage;
};

} // namespace quillmoth
