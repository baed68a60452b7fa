#include "book_opening.h"

#include "engine/book_progress.h"
#include "engine/text_metrics.h"
#include "platform/bookmark_source_adapter.h"

#include <QMetaObject>


namespace quillmoth {
namespace {

Book makeBook(const BookOpeningRequest &request, const BookCreationControl *control)
{
    const BookmarkFile file(request.bookmarkFile, *request.codePage);
    const BookmarkFileSource bookmarks(file);
    const bool readBookmarks = !request.fromClipboard && !request.bookmarkFile.empty();
    return Book_CreatBOOK(request.source, request.fromClipboard, request.settings,
                          *request.metrics, *request.codePage, readBookmarks ? &bookmarks : nullptr,
                          control);
}

} // namespace

BookOpening::BookOpening(QObject *parent) : QObject(parent) {}

BookOpening::~BookOpening() { stopWorker(); }

void BookOpening::stopWorker()
{
    if (m_cancel)
        m_cancel->store(true);
    if (m_worker.joinable())
        m_worker.join();
    m_cancel.reset();
}

void BookOpening::cancel() { stopWorker(); }

Book BookOpening::openNow(const BookOpeningRequest &request) { return makeBook(request, nullptr); }

void BookOpening::start(BookOpeningRequest request)
{
    stopWorker();
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    m_cancel = cancelled;
    m_worker = std::thread([this, cancelled, request = std::move(request)] {
        BookCreationControl control;
        control.cancel = cancelled.get();
        control.onProgress = [this, cancelled](double fraction) {
            QMetaObject::invokeMethod(
                this,
                [this, cancelled, fraction] {
                    if (!cancelled->load())
                        emit progressed(fraction);
                },
                Qt::QueuedConnection);
        };
        auto book = std::make_shared<Book>(makeBook(request, &control));
        // Posted to this object, so it is dropped if the object has gone; the
        // destructor joins this thread first, so `this` is alive while posting.
        QMetaObject::invokeMethod(
            this,
            [this, cancelled, book] {
                if (cancelled->load())
                    return;
                if (m_worker.joinable())
                    m_worker.join();
                m_cancel.reset();
                emit finished(book);
            },
            Qt::QueuedConnection);
    });
}

} // namespace quillmoth
