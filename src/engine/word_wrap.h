#pragma once

#include "text/work_meter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillmoth {

// Wraps a Western paragraph at spaces into pieces of about `width` characters,
// separated by CR LF. The line is trimmed of spaces first, even when nothing
// else happens; `ok` is false (and the line left trimmed) when the trimmed
// line is empty or the width is below 1.
void WordWrapMixedChar(std::u16string &line, std::int64_t width, bool &ok);

// Calls piece(offset, length) for each piece WordWrapMixedChar makes of an
// already trimmed, non-empty line, in order. Every piece holds at least one
// character, so the wrap always ends, even at width 1.
template <typename OnPiece>
void forEachWrapPiece(std::u16string_view line, std::int64_t width, OnPiece piece);

// Length of the wrapped form a Chinese paragraph of `length` characters takes
// at `charsPerLine` characters per line: 3 x length characters plus CR LF.
inline std::size_t chineseWrappedLength(std::size_t length) { return 3 * length + 2; }

// Appends the wrapped form of a Chinese paragraph longer than charsPerLine:
// pieces of charsPerLine characters each followed by CR LF, then spaces up to
// 3 x length characters, then CR LF. A reporter is told the length of `out`
// as it grows.
void appendChineseWrapped(std::u16string &out, std::u16string_view line,
                          std::int64_t charsPerLine, text::PassReporter *reporter = nullptr);

// Finds the last space at or before a position that only ever moves forward,
// so wrapping a long line scans it once.
class LastSpaceFinder {
public:
    explicit LastSpaceFinder(std::u16string_view line) : m_line(line) {}

    // 1-based position of the last space at or before `position` (1-based), 0 when none.
    std::size_t at(std::size_t position)
    {
        if (position > m_line.size())
            position = m_line.size();
        while (m_scanned < position) {
            if (m_line[m_scanned] == u' ')
                m_lastSpace = m_scanned + 1;
            ++m_scanned;
        }
        return m_lastSpace;
    }

private:
    std::u16string_view m_line;
    std::size_t m_scanned = 0;
    std::size_t m_lastSpace = 0;
};

template <typename OnPiece>
void forEachWrapPiece(std::u16string_view line, std::int64_t width, OnPiece piece)
{
    const std::size_t length = line.size();
    const auto w = std::size_t(width);
    LastSpaceFinder lastSpace(line);
    // k: 1-based position of the first character not yet placed.
    std::size_t k = 1;
    while (k <= length) {
        std::size_t first = k;
        std::size_t last = 0;  // 1-based, inclusive
        std::size_t next = 0;
        if (k == 1) {
            const std::size_t space = lastSpace.at(w + 2);
            if (space == 0) {
                // No space: the first piece is one shorter than the width, but
                // never empty.
                last = std::min(std::max<std::size_t>(w - 1, 1), length);
                next = last + 1;
            } else {
                last = space - 1;
                next = space + 1;
            }
        } else if (w + k < length) {
            const std::size_t space = lastSpace.at(w + k + 1);
            if (space <= k) {
                last = k + w - 1;
                next = k + w;
            } else {
                last = space - 1;
                next = space + 1;
            }
        } else {
            last = length;
            next = length + 1;
        }
        piece(first - 1, last - first + 1);
        k = next;
    }
}

} // namespace quillmoth
