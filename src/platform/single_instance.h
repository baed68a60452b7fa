#pragma once

#include <QLockFile>

#include <filesystem>
#include <memory>

namespace quillmoth {

class AppFolder;

// Keeps a second copy of the program from running on the same application
// folder: a lock file beside the settings, held for the life of this object.
// The lock of a crashed run is recognised as stale and taken over.
class SingleInstance {
public:
    enum class Status {
        Acquired,       // this is the only running instance
        AlreadyRunning, // another live process holds the lock
        Unavailable,    // the lock could not be created (read-only folder, ...)
    };

    explicit SingleInstance(const AppFolder &folder);
    explicit SingleInstance(const std::filesystem::path &lockPath);
    ~SingleInstance();

    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Tries once, without waiting. Creates the settings folder when missing.
    // Calling it again after success keeps the lock and reports Acquired.
    Status acquire();

    bool isAcquired() const;

    // Gives the lock up early (the destructor does it otherwise).
    void release();

private:
    std::filesystem::path m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace quillmoth
