#include "book.h"

#include "bookmark_markers.h"
#include "bookmark_source.h"
#include "cjk_pagination.h"
#include "creation_meter.h"
#include "measured_texts.h"
#include "numeric.h"
#include "text_metrics.h"
#include "western_pagination.h"

#include "text/code_page.h"
#include "text/text_decoding.h"
#include "text/text_ops.h"
#include "text/text_paths.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>

namespace quillmoth {
namespace {

// What a stopped creation gives: the book's names and the error, nothing else.
Book cancelledBook(Book &book)
{
    Book cancelled;
    cancelled.BookPath = std::move(book.BookPath);
    cancelled.BookFileName = std::move(book.BookFileName);
    cancelled.BookTitle = std::move(book.BookTitle);
    cancelled.Error = EngineError::Cancelled;
    return cancelled;
}

} // namespace

bool IsAsianChar(std::u16string_view text, const AnsiCodePage &codePage)
{
    const std::size_t examined = std::min<std::size_t>(text.size(), 1000);
    int run = 0;
    for (std::size_t i = 0; i + 10 < examined; ++i) {
        run = codePage.isDoubleByte(text[i]) ? run + 1 : 0;
        if (run > 10)
            return true;
    }
    return false;
}

std::u16string bookFileNameFromPath(std::u16string_view path)
{
    const std::size_t separator = path.find_last_of(u"\\/");
    const std::size_t nameStart = separator == std::u16string_view::npos ? 0 : separator + 1;
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos || dot < nameStart)
        return std::u16string(path.substr(nameStart));
    return std::u16string(path.substr(nameStart, dot + 4 - nameStart));
}

std::u16string bookTitleFromFileName(std::u16string_view fileName)
{
    return text::replaceAll(fileName, u".txt", u"");
}

Book Book_CreatBOOK(std::u16string_view source, bool fromClipboard, const BookSettings &settings,
                    const TextMetrics &metrics, const AnsiCodePage &codePage,
                    const BookmarkSource *bookmarks, const BookCreationControl *control)
{
    std::optional<CreationMeter> watched;
    if (control != nullptr && (control->onProgress || control->cancel != nullptr))
        watched.emplace(*control);
    CreationMeter *meter = watched ? &*watched : nullptr;

    Book book;
    book.IsBusy = true;
    try {
        if (meter)
            meter->stopIfCancelled();
        // Reading and decoding take a little longer than laying out and cutting
        // the pages; looking for a bookmark marker is one quick pass.
        text::MeterSteps steps(meter, {10, 1, 8});
        steps.next();
        book.BookPath = std::u16string(source);
        book.AlbumIndex = 0;
        if (fromClipboard) {
            book.BookFileName = u"Clipboard text";
            book.BookText = text::copyOf(source, meter);
        } else {
            book.BookFileName = bookFileNameFromPath(source);
            book.BookTitle = bookTitleFromFileName(book.BookFileName);
            const std::filesystem::path path = text::pathFromText(source);
            if (settings.ForceBIG5) {
                book.BookText = ReadTextFile(path, "big5", false, 0, meter);
            } else {
                std::int32_t encoding = kDetectEncoding;
                book.BookText = LoadTextFile(path, encoding, codePage, meter);
                book.DetectedEncoding = encoding;
            }
        }
        steps.next();
        if (!fromClipboard && bookmarks != nullptr)
            loadBookmarks(book, *bookmarks, meter);
        steps.next();

        book.IsCJK = IsAsianChar(book.BookText, codePage);
        const int usableHeight = settings.PageHeight - 100;
        if (book.IsCJK) {
            const double lineHeight = metrics.height(kChineseSample) + settings.LineSpace;
            book.LinesPerPage = roundHalfEven(divide(double(usableHeight), lineHeight));
            book.Error = Book_MakePagesChST(book, settings, metrics, codePage, meter);
        } else {
            const double lineHeight = metrics.height(kWesternLetterSample) + settings.LineSpace;
            book.LinesPerPage = roundHalfEven(divide(double(usableHeight), lineHeight) - 0.5);
            book.Error = Book_MakePagesWest(book, settings, metrics, codePage, meter);
        }
    } catch (const EngineFailure &failure) {
        book.Error = failure.error;
    } catch (const std::bad_alloc &) {
        book.Error = EngineError::OutOfMemory;
    }
    if (book.Error == EngineError::Cancelled)
        return cancelledBook(book);
    book.IsBusy = false;
    return book;
}

} // namespace quillmoth
