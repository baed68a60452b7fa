#include "western_pagination.h"

#include "book.h"
#include "bookmark_markers.h"
#include "chapter_detection.h"
#include "layout_text.h"
#include "measured_texts.h"
#include "numeric.h"
#include "page_cutter.h"
#include "text_cleanup.h"
#include "text_metrics.h"

#include "text/text_ops.h"
#include "text/work_meter.h"

#include <algorithm>
#include <new>

namespace quillmoth {

EngineError Book_MakePagesWest(Book &book, const BookSettings &settings,
                               const TextMetrics &metrics, const AnsiCodePage &codePage,
                               text::WorkMeter *meter)
{
    try {
        text::MeterSteps steps(meter, {2, 3, 3, 1});  // copy, clean-up, layout, pages
        book.ChapterTitles.clear();
        book.ChapterPages.clear();

        const std::int64_t sampleWidth = roundHalfEven(metrics.width(kWesternSample));
        const std::int64_t lineHeight = roundHalfEven(metrics.height(kWesternSample));
        book.AvgCharWidth = float(sampleWidth) / 66.0f;
        book.CharsPerLine = std::max<std::int64_t>(
            1, roundHalfEven(double(divide(float(settings.PageWidth - 70), book.AvgCharWidth))));

        // Short texts skip the clean-up, all but their line ends. The clean-up's
        // working copy gets room to spare, so that the laid-out text can reuse
        // its memory once the clean-up is done with it.
        steps.next();
        std::u16string spare;
        std::u16string lines;
        if (book.BookText.size() <= 500) {
            lines = normalizeLineEnds(book.BookText);
        } else {
            std::u16string copy;
            text::reserveBulk(copy, book.BookText.size() + book.BookText.size() / 4 + 1024);
            text::PassReporter copying(meter, book.BookText.size());
            text::appendPiece(copy, book.BookText, 0, copying);
            steps.next();
            lines =
                Book_CleanTextWest01(std::move(copy), settings.ReformatParagraphs, spare, meter);
        }
        steps.next();
        LaidOutText laidOut =
            layOutWesternText(std::move(lines), book.CharsPerLine, std::move(spare), meter);
        steps.next();
        PageCutter cutter(laidOut.store, laidOut.lineCount, meter);
        MarkerRestorer restorer(book, codePage);

        if (layOutSingleSpread(book, laidOut, restorer))
            return EngineError::None;

        // Kept only when a failure stops the layout before the first page.
        book.PageCount = std::int32_t(std::clamp<std::int64_t>(
            roundHalfEven(divide(double(cutter.lastLineIndex()), double(book.LinesPerPage)) + 0.5),
            INT32_MIN, INT32_MAX));
        const std::int64_t illustratedLines = divideDroppingFraction(
            roundHalfEven(settings.PageHeight - 2.9 * settings.PadSize),
            lineHeight + settings.LineSpace);
        book.IllustrationTop = roundHalfEven(settings.PageHeight - 2.0 * settings.PadSize);

        std::vector<PageTexts::Span> spans;
        text::PassReporter reporter(meter, laidOut.store.size());
        std::int32_t page = 0;
        do {
            ++page;
            std::int64_t n = book.LinesPerPage;
            if (settings.IllustrationsOn && page % 2 == 0)
                n = illustratedLines;
            const PageTexts::Span span = cutter.take(n);
            if (span.length == 0)
                break;
            reporter.at(span.offset + span.length);
            spans.push_back(span);
            restorer.restore(laidOut.store, span.offset, span.length,
                             [&](Book::MarkedBookmark &marked, MarkerRestorer::SavedCode code) {
                                 if (code != MarkerRestorer::SavedCode::NamesCharacter)
                                     return;
                                 marked.page = page;
                                 book.BookmarkPages.push_back(page);
                             });
            if (settings.ListUpChapters) {
                std::u16string title = ExtractLine(
                    std::u16string_view(laidOut.store).substr(span.offset, span.length));
                if (!title.empty()) {
                    book.ChapterTitles.push_back(std::move(title));
                    book.ChapterPages.push_back(page);
                }
            }
        } while (page <= cutter.lastLineIndex());

        book.PageCount = page - (page % 2);
        book.BookmarkCount = int(book.BookmarkPages.size());
        // The last spread's page after PageCount stays, as an empty page or the
        // odd last page.
        spans.resize(std::size_t(page), PageTexts::Span{laidOut.store.size(), 0});
        book.Pages = PageTexts(std::move(laidOut.store), std::move(spans));
        return EngineError::None;
    } catch (const EngineFailure &failure) {
        return failure.error;
    } catch (const std::bad_alloc &) {
        return EngineError::OutOfMemory;
    }
}

} // namespace quillmoth
