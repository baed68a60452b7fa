#include "platform/single_instance.h"

#include "text/app_folder.h"

#include "app_test_support.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <sys/time.h>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

namespace {

using Status = SingleInstance::Status;

// Starts a helper process that tries the lock; returns what it printed. A
// helper that got the lock keeps running until its input is closed.
QString startHolder(QProcess &process, const fs::path &lockPath)
{
    process.start(QStringLiteral(QUILLMOTH_APP_TEST_HELPER),
                  {QStringLiteral("lock"), QString::fromStdString(lockPath.string())});
    if (!process.waitForStarted(30000))
        return QStringLiteral("not started");
    while (!process.canReadLine())
        if (!process.waitForReadyRead(30000))
            return QStringLiteral("no answer");
    return QString::fromUtf8(process.readLine()).trimmed();
}

} // namespace

// The lock lives beside the settings, and the folder is made when missing.
// A program left open for days keeps its lock: only a dead owner makes the
// lock stale, never its age, and a crash leaves the file behind.
TEST(SingleInstance, SecondProcessSeesTheFirstUntilItDies)
{
    const ScratchFolder scratch;
    const AppFolder folder(scratch.path());
    const fs::path lock = folder.instanceLockPath();
    QProcess first;
    ASSERT_EQ(startHolder(first, lock), QStringLiteral("acquired"));
    const timeval dayAgo[2] = {{::time(nullptr) - 86400, 0}, {::time(nullptr) - 86400, 0}};
    ASSERT_EQ(::utimes(lock.c_str(), dayAgo), 0);

    QProcess second;
    EXPECT_EQ(startHolder(second, lock), QStringLiteral("running"));
    EXPECT_TRUE(second.waitForFinished(30000));
    SingleInstance here(folder);
    EXPECT_EQ(here.acquire(), Status::AlreadyRunning);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(fs::exists(lock));
    EXPECT_EQ(here.acquire(), Status::Acquired);
}

// A lock file that cannot be made leaves the lock unavailable rather than
// taken.
TEST(SingleInstance, ALockFileThatCannotBeMadeLeavesTheLockUnavailable)
{
    const ScratchFolder scratch;
    writeFile(scratch.path() / "Settings", "a file where the folder belongs");
    SingleInstance blocked(scratch.path() / "Settings" / ".instance.lock");
    EXPECT_EQ(blocked.acquire(), Status::Unavailable);
    EXPECT_FALSE(blocked.isAcquired());
}
