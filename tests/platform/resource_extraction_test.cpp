#include "platform/resource_extraction.h"

#include "app_test_support.h"

#include <QProcess>

#include <gtest/gtest.h>


using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

namespace {

// Runs the helper that extracts under a file-size limit.
std::unique_ptr<QProcess> runLimitedExtraction(const fs::path &target, qint64 limit, const char *signalHandling)
{
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(QUILLMOTH_APP_TEST_HELPER),
                   {QStringLiteral("extract"), QStringLiteral("UIback"), QString::fromStdString(target.string()),
                    QString::number(limit), QString::fromLatin1(signalHandling)});
    EXPECT_TRUE(process->waitForStarted(30000));
    EXPECT_TRUE(process->waitForFinished(60000));
    return process;
}

} // namespace

// The shadows are written with the PNG signature put back, which leaves
// their bytes as they are, since they are real PNG files already.
TEST(ExtractResourceFile, WritesEachPictureOfTheDataFolderWhenMissing)
{
    const ScratchFolder scratch;
    for (const DataResource &resource : dataResources()) {
        const fs::path target = scratch.path() / resource.fileName;
        ASSERT_EQ(ExtractResourceFile(QString::fromLatin1(resource.resourceName), target, resource.fix),
                  ExtractResult::Written)
            << resource.resourceName;
        EXPECT_EQ(QByteArray::fromStdString(readFile(target)),
                  builtinResource(QString::fromLatin1(resource.resourceName)));
    }
    EXPECT_EQ(entryCount(scratch.path()), 6); // no temporaries left behind
}

// An existing file is never touched; unknown names and unwritable folders
// are reported and leave nothing behind.
TEST(ExtractResourceFile, NeverTouchesAnExistingFileAndReportsWhatItCannotDo)
{
    const ScratchFolder scratch;
    const fs::path cover = scratch.path() / "Cvr.dat";
    writeFile(cover, "GIF89a the user's own cover");

    EXPECT_EQ(ExtractResourceFile(QStringLiteral("COVER"), cover), ExtractResult::AlreadyThere);
    EXPECT_EQ(ExtractResourceFile(QStringLiteral("Mid"), cover, HeaderFix::PngSignature),
              ExtractResult::AlreadyThere);
    EXPECT_EQ(readFile(cover), "GIF89a the user's own cover");

    std::string error;
    EXPECT_EQ(ExtractResourceFile(QStringLiteral("NOSUCH"), scratch.path() / "a.dat", HeaderFix::None, &error),
              ExtractResult::NoSuchResource);
    EXPECT_FALSE(error.empty());
    // Names cannot reach other parts of the resource tree.
    EXPECT_EQ(ExtractResourceFile(QStringLiteral("../images/tree-drive.png"), scratch.path() / "b.dat"),
              ExtractResult::NoSuchResource);
    EXPECT_EQ(ExtractResourceFile(QStringLiteral("COVER"), scratch.path() / "no" / "Cvr.dat"),
              ExtractResult::WriteFailed);
    EXPECT_EQ(entryCount(scratch.path()), 1);
}

// A writer that runs out of room half-way leaves no file and no temporary,
// and says so; one killed half-way leaves no file either, and the next run
// writes it whole.
TEST(ExtractResourceFile, FailedOrKilledWriterNeverLeavesAPartialFile)
{
    const ScratchFolder scratch;
    const fs::path target = scratch.path() / "UIbg.jpg";
    const qint64 limit = 4096;
    ASSERT_GT(builtinResource(QStringLiteral("UIback")).size(), 4 * limit);

    const auto failed = runLimitedExtraction(target, limit, "ignore");
    EXPECT_EQ(failed->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(failed->exitCode(), int(ExtractResult::WriteFailed));
    EXPECT_EQ(entryCount(scratch.path()), 0);

    const auto killed = runLimitedExtraction(target, limit, "default");
    EXPECT_EQ(killed->exitStatus(), QProcess::CrashExit);
    EXPECT_FALSE(fs::exists(target));

    ASSERT_EQ(ExtractResourceFile(QStringLiteral("UIback"), target), ExtractResult::Written);
    EXPECT_EQ(QByteArray::fromStdString(readFile(target)), builtinResource(QStringLiteral("UIback")));
}
