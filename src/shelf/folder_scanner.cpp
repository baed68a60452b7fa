#include "shelf/folder_scanner.h"

#include <QMetaObject>

#include <thread>

namespace quillmoth {

FolderScanner::FolderScanner(QObject *parent)
    : QObject(parent), m_mailbox(std::make_shared<Mailbox>())
{
    m_mailbox->owner = this;
}

FolderScanner::~FolderScanner()
{
    cancel();
    const std::lock_guard<std::mutex> lock(m_mailbox->mutex);
    m_mailbox->owner = nullptr;
}

void FolderScanner::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
    m_cancel.reset();
}

void FolderScanner::waitForWorkers()
{
    std::unique_lock<std::mutex> lock(m_mailbox->mutex);
    m_mailbox->idle.wait(lock, [this] { return m_mailbox->running == 0; });
}

int FolderScanner::begin()
{
    cancel();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    if (++m_request <= 0)
        m_request = 1;
    return m_request;
}

template <typename Result, typename Work, typename Deliver>
void FolderScanner::run(int request, Work work, Deliver deliver)
{
    {
        const std::lock_guard<std::mutex> lock(m_mailbox->mutex);
        ++m_mailbox->running;
    }
    // A detached thread: a listing stuck on a dead network drive holds only
    // its own thread, never the window or the program's exit.
    std::thread([mailbox = m_mailbox, cancelled = m_cancel, request, work = std::move(work),
                 deliver = std::move(deliver)]() mutable {
        auto result = std::make_shared<Result>(work(cancelled.get()));
        const std::lock_guard<std::mutex> lock(mailbox->mutex);
        --mailbox->running;
        mailbox->idle.notify_all();
        FolderScanner *owner = mailbox->owner;
        if (owner == nullptr || cancelled->load())
            return;
        // The owner cannot go while the mailbox is locked; once posted, the
        // answer is dropped with the owner, or when a newer request came.
        QMetaObject::invokeMethod(
            owner,
            [owner, cancelled, request, result, deliver = std::move(deliver)] {
                if (!cancelled->load() && request == owner->m_request)
                    deliver(std::move(*result));
            },
            Qt::QueuedConnection);
    }).detach();
}

int FolderScanner::scan(std::filesystem::path folder)
{
    const int request = begin();
    run<FolderScan>(
        request,
        [folder = std::move(folder)](const std::atomic<bool> *cancelled) {
            return scanFolder(folder, cancelled);
        },
        [this, request](FolderScan &&result) {
            m_scan = std::move(result);
            emit scanned(request, m_scan);
        });
    return request;
}

int FolderScanner::scanDrives()
{
    const int request = begin();
    run<std::vector<DriveScan>>(
        request,
        [](const std::atomic<bool> *cancelled) {
            std::vector<DriveScan> drives;
            for (std::filesystem::path &drive : readyDrives()) {
                if (cancelled->load())
                    break;
                FolderScan scan = scanFolder(drive, cancelled);
                drives.push_back({std::move(drive), std::move(scan)});
            }
            return drives;
        },
        [this, request](std::vector<DriveScan> &&result) {
            m_drives = std::move(result);
            emit drivesScanned(request, m_drives);
        });
    return request;
}

} // namespace quillmoth
