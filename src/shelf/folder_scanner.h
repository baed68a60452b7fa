#pragma once

#include "shelf/folder_scan.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

namespace quillmoth {

// A drive of the drive tree, with its first level of folders.
struct DriveScan {
    std::filesystem::path drive;
    FolderScan scan;
};

// Lists folders off the window thread, so that a huge, slow or vanished
// folder never freezes the window. Only the newest request is answered; an
// earlier one still running is told to stop, and nobody waits for it.
class FolderScanner : public QObject {
    Q_OBJECT

public:
    explicit FolderScanner(QObject *parent = nullptr);
    ~FolderScanner() override;

    // Starts listing a folder; returns the request's number (never 0).
    int scan(std::filesystem::path folder);
    // Starts listing the drives and their first level of folders.
    int scanDrives();
    // Drops any running request.
    void cancel();

    // The drives of the last answered scanDrives().
    const std::vector<DriveScan> &drives() const { return m_drives; }
    // The result of the last answered scan(), handed over once.
    FolderScan takeScan() { return std::move(m_scan); }

signals:
    // scan() has finished; takeScan() gives its result.
    void scanned(int request);
    void drivesScanned(int request);

private:
    // What a worker shares with the scanner: the scanner may go first.
    struct Mailbox {
        std::mutex mutex;
        FolderScanner *owner = nullptr;
    };

    int begin();
    template <typename Work> void run(int request, Work work);

    std::shared_ptr<Mailbox> m_mailbox;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    int m_request = 0;
    std::vector<DriveScan> m_drives;
    FolderScan m_scan;
};

} // namespace quillmoth
