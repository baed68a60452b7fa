#pragma once

#include "engine/book.h"
#include "text/code_page.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace quillmoth {

class TextMetrics;

// What a book is made from: the source, the layout values and the measurements
// the engine needs, all plain values that any thread may use.
struct BookOpeningRequest {
    std::u16string source;  // the file's path, or the clipboard's text
    bool fromClipboard = false;
    BookSettings settings;
    std::shared_ptr<const TextMetrics> metrics;  // must be safe to use on any thread
    std::shared_ptr<const AnsiCodePage> codePage;
    std::filesystem::path bookmarkFile;  // empty: no bookmarks are read
};

// Makes a book on a worker thread, so that a huge book never freezes the
// window: progress comes back at most about every 100 ms, the finished book
// comes back by value, and an open that is no longer wanted can be cancelled.
class BookOpening : public QObject {
    Q_OBJECT

public:
    explicit BookOpening(QObject *parent = nullptr);
    // Cancels an open still running and waits for its thread.
    ~BookOpening() override;

    // Starts making the book; an open still running is cancelled first.
    void start(BookOpeningRequest request);
    // Makes the book on the calling thread.
    static Book openNow(const BookOpeningRequest &request);

    // Stops the open; `finished` is not emitted for it.
    void cancel();
    bool isRunning() const { return m_worker.joinable(); }

signals:
    // The fraction done, 0 to 1.
    void progressed(double fraction);
    // The book, on the thread that started the open.
    void finished(std::shared_ptr<Book> book);

private:
    void stopWorker();

    std::thread m_worker;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};

} // namespace quillmoth
