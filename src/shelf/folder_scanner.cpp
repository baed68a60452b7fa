#include "shelf/folder_scanner.h"

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
    ++m_request;
}

int FolderScanner::begin()
{
    cancel();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    if (m_request <= 0)
        m_request = 1;
    return m_request;
}

template <typename Work> void FolderScanner::run(int request, Work work)
{
    std::thread([mailbox = m_mailbox, cancelled = m_cancel, request, work = std::move(work)] {
        auto deliver = work(cancelled.get());
        const std::lock_guard<std::mutex> lock(mailbox->mutex);
        if (mailbox->owner == nullptr || cancelled->load())
            return;
        FolderScanner *owner = mailbox->owner;
        QMetaObject::invokeMethod(
            owner,
            [owner, request, cancelled, deliver = std::move(deliver)]() mutable {
                if (!cancelled->load() && request == owner->m_request)
                    deliver(*owner);
            },
            Qt::QueuedConnection);
    }).detach();
}

int FolderScanner::scan(std::filesystem::path folder)
{
    const int request = begin();
    run(request, [folder = std::move(folder), request](const std::atomic<bool> *cancelled) {
        auto result = std::make_shared<FolderScan>(scanFolder(folder, cancelled));
        return [result, request](FolderScanner &owner) {
            owner.m_scan = std::move(*result);
            emit owner.scanned(request);
        };
    });
    return request;
}

int FolderScanner::scanDrives()
{
    const int request = begin();
    run(request, [request](const std::atomic<bool> *cancelled) {
        auto drives = std::make_shared<std::vector<DriveScan>>();
        for (std::filesystem::path &drive : readyDrives()) {
            if (cancelled->load())
                break;
            FolderScan scan = scanFolder(drive, cancelled);
            drives->push_back({std::move(drive), std::move(scan)});
        }
        return [drives, request](FolderScanner &owner) {
            owner.m_drives = std::move(*drives);
            emit owner.drivesScanned(request);
        };
    });
    return request;
}

} // namespace quillmoth
