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
    std::int32_t encoding = kDetectEncoding;
    return fromText(LoadTextFile(path, encoding, codePage));
}

IniFile IniFile::fromText(std::u16string_view text)
{
    IniFile file;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = text.size();
        file.m_lines.emplace_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == u'\r')
            ++start;
        if (start < text.size() && text[start] == u'\n')
            ++start;
    }
    return file;
}

std::optional<std::size_t> IniFile::findSection(std::u16string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = headerName(m_lines[i]);
        if (name && text::equalFoldingCase(*name, trimBlanks(section)))
            return i;
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < m_lines.size() && !headerName(m_lines[end]))
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
        const KeyLine line = splitKeyLine(m_lines[i]);
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
        m_lines.push_back(u"[" + std::u16string(section) + u"]");
        m_lines.push_back(keyLine);
        return;
    }
    std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const KeyLine line = splitKeyLine(m_lines[i]);
        if (!line.key.empty() && text::equalFoldingCase(line.key, trimBlanks(key))) {
            // The key keeps the spelling it has in the file.
            m_lines[i] = std::u16string(line.key) + u"=" + std::u16string(value);
            return;
        }
    }
    // New keys go after the section's last non-empty line.
    while (end > *header + 1 && trimBlanks(m_lines[end - 1]).empty())
        --end;
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(end), keyLine);
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
        text += line;
        text += u"\r\n";
    }
    return text;
}

bool IniFile::save(const std::filesystem::path &path, std::string *error) const
{
    return writeFileAtomically(path, utf8FromUtf16(text()), error);
}

} // namespace quillmoth
