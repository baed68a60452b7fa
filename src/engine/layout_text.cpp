#include "layout_text.h"

#include "book.h"
#include "bookmark_markers.h"
#include "text/text_ops.h"
#include "text/work_meter.h"
#include "word_wrap.h"

namespace quillmoth {
namespace {

// Calls onLine(line) for each line of a text split at CR LF; an empty text has
// no lines.
template <typename OnLine>
void forEachLine(std::u16string_view text, text::WorkMeter *meter, OnLine onLine)
{
    if (text.empty())
        return;
    text::PassReporter reporter(meter, text.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text::find(text, text::kCrLf, start, meter);
        if (end == std::u16string_view::npos) {
            onLine(text.substr(start));
            return;
        }
        onLine(text.substr(start, end - start));
        start = end + text::kCrLf.size();
        reporter.at(start);
    }
}

LaidOutText finish(std::u16string store, text::WorkMeter *meter)
{
    LaidOutText laidOut;
    laidOut.textLength = store.size();
    laidOut.lineCount =
        store.empty() ? 0 : std::int64_t(text::count(store, text::kCrLf, meter)) + 1;
    store.append(text::kCrLf);
    laidOut.store = std::move(store);
    return laidOut;
}

} // namespace

LaidOutText layOutChineseText(std::u16string text, std::int64_t charsPerLine,
                              text::WorkMeter *meter)
{
    text::MeterSteps steps(meter, {1, 4, 2, 1});
    steps.next();
    const auto width = std::size_t(charsPerLine);
    std::size_t size = 0;
    std::size_t lines = 0;
    forEachLine(text, meter, [&](std::u16string_view line) {
        size += line.size() > width ? chineseWrappedLength(line.size()) : line.size();
        ++lines;
    });
    steps.next();
    std::u16string laidOut;
    text::reserveBulk(laidOut, size + 2 * lines + 2);
    // The wrapped form of a line can be far longer than the line, so this pass
    // is measured by what it has written.
    text::PassReporter written(meter, size + 2 * lines);
    forEachLine(text, meter, [&](std::u16string_view line) {
        if (line.size() > width)
            appendChineseWrapped(laidOut, line, charsPerLine, &written);
        else
            text::appendPiece(laidOut, line, laidOut.size(), written);
        laidOut.append(text::kCrLf);
        written.at(laidOut.size());
    });
    if (lines > 0)
        laidOut.resize(laidOut.size() - text::kCrLf.size());
    text = std::u16string();  // the source is no longer needed
    steps.next();
    text::collapseRuns(laidOut, text::kCrLf, 3, meter);
    steps.next();
    return finish(std::move(laidOut), meter);
}

LaidOutText layOutWesternText(std::u16string text, std::int64_t charsPerLine,
                              std::u16string buffer, text::WorkMeter *meter)
{
    const auto width = std::size_t(charsPerLine);
    // Each piece adds at most two characters; a little spare room is cheap,
    // since memory that is reserved but never written costs nothing.
    std::u16string laidOut = std::move(buffer);
    laidOut.clear();
    text::reserveBulk(laidOut, text.size() + 2 * (text.size() / width) + 1024);
    std::int64_t lineCount = 0;
    text::PassReporter reporter(meter, text.size());
    forEachLine(text, meter, [&](std::u16string_view line) {
        const auto position = std::size_t(line.data() - text.data());
        if (line.size() <= width) {
            text::appendPiece(laidOut, line, position, reporter);
            ++lineCount;
        } else {
            const std::u16string_view trimmed = text::trimSpaces(line, meter);
            const auto trimmedPosition = std::size_t(trimmed.data() - text.data());
            bool firstPiece = true;
            forEachWrapPiece(trimmed, charsPerLine, [&](std::size_t offset, std::size_t length) {
                if (!firstPiece)
                    laidOut.append(text::kCrLf);
                laidOut.append(trimmed.substr(offset, length));
                firstPiece = false;
                ++lineCount;
                reporter.at(trimmedPosition + offset);
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
    restorer.restore(laidOut.store, 0, laidOut.textLength,
                     [](Book::MarkedBookmark &, MarkerRestorer::SavedCode) {});
    const std::size_t length = laidOut.textLength;
    book.Pages = PageTexts(std::move(laidOut.store), {{0, length}, {length, 0}});
    book.PageCount = 2;
    book.BookmarkCount = 0;
    return true;
}

} // namespace quillmoth
