#include "single_instance.h"

#include "text/app_folder.h"

#include <QString>

#include <system_error>

namespace quillmoth {

SingleInstance::SingleInstance(const AppFolder &folder)
    : SingleInstance(folder.instanceLockPath())
{
}

SingleInstance::SingleInstance(const std::filesystem::path &lockPath)
    : m_lockPath(lockPath)
{
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Status SingleInstance::acquire()
{
    if (isAcquired())
        return Status::Acquired;

    std::error_code ignored;
    std::filesystem::create_directories(m_lockPath.parent_path(), ignored);

    auto lock = std::make_unique<QLockFile>(QString::fromStdString(m_lockPath.string()));
    // A running instance may hold the lock for days: only a dead owner makes
    // it stale, never its age.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return Status::Acquired;
    }
    return lock->error() == QLockFile::LockFailedError ? Status::AlreadyRunning
                                                       : Status::Unavailable;
}

bool SingleInstance::isAcquired() const
{
    return m_lock != nullptr && m_lock->isLocked();
}

void SingleInstance::release()
{
    if (m_lock != nullptr)
        m_lock->unlock();
    m_lock.reset();
}

} // namespace quillmoth
