#pragma once

#include "page_texts.h"

#include <cstdint>
#include <string_view>

namespace quillmoth {

namespace text {
class WorkMeter;
}

// Cuts pages from a laid-out text whose lines are each followed by CR LF.
// Each page takes the next n + 1 lines; the first of them is dropped when it is
// empty. Lines are found as the cutter goes, so no line list is ever built.
class PageCutter {
public:
    // `store` holds the lines, each followed by CR LF; `lineCount` of them. A
    // meter is told about long lines.
    PageCutter(std::u16string_view store, std::int64_t lineCount,
               text::WorkMeter *meter = nullptr)
        : m_store(store), m_lineCount(lineCount), m_meter(meter)
    {
    }

    // Index of the last line, -1 for a text without lines.
    std::int64_t lastLineIndex() const { return m_lineCount - 1; }

    // The span of the next page of n + 1 lines; the lines are consumed.
    PageTexts::Span take(std::int64_t n);

private:
    // Offset just past the CR LF that ends the line starting at `offset`.
    std::size_t endOfLine(std::size_t offset) const;

    std::u16string_view m_store;
    std::int64_t m_lineCount;
    text::WorkMeter *m_meter;
    std::int64_t m_nextLine = 0;
    std::size_t m_nextOffset = 0;
};

} // namespace quillmoth
