#include "shelf/folder_scan.h"
#include "shelf/folder_scanner.h"

#include "../platform/app_test_support.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::writeFile;

std::vector<std::u16string> names(const std::vector<FolderChild> &children)
{
    std::vector<std::u16string> out;
    for (const FolderChild &child : children)
        out.push_back(child.name);
    return out;
}

std::vector<std::u16string> names(const BookList &books)
{
    std::vector<std::u16string> out;
    for (const BookEntry &book : books)
        out.push_back(book.fileName());
    return out;
}

TEST(FolderScan, ListsFoldersAndBooksByTheirOwnRules)
{
    ScratchFolder scratch;
    const fs::path root = scratch.path();
    for (const char *name : {"b.txt", "A.txt", "Notes.TXT", "c.text", "a.txt.bak"})
        writeFile(root / name, "x");
    fs::create_directories(root / "Zeta");
    fs::create_directories(root / "alpha");
    fs::create_directories(root / ".hidden");
    fs::create_directories(root / "folder.txt");
    fs::create_symlink(root / "b.txt", root / "link.txt");
    fs::create_symlink(root / "gone.txt", root / "broken.txt");
    fs::create_symlink(root, root / "loop");
    fs::create_symlink(root / "alpha", root / "toAlpha");

    const FolderScan scan = scanFolder(root);
    EXPECT_TRUE(scan.readable);
    EXPECT_EQ(names(scan.subfolders),
              (std::vector<std::u16string>{u"alpha", u"folder.txt", u"toAlpha", u"Zeta"}));
    EXPECT_EQ(names(scan.bookFiles),
              (std::vector<std::u16string>{u"A.txt", u"b.txt", u"link.txt"}));
    EXPECT_EQ(names(scan.books),
              (std::vector<std::u16string>{u"A.txt", u"b.txt", u"link.txt", u"Notes.TXT"}));
    EXPECT_EQ(scan.books[0].fullPath(), root / "A.txt");
}

TEST(FolderScan, NamesThatAreNotUtf8StillOpen)
{
    ScratchFolder scratch;
    const fs::path odd = scratch.path() / std::string("caf\xe9.txt");
    writeFile(odd, "x");
    const FolderScan scan = scanFolder(scratch.path());
    ASSERT_EQ(scan.books.size(), 1u);
    EXPECT_EQ(scan.books[0].fullPath(), odd);
    EXPECT_EQ(scan.books[0].title(), u"caf\uFFFD");
}

TEST(FolderScan, AMissingFolderIsUnreadableAndACancelledScanSaysSo)
{
    EXPECT_FALSE(scanFolder("/no/such/folder/anywhere").readable);
    ScratchFolder scratch;
    for (int i = 0; i < 600; ++i)
        writeFile(scratch.path() / (std::to_string(i) + ".txt"), "x");
    const std::atomic<bool> stop{true};
    const FolderScan scan = scanFolder(scratch.path(), &stop);
    EXPECT_TRUE(scan.cancelled);
    EXPECT_LT(scan.books.size(), 600u);
}

TEST(FolderScan, MountTablesGiveRealVolumesOnce)
{
    const std::string table = "overlay / overlay rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "tmpfs /dev/shm tmpfs rw 0 0\n"
                              "/dev/sdb1 /media/My\\040Books ext4 rw 0 0\n"
                              "/dev/sdb1 /media/My\\040Books ext4 rw 0 0\n"
                              "/dev/sda2 /boot/efi vfat rw 0 0\n"
                              "/dev/sdc1 /run/media/me/USB vfat rw 0 0\n";
    EXPECT_EQ(volumesInMountTable(table),
              (std::vector<fs::path>{"/", "/media/My Books", "/run/media/me/USB"}));
    const std::vector<fs::path> drives = readyDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), fs::path("/"));
}

TEST(FolderScanner, OnlyTheNewestRequestIsAnswered)
{
    ScratchFolder scratch;
    fs::create_directories(scratch.path() / "one");
    writeFile(scratch.path() / "two" / "x.txt", "x");
    FolderScanner scanner;
    QSignalSpy answered(&scanner, &FolderScanner::scanned);
    const int first = scanner.scan(scratch.path() / "one");
    const int second = scanner.scan(scratch.path() / "two");
    EXPECT_NE(first, second);
    ASSERT_TRUE(answered.wait(5000));
    QTest::qWait(100);
    ASSERT_EQ(answered.size(), 1);
    EXPECT_EQ(answered[0][0].toInt(), second);
    EXPECT_EQ(scanner.takeScan().books.size(), 1u);
}

} // namespace
} // namespace quillmoth
