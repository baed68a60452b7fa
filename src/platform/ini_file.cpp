#include "ini_file.h"

#include "text/atomic_file.h"

#include "text/code_page.h"
#include "text/text_decoding.h"
#include "text/text_ops.h"

#include <algorithm>

namespace quillmoth {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view trimBlanks(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The name of a section header line, or nothing for other lines. The name
// ends at the line's last "]", so that a book title such as "Tales [2]" is
// read back as the section it was written as.
std::optional<std::u16string_view> headerName(std::u16string_view line)
{
    line = trimBlanks(line);
    if (line.empty() || line.front() != u'[')
        return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.rfind(u']');
    return trimBlanks(close == std::u16string_view::npos ? line : line.substr(0, close));
}

struct KeyLine {
    std::u16string_view key;
    std::u16string_view value;
};

// A "key=value" line; a line without "=" is a key with no value.
KeyLine splitKeyLine(std::u16string_view line)
{
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos)
        return {trimBlanks(line), {}};
    std::u16string_view value = trimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return {trimBlanks(line.substr(0, equals)), value};
}

} // namespace

IniFile IniFile::load(const std::filesystem::path &path, const AnsiCodePage &codePage)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return {};
    std::size_t markLength = 0;
    const std::int32_t encoding = detectTextEncoding(*bytes, markLength);
    // Files in UTF-16 or UTF-32 are read whole, and written back as UTF-8.
    if (encoding != kAnsi && encoding != kUtf8 && encoding != kUtf8WithMark)
        return fromText(
            decodeBookBytes(std::string_view(*bytes).substr(markLength), encoding, codePage));
    return fromBytes(*bytes, codePage);
}

IniFile IniFile::fromBytes(std::string_view bytes, const AnsiCodePage &codePage)
{
    IniFile file;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        file.m_byteOrderMark = bytes.substr(0, 3);
        bytes.remove_prefix(3);
    }
    // Each line is read as it is written, and every line no write changes
    // keeps its bytes when they are not plain UTF-8.
    std::vector<std::string_view> pieces;
    std::vector<std::string_view> ends;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::size_t next = end;
        if (next < bytes.size() && bytes[next] == '\r')
            ++next;
        if (next < bytes.size() && bytes[next] == '\n')
            ++next;
        pieces.push_back(bytes.substr(start, end - start));
        ends.push_back(bytes.substr(end, next - end));
        start = next;
    }
    std::vector<MixedPiece> read = readMixedPieces(pieces, codePage);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        Line line{std::move(read[i].text), std::nullopt, std::string(ends[i])};
        if (read[i].stray)
            line.bytes = std::string(pieces[i]);
        file.m_lines.push_back(std::move(line));
    }
    return file;
}

IniFile IniFile::fromText(std::u16string_view text)
{
    IniFile file;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = text.size();
        file.m_lines.push_back({std::u16string(text.substr(start, end - start)), std::nullopt});
        start = end;
        if (start < text.size() && text[start] == u'\r')
            ++start;
        if (start < text.size() && text[start] == u'\n')
            ++start;
    }
    return file;
}

void IniFile::addLine(std::size_t at, std::u16string text)
{
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(at), Line{std::move(text), std::nullopt});
}

std::optional<std::size_t> IniFile::findSection(std::u16string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = headerName(m_lines[i].text);
        if (name && text::equalFoldingCase(*name, trimBlanks(section)))
            return i;
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < m_lines.size() && !headerName(m_lines[end].text))
        ++end;
    return end;
}

bool IniFile::hasSection(std::u16string_view section) const
{
    return findSection(section).has_value();
}

std::optional<std::u16string> IniFile::value(std::u16string_view section,
                                             std::u16string_view key) const
{
    const auto header = findSection(section);
    if (!header)
        return std::nullopt;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const KeyLine line = splitKeyLine(m_lines[i].text);
        if (!line.key.empty() && text::equalFoldingCase(line.key, trimBlanks(key)))
            return std::u16string(line.value);
    }
    return std::nullopt;
}

void IniFile::setValue(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value)
{
    const std::u16string keyLine = std::u16string(key) + u"=" + std::u16string(value);
    const auto header = findSection(section);
    if (!header) {
        addLine(m_lines.size(), u"[" + std::u16string(section) + u"]");
        addLine(m_lines.size(), keyLine);
        return;
    }
    std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const KeyLine line = splitKeyLine(m_lines[i].text);
        if (!line.key.empty() && text::equalFoldingCase(line.key, trimBlanks(key))) {
            // The key keeps the spelling it has in the file.
            const std::u16string changed = std::u16string(line.key) + u"=" + std::u16string(value);
            m_lines[i].text = changed;
            m_lines[i].bytes.reset();
            return;
        }
    }
    // New keys go after the section's last non-empty line.
    while (end > *header + 1 && trimBlanks(m_lines[end - 1].text).empty())
        --end;
    addLine(end, keyLine);
}

void IniFile::removeSection(std::u16string_view section)
{
    const auto header = findSection(section);
    if (!header)
        return;
    m_lines.erase(m_lines.begin() + std::ptrdiff_t(*header),
                  m_lines.begin() + std::ptrdiff_t(sectionEnd(*header)));
}

std::u16string IniFile::text() const
{
    std::u16string text;
    for (const auto &line : m_lines) {
        text += line.text;
        text += u"\r\n";
    }
    return text;
}

bool IniFile::save(const std::filesystem::path &path, std::string *error) const
{
    std::string bytes = m_byteOrderMark;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        bytes += line.bytes ? *line.bytes : utf8FromUtf16(line.text);
        // A last line read without an end gets one once lines follow it.
        bytes += line.end.empty() && i + 1 < m_lines.size() ? std::string("\r\n") : line.end;
    }
    return writeFileAtomically(path, bytes, error);
}

} // namespace quillmoth
