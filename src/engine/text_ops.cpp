#include "text_ops.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace quillmoth::text {

std::u16string replaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to)
{
    if (from.empty())
        return std::u16string(text);
    std::u16string result;
    std::size_t position = text.find(from);
    if (position == std::u16string_view::npos)
        return std::u16string(text);
    result.reserve(to.size() > from.size() ? text.size() + text.size() / 4 : text.size());
    std::size_t start = 0;
    while (position != std::u16string_view::npos) {
        result.append(text.substr(start, position - start));
        result.append(to);
        start = position + from.size();
        position = text.find(from, start);
    }
    result.append(text.substr(start));
    return result;
}

void replaceAllInPlace(std::u16string &text, std::u16string_view from, std::u16string_view to)
{
    if (from.empty() || to.size() > from.size()) {
        text = replaceAll(text, from, to);
        return;
    }
    std::size_t position = text.find(from);
    if (position == std::u16string::npos)
        return;
    std::size_t write = position;
    std::size_t read = position;
    while (position != std::u16string::npos) {
        if (write != read)
            std::char_traits<char16_t>::move(&text[write], &text[read], position - read);
        write += position - read;
        std::char_traits<char16_t>::copy(&text[write], to.data(), to.size());
        write += to.size();
        read = position + from.size();
        position = text.find(from, read);
    }
    std::char_traits<char16_t>::move(&text[write], &text[read], text.size() - read);
    text.resize(write + text.size() - read);
}

std::vector<std::u16string_view> split(std::u16string_view text, std::u16string_view separator)
{
    std::vector<std::u16string_view> parts;
    forEachPart(text, separator, [&](std::u16string_view part) { parts.push_back(part); });
    return parts;
}

std::u16string join(const std::vector<std::u16string_view> &parts, std::u16string_view separator)
{
    std::size_t size = 0;
    for (const auto &part : parts)
        size += part.size() + separator.size();
    std::u16string result;
    result.reserve(size);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result.append(separator);
        result.append(parts[i]);
    }
    return result;
}

void collapseRuns(std::u16string &text, std::u16string_view unit, std::size_t minimumRun)
{
    if (unit.empty() || minimumRun < 2)
        return;
    std::u16string repeated;
    for (std::size_t i = 0; i < minimumRun; ++i)
        repeated += unit;
    // Most texts need no change; only the part from the first long run is rewritten.
    const std::size_t firstRun = text.find(repeated);
    if (firstRun == std::u16string::npos)
        return;
    const std::u16string_view view(text);
    const auto unitAt = [&](std::size_t position) {
        return view[position] == unit[0] && view.substr(position, unit.size()) == unit;
    };
    std::size_t read = firstRun;
    std::size_t write = firstRun;
    while (read < view.size()) {
        if (!unitAt(read)) {
            text[write++] = text[read++];
            continue;
        }
        std::size_t run = 0;
        while (read < view.size() && unitAt(read)) {
            read += unit.size();
            ++run;
        }
        const std::size_t kept = run >= minimumRun ? minimumRun - 1 : run;
        for (std::size_t i = 0; i < kept; ++i) {
            std::copy(unit.begin(), unit.end(), text.begin() + std::ptrdiff_t(write));
            write += unit.size();
        }
    }
    text.resize(write);
}

void removeAll(std::u16string &text, char16_t character)
{
    text.erase(std::remove(text.begin(), text.end(), character), text.end());
}

std::u16string_view trimSpaces(std::u16string_view text)
{
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

namespace {

// Upper case of every UTF-16 unit, computed once: searches upper-case whole books.
const std::array<char16_t, 65536> &upperCaseTable()
{
    static const std::array<char16_t, 65536> table = [] {
        std::array<char16_t, 65536> upper{};
        for (std::uint32_t unit = 0; unit < 65536; ++unit) {
            upper[unit] = char16_t(unit);
            if (unit >= 0xD800 && unit <= 0xDFFF)
                continue;
            const UChar32 mapped = u_toupper(UChar32(unit));
            if (mapped <= 0xFFFF)
                upper[unit] = char16_t(mapped);
        }
        return upper;
    }();
    return table;
}

} // namespace

char16_t toUpper(char16_t unit)
{
    return upperCaseTable()[unit];
}

std::u16string toUpper(std::u16string_view text)
{
    std::u16string result(text);
    for (auto &unit : result)
        unit = toUpper(unit);
    return result;
}

std::size_t findInUpperCased(std::u16string_view text, std::u16string_view upperNeedle,
                             std::size_t from)
{
    if (upperNeedle.empty())
        return from <= text.size() ? from : std::u16string_view::npos;
    if (text.size() < upperNeedle.size())
        return std::u16string_view::npos;
    const auto &upper = upperCaseTable();
    const std::size_t last = text.size() - upperNeedle.size();
    for (std::size_t position = from; position <= last; ++position) {
        if (upper[text[position]] != upperNeedle[0])
            continue;
        std::size_t matched = 1;
        while (matched < upperNeedle.size() &&
               upper[text[position + matched]] == upperNeedle[matched])
            ++matched;
        if (matched == upperNeedle.size())
            return position;
    }
    return std::u16string_view::npos;
}

std::size_t count(std::u16string_view text, std::u16string_view separator)
{
    if (separator.empty())
        return 0;
    std::size_t occurrences = 0;
    for (std::size_t position = text.find(separator); position != std::u16string_view::npos;
         position = text.find(separator, position + separator.size()))
        ++occurrences;
    return occurrences;
}

} // namespace quillmoth::text
