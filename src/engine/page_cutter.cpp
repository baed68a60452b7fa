#include "page_cutter.h"

#include "text/text_ops.h"
#include "text/work_meter.h"

#include <algorithm>

namespace quillmoth {

std::size_t PageCutter::endOfLine(std::size_t offset) const
{
    const std::size_t lineEnd = text::find(m_store, text::kCrLf, offset, m_meter);
    return lineEnd == std::u16string_view::npos ? m_store.size() : lineEnd + text::kCrLf.size();
}

PageTexts::Span PageCutter::take(std::int64_t n)
{
    if (n < 0 || m_nextLine > lastLineIndex())
        return {m_nextOffset, 0};
    const std::int64_t lastTaken = std::min(m_nextLine + n, lastLineIndex());

    std::size_t start = m_nextOffset;
    std::size_t end = endOfLine(start);
    // An empty first line is only its CR LF; the page starts after it.
    if (end - start == text::kCrLf.size())
        start = end;
    for (std::int64_t line = m_nextLine + 1; line <= lastTaken; ++line)
        end = endOfLine(end);

    m_nextLine = lastTaken + 1;
    m_nextOffset = end;
    return {start, end - start};
}

} // namespace quillmoth
