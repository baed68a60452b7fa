#include "bookmark_file.h"

#include "ini_file.h"

#include "text/number_text.h"
#include "text/text_decoding.h"
#include "text/text_ops.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <vector>

namespace quillmoth {
namespace {

// Text that would break the line structure of the file.
bool canStore(std::u16string_view text)
{
    return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) == std::u16string_view::npos;
}

bool canName(std::u16string_view section, std::u16string_view key)
{
    const std::u16string_view trimmedKey = text::trimSpaces(key);
    return canStore(section) && canStore(key) && !trimmedKey.empty() &&
           key.find(u'=') == std::u16string_view::npos && trimmedKey.front() != u'[' &&
           trimmedKey.front() != u';';
}

void removeEverySection(IniFile &file, std::u16string_view section)
{
    while (file.hasSection(section))
        file.removeSection(section);
}

// The file's text, or "" when it is missing or unreadable; each line read
// as the file holds it (see IniFile::load).
std::u16string fileText(const std::filesystem::path &path, const AnsiCodePage &codePage)
{
    return IniFile::load(path, codePage).text();
}

bool textHasSection(std::u16string_view text, std::u16string_view section)
{
    return text::contains(text, u"[" + std::u16string(section) + u"]");
}

// A key's value as the profile functions hand it over: through a buffer of
// 256 characters, as a C string, trimmed of spaces.
std::u16string keyValue(const IniFile &file, std::u16string_view section, std::u16string_view key)
{
    std::u16string value = file.value(section, key).value_or(std::u16string());
    value.resize(std::min(value.find(u'\0'), value.size()));
    value.resize(std::min<std::size_t>(value.size(), 255));
    return std::u16string(text::trimSpaces(value));
}

} // namespace

std::optional<IniFile> BookmarkFile::loadForChange() const
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(m_path, error);
    if (!fs::exists(status))
        return IniFile();
    // A file that is there but cannot be read must not be replaced by one
    // holding only the new bookmarks.
    if (!fs::is_regular_file(status) || fs::file_size(m_path, error) > kLargestReadableFile ||
        error || !std::ifstream(m_path, std::ios::binary).good())
        return std::nullopt;
    return IniFile::load(m_path, m_codePage);
}

bool BookmarkFile::hasSection(std::u16string_view section) const
{
    return textHasSection(fileText(m_path, m_codePage), section);
}

std::u16string BookmarkFile::Read_Bmark_Key(std::u16string_view section,
                                            std::u16string_view key) const
{
    return keyValue(IniFile::load(m_path, m_codePage), section, key);
}

std::optional<BookmarkFile::BookmarkValues> BookmarkFile::bookmarkValues(std::u16string_view section) const
{
    const std::u16string text = fileText(m_path, m_codePage);
    if (!textHasSection(text, section))
        return std::nullopt;
    const IniFile file = IniFile::fromText(text);
    BookmarkValues values;
    for (std::size_t key = 0; key < values.size(); ++key)
        values[key] = keyValue(file, section, u"BM" + std::u16string(1, char16_t(u'1' + key)));
    return values;
}

bool BookmarkFile::writeKey(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value)
{
    if (!canName(section, key) || !canStore(value))
        return false;
    std::optional<IniFile> file = loadForChange();
    if (!file)
        return false;
    file->setValue(section, key, value);
    return file->save(m_path);
}

bool BookmarkFile::deleteSection(std::u16string_view section)
{
    std::optional<IniFile> file = loadForChange();
    if (!file)
        return false;
    if (!file->hasSection(section))
        return true;
    removeEverySection(*file, section);
    return file->save(m_path);
}

bool BookmarkFile::rewriteSection(std::u16string_view section,
                                  std::span<const StoredBookmark> bookmarks)
{
    if (!canStore(section))
        return false;
    std::vector<StoredBookmark> ordered(bookmarks.begin(), bookmarks.end());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const StoredBookmark &a, const StoredBookmark &b) {
                         return a.position < b.position;
                     });
    if (ordered.size() == 1 && !(ordered.front().position > 0))
        ordered.clear();
    for (const StoredBookmark &entry : ordered) {
        if (!canStore(entry.charCode))
            return false;
    }

    std::optional<IniFile> file = loadForChange();
    if (!file)
        return false;
    // Every copy goes, so that no stale key of a duplicate section comes back.
    removeEverySection(*file, section);
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const std::u16string key = u"BM" + text::formatInteger(std::int64_t(i + 1));
        file->setValue(section, key,
                       text::formatNumber(ordered[i].position) + u"," + ordered[i].charCode);
    }
    return file->save(m_path);
}

} // namespace quillmoth
