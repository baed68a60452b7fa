#include "cjk_pagination.h"

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

EngineError Book_MakePagesChST(Book &book, const BookSettings &settings,
                               const TextMetrics &metrics, const AnsiCodePage &codePage,
                               text::WorkMeter *meter)
{
    try {
        text::MeterSteps steps(meter, {2, 3, 3, 1});  // copy, clean-up, layout, pages
        const std::int64_t lineHeight =
            roundHalfEven(metrics.height(kChineseLineSample) + settings.LineSpace);
        const auto wideWidth = float(metrics.width(kChineseSample));
        book.CharsPerLine = std::max<std::int64_t>(
            1, roundHalfEven(double(divide(float(settings.PageWidth - 70), wideWidth))));

        steps.next();
        std::u16string lines = text::copyOf(book.BookText, meter);
        steps.next();
        lines = settings.ReformatParagraphs ? Book_CleanTextChST(std::move(lines), meter)
                                            : normalizeLineEnds(std::move(lines), meter);
        steps.next();
        LaidOutText laidOut = layOutChineseText(std::move(lines), book.CharsPerLine, meter);
        steps.next();
        PageCutter cutter(laidOut.store, laidOut.lineCount, meter);
        MarkerRestorer restorer(book, codePage);

        if (layOutSingleSpread(book, laidOut, restorer))
            return EngineError::None;

        book.ChapterPages.clear();
        const std::int64_t illustrationArea =
            roundHalfEven(settings.PageHeight - 2.8 * settings.PadSize);
        const std::int64_t fitting =
            divideDroppingFraction(illustrationArea, lineHeight + settings.LineSpace);
        const std::int64_t illustratedLines = fitting % 2 == 0 ? fitting : fitting + 1;
        book.IllustrationTop = roundHalfEven(settings.PageHeight - 2.0 * settings.PadSize);

        std::vector<PageTexts::Span> spans;
        text::PassReporter reporter(meter, laidOut.store.size());
        std::int32_t page = 0;
        for (;;) {
            ++page;
            std::int64_t n = book.LinesPerPage;
            if (settings.IllustrationsOn && page % 2 == 0)
                n = illustratedLines;
            const PageTexts::Span span = cutter.take(n);
            if (span.length == 0 || page > cutter.lastLineIndex())
                break;
            reporter.at(span.offset + span.length);
            const std::u16string_view pageText =
                std::u16string_view(laidOut.store).substr(span.offset, span.length);
            if (settings.ListUpChapters) {
                std::u16string title = Book_FindChapterChST(pageText);
                if (!title.empty()) {
                    book.ChapterTitles.push_back(std::move(title));
                    book.ChapterPages.push_back(page);
                }
            }
            spans.push_back(span);
            // Chinese layout records every marker's page, whatever its code.
            restorer.restore(laidOut.store, span.offset, span.length,
                             [&](Book::MarkedBookmark &marked, MarkerRestorer::SavedCode) {
                                 marked.page = page;
                                 book.BookmarkPages.push_back(page);
                             });
        }

        book.PageCount = page - (page % 2);
        book.BookmarkCount = int(book.BookmarkPages.size());
        if (book.PageCount < 1)
            return EngineError::SubscriptOutOfRange;  // no page to show
        spans.resize(std::size_t(book.PageCount), PageTexts::Span{laidOut.store.size(), 0});
        book.Pages = PageTexts(std::move(laidOut.store), std::move(spans));
        return EngineError::None;
    } catch (const EngineFailure &failure) {
        return failure.error;
    } catch (const std::bad_alloc &) {
        return EngineError::OutOfMemory;
    }
}

} // namespace quillmoth
