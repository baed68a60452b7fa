#include "shelf/folder_scan.h"
#include "shelf/folder_scanner.h"

#include "../platform/app_test_support.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sys/stat.h>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::writeFile;
using Names = std::vector<std::u16string>;

Names names(const std::vector<FolderChild> &children)
{
    Names out;
    for (const FolderChild &child : children)
        out.push_back(child.name);
    return out;
}

Names names(const BookList &books)
{
    Names out;
    for (const BookEntry &book : books)
        out.push_back(book.fileName());
    return out;
}

TEST(FolderScan, ListsFoldersAndBooksByTheirOwnRules)
{
    ScratchFolder scratch;
    const fs::path root = scratch.path() / "shelf";
    for (const char *name : {"b.txt", "A.txt", "a.txt", "Notes.TXT", "c.text", "a.txt.bak",
                             ".hidden.txt"})
        writeFile(root / name, "x");
    for (const char *name : {"Zeta", "alpha", ".hidden", "folder.txt"})
        fs::create_directories(root / name);
    fs::create_symlink(root / "b.txt", root / "link.txt");
    fs::create_symlink(root / "gone.txt", root / "broken.txt");
    fs::create_symlink(root, root / "loop");
    fs::create_symlink(scratch.path(), root / "up");
    fs::create_symlink(root / "alpha", root / "toAlpha");
    ASSERT_EQ(::mkfifo((root / "pipe.txt").c_str(), 0600), 0);

    const FolderScan scan = scanFolder(root);
    EXPECT_TRUE(scan.readable);
    EXPECT_FALSE(scan.cancelled);
    // Case folded first, then exactly: "A.txt" before "a.txt".
    EXPECT_EQ(names(scan.subfolders), (Names{u"alpha", u"folder.txt", u"toAlpha", u"Zeta"}));
    EXPECT_EQ(names(scan.bookFiles), (Names{u"A.txt", u"a.txt", u"b.txt", u"link.txt"}));
    EXPECT_EQ(names(scan.books), (Names{u"A.txt", u"a.txt", u"b.txt", u"link.txt", u"Notes.TXT"}));
    EXPECT_EQ(scan.books[0].fullPath(), root / "A.txt");
    EXPECT_EQ(scan.subfolders[2].path, root / "toAlpha");
}

TEST(FolderScan, WhatCannotBeListedIsUnreadable)
{
    ScratchFolder scratch;
    writeFile(scratch.path() / "a.txt", "x");
    for (const fs::path &folder : {fs::path("/no/such"), scratch.path() / "a.txt", fs::path()}) {
        const FolderScan scan = scanFolder(folder);
        EXPECT_FALSE(scan.readable) << folder;
        EXPECT_TRUE(scan.books.empty()) << folder;
    }
}

// A stop is noticed among many files and among a few folders alike.
TEST(FolderScan, AStopEndsTheScanEarly)
{
    for (const auto &[files, folders] : {std::pair{600, 0}, std::pair{0, 3}}) {
        ScratchFolder scratch;
        for (int i = 0; i < files; ++i)
            writeFile(scratch.path() / (std::to_string(i) + ".txt"), "x");
        for (int i = 0; i < folders; ++i)
            fs::create_directories(scratch.path() / std::to_string(i));
        const std::atomic<bool> stop{true};
        const FolderScan scan = scanFolder(scratch.path(), &stop);
        EXPECT_TRUE(scan.cancelled && scan.readable) << files;
        EXPECT_LT(scan.books.size() + scan.subfolders.size(), std::size_t(files + folders));
    }
}

TEST(FolderScan, MountTablesGiveRealVolumesOnce)
{
    const std::string table = "overlay / overlay rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "tmpfs /dev/shm tmpfs rw 0 0\n"
                              "/dev/sdb1 /media/My\\040Books ext4 rw 0 0\n"
                              "/dev/sdb1 /media/My\\040Books ext4 rw 0 0\n"
                              "/dev/sda2 /boot/efi vfat rw 0 0\n"
                              "/dev/sda1 /etc/hosts ext4 rw 0 0\n"
                              "/dev/sda3 /var/log btrfs rw 0 0\n"
                              "/dev/sdc1 /run/media/me/USB vfat rw 0 0\n"
                              "/dev/sdc2 /run/user/1000/doc fuse.portal rw 0 0\n"
                              "squashfs /snap/core/1 squashfs ro 0 0\n";
    EXPECT_EQ(volumesInMountTable(table),
              (std::vector<fs::path>{"/", "/media/My Books", "/run/media/me/USB"}));
}

// Root first, then home, then the rest sorted, each once, with their folders.
TEST(FolderScanner, DrivesStartWithRootThenHome_AndArriveWithTheirFolders)
{
    ScratchFolder scratch;
    fs::create_directories(scratch.path() / "Books");
    const char *savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    ::setenv("HOME", scratch.path().c_str(), 1);
    FolderScanner scanner;
    QSignalSpy answered(&scanner, &FolderScanner::drivesScanned);
    const int request = scanner.scanDrives();
    const bool arrived = answered.wait(10000);
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
    ASSERT_TRUE(arrived);
    EXPECT_EQ(answered[0][0].toInt(), request);
    const auto drives = answered[0][1].value<std::vector<DriveScan>>();
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives[0].drive, fs::path("/"));
    EXPECT_FALSE(drives[0].scan.subfolders.empty());
    EXPECT_EQ(drives[1].drive, fs::canonical(scratch.path()));
    EXPECT_EQ(names(drives[1].scan.subfolders), (Names{u"Books"}));
    std::set<fs::path> seen;
    for (std::size_t i = 0; i < drives.size(); ++i) {
        EXPECT_TRUE(seen.insert(drives[i].drive).second) << drives[i].drive;
        EXPECT_TRUE(i <= 2 || drives[i - 1].drive < drives[i].drive) << drives[i].drive;
    }
    EXPECT_EQ(scanner.drives().size(), drives.size());
}

// Which requests of a sequence are answered.
TEST(FolderScanner, OnlyTheNewestRequestIsAnswered)
{
    ScratchFolder scratch;
    fs::create_directories(scratch.path() / "one");
    writeFile(scratch.path() / "two" / "x.txt", "x");
    for (const auto &[supersede, cancelLast] :
         {std::pair{false, false}, {true, false}, {false, true}}) {
        SCOPED_TRACE(supersede ? "superseded" : cancelLast ? "cancelled" : "one request");
        FolderScanner scanner;
        QSignalSpy answered(&scanner, &FolderScanner::scanned);
        const int first = supersede ? scanner.scan(scratch.path() / "one") : 0;
        const int last = scanner.scan(scratch.path() / "two");
        EXPECT_NE(first, last);
        if (cancelLast)
            scanner.cancel();
        else
            ASSERT_TRUE(answered.wait(10000));
        // Every worker has posted whatever it would; deliver all of it.
        scanner.waitForWorkers();
        QCoreApplication::sendPostedEvents();
        ASSERT_EQ(answered.size(), cancelLast ? 0 : 1);
        if (cancelLast)
            continue;
        EXPECT_EQ(answered[0][0].toInt(), last);
        const auto scan = answered[0][1].value<FolderScan>();
        EXPECT_EQ(scan.folder, scratch.path() / "two");
        EXPECT_EQ(names(scan.books), (Names{u"x.txt"}));
        EXPECT_EQ(names(scanner.takeScan().books), (Names{u"x.txt"}));
    }
}

} // namespace
} // namespace quillmoth
