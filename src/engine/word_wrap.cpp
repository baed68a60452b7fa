#include "word_wrap.h"

#include "text/text_ops.h"

#include <algorithm>

namespace quillmoth {

void WordWrapMixedChar(std::u16string &line, std::int64_t width, bool &ok)
{
    line = std::u16string(text::trimSpaces(line));
    if (line.empty() || width < 1) {
        ok = false;
        return;
    }
    std::u16string wrapped;
    wrapped.reserve(line.size() + line.size() / 4 + 2);
    forEachWrapPiece(line, width, [&](std::size_t offset, std::size_t length) {
        if (!wrapped.empty())
            wrapped += text::kCrLf;
        wrapped.append(line, offset, length);
    });
    line = std::move(wrapped);
    ok = true;
}

void appendChineseWrapped(std::u16string &out, std::u16string_view line, std::int64_t charsPerLine,
                          text::PassReporter *reporter)
{
    const std::size_t start = out.size();
    const auto width = std::size_t(std::max<std::int64_t>(charsPerLine, 1));
    for (std::size_t offset = 0; offset < line.size(); offset += width) {
        out.append(line.substr(offset, width));
        out.append(text::kCrLf);
        if (reporter)
            reporter->at(out.size());
    }
    std::size_t spaces = 3 * line.size() - (out.size() - start);
    if (reporter && reporter->meter()) {
        const std::size_t part = reporter->meter()->stride();
        for (; spaces > part; spaces -= part) {
            out.append(part, u' ');
            reporter->at(out.size());
        }
    }
    out.append(spaces, u' ');
    out.append(text::kCrLf);
}

} // namespace quillmoth
