#pragma once

#include "shelf/folder_scan.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace quillmoth {

// Lists folders off the window thread, so that a huge, slow or vanished
// folder never freezes the window. Only the newest request is answered: a
// new one tells the one still running to stop, without waiting for it.
class FolderScanner : public QObject {
    Q_OBJECT

public:
    explicit FolderScanner(QObject *parent = nullptr);
    // Stops every request without waiting: a listing stuck on a dead drive
    // finishes on its own thread and is never answered.
    ~FolderScanner() override;

    // Starts listing a folder; returns the request's number (never 0).
    int scan(std::filesystem::path folder);
    // Starts listing the drives and their first level of folders.
    int scanDrives();
    // Drops any running request; it is never answered.
    void cancel();
    // Blocks until every worker has stopped; their answers still come
    // through the event loop. For tests.
    void waitForWorkers();

    // The drives of the last answered scanDrives().
    const std::vector<DriveScan> &drives() const { return m_drives; }
    // The result of the last answered scan(), handed over once.
    FolderScan takeScan() { return std::move(m_scan); }

signals:
    // scan() has finished, on the scanner's thread; takeScan() gives the
    // same result afterwards.
    void scanned(int request, const quillmoth::FolderScan &scan);
    // scanDrives() has finished.
    void drivesScanned(int request, const std::vector<quillmoth::DriveScan> &drives);

private:
    // What the workers share with the scanner, which may go first.
    struct Mailbox {
        std::mutex mutex;
        std::condition_variable idle;
        FolderScanner *owner = nullptr;
        int running = 0;
    };

    int begin();
    template <typename Result, typename Work, typename Deliver>
    void run(int request, Work work, Deliver deliver);

    std::shared_ptr<Mailbox> m_mailbox;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    int m_request = 0;
    std::vector<DriveScan> m_drives;
    FolderScan m_scan;
};

} // namespace quillmoth
