#include "layout_text.h"

#include "book.h"
#include "bookmark_markers.h"
#include "text/text_ops.h"
#include "word_wrap.h"

namespace quillmoth {
namespace {

// Calls onLine(line) for each line of a text split at CR LF; an empty text has
// no lines.
template <typename OnLine>
void forEachLine(std::u16string_view text, OnLine onLine)
{
    if (text.empty())
        return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text::find(text, text::kCrLf, start);
        if (end == std::u16string_view::npos) {
            onLine(text.substr(start));
            return;
        }
        onLine(text.substr(start, end - start));
        start = end + text::kCrLf.size();
    }
}

LaidOutText finish(std::u16string store)
{
    LaidOutText laidOut;
    laidOut.textLength = store.size();
    laidOut.lineCount = store.empty() ? 0 : std::int64_t(text::count(store, text::kCrLf)) + 1;
    store.append(text::kCrLf);
    laidOut.store = std::move(store);
    return laidOut;
}

} // namespace

LaidOutText layOutChineseText(std::u16string text, std::int64_t charsPerLine)
{
    const auto width = std::size_t(charsPerLine);
    std::size_t size = 0;
    std::size_t lines = 0;
    forEachLine(text, [&](std::u16string_view line) {
        size += line.size() > width ? chineseWrappedLength(line.size()) : line.size();
        ++lines;
    });
    std::u16string laidOut;
    text::reserveBulk(laidOut, size + 2 * lines + 2);
    forEachLine(text, [&](std::u16string_view line) {
        if (line.size() > width)
            appendChineseWrapped(laidOut, line, charsPerLine);
        else
            laidOut.append(line);
        laidOut.append(text::kCrLf);
    });
    if (lines > 0)
        laidOut.resize(laidOut.size() - text::kCrLf.size());
    text = std::u16string();  // the source is no longer needed
    text::collapseRuns(laidOut, text::kCrLf, 3);
    return finish(std::move(laidOut));
}

LaidOutText layOutWesternText(std::u16string text, std::int64_t charsPerLine,
                              std::u16string buffer)
{
    const auto width = std::size_t(charsPerLine);
    // Each piece adds at most two characters; a little spare room is cheap,
    // since memory that is reserved but never written costs nothing.
    std::u16string laidOut = std::move(buffer);
    laidOut.clear();
    text::reserveBulk(laidOut, text.size() + 2 * (text.size() / width) + 1024);
    std::int64_t lineCount = 0;
    forEachLine(text, [&](std::u16string_view line) {
        if (line.size() <= width) {
            laidOut.append(line);
            ++lineCount;
        } else {
            const std::u16string_view trimmed = text::trimSpaces(line);
            bool firstPiece = true;
            forEachWrapPiece(trimmed, charsPerLine, [&](std::size_t offset, std::size_t length) {
                if (!firstPiece)
                    laidOut.append(text::kCrLf);
                laidOut.append(trimmed.substr(offset, length));
                firstPiece = false;
                ++lineCount;
            });
            lineCount += trimmed.empty() ? 1 : 0;
        }
        laidOut.append(text::kCrLf);
    });
    if (!laidOut.empty())
        laidOut.resize(laidOut.size() - text::kCrLf.size());
    text = std::u16string();

    LaidOutText result;
    result.textLength = laidOut.size();
    result.lineCount = lineCount;
    laidOut.append(text::kCrLf);
    result.store = std::move(laidOut);
    return result;
}

bool layOutSingleSpread(Book &book, LaidOutText &laidOut, MarkerRestorer &restorer)
{
    if (laidOut.lineCount - 1 > book.LinesPerPage)
        return false;
    restorer.restore(laidOut.store, 0, laidOut.textLength, [](auto) {});
    const std::size_t length = laidOut.textLength;
    book.Pages = PageTexts(std::move(laidOut.store), {{0, length}, {length, 0}});
    book.PageCount = 2;
    book.BookmarkCount = 0;
    return true;
}

} // namespace quillmoth
