#include "shelf/folder_scan.h"
#include "shelf/folder_scanner.h"

#include "../platform/app_test_support.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
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

TEST(FolderScan, NamesThatAreNotUtf8KeepTheirRealPath)
{
    ScratchFolder scratch;
    const fs::path e9 = scratch.path() / std::string("caf\xe9.txt");
    const fs::path e8 = scratch.path() / std::string("caf\xe8.txt");
    writeFile(e9, "x");
    writeFile(e8, "x");
    fs::create_directories(scratch.path() / std::string("d\xff"));
    const FolderScan scan = scanFolder(scratch.path());
    ASSERT_EQ(scan.books.size(), 2u);
    EXPECT_EQ(scan.books[0].fullPath(), e8); // same text, so by bytes
    EXPECT_EQ(scan.books[1].fullPath(), e9);
    EXPECT_EQ(scan.books[1].title(), u"caf\uFFFD");
    ASSERT_EQ(scan.bookFiles.size(), 2u);
    ASSERT_EQ(scan.subfolders.size(), 1u);
    EXPECT_EQ(scan.subfolders[0].name, u"d\uFFFD");
}

TEST(FolderScan, WhatCannotBeListedIsUnreadable)
{
    ScratchFolder scratch;
    writeFile(scratch.path() / "a.txt", "x");
    for (const fs::path &folder :
         {fs::path("/no/such/folder/anywhere"), scratch.path() / "a.txt", fs::path()}) {
        SCOPED_TRACE(folder.string());
        const FolderScan scan = scanFolder(folder);
        EXPECT_FALSE(scan.readable);
        EXPECT_TRUE(scan.books.empty());
    }
}

TEST(FolderScan, AStopEndsTheScanEarly)
{
    struct Case {
        const char *name;
        int files;
        int folders;
    };
    for (const Case test : {Case{"many files", 600, 0}, Case{"a few folders", 0, 3}}) {
        SCOPED_TRACE(test.name);
        ScratchFolder scratch;
        for (int i = 0; i < test.files; ++i)
            writeFile(scratch.path() / (std::to_string(i) + ".txt"), "x");
        for (int i = 0; i < test.folders; ++i)
            fs::create_directories(scratch.path() / std::to_string(i));
        const std::atomic<bool> stop{true};
        const FolderScan scan = scanFolder(scratch.path(), &stop);
        EXPECT_TRUE(scan.cancelled);
        EXPECT_TRUE(scan.readable);
        EXPECT_LT(scan.books.size() + scan.subfolders.size(), std::size_t(test.files + test.folders));
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

TEST(FolderScan, ReadyDrivesStartWithRootThenHome)
{
    ScratchFolder scratch;
    const char *savedHome = std::getenv("HOME");
    const std::optional<std::string> home =
        savedHome ? std::optional<std::string>(savedHome) : std::nullopt;
    ::setenv("HOME", scratch.path().c_str(), 1);
    const std::vector<fs::path> drives = readyDrives();
    if (home)
        ::setenv("HOME", home->c_str(), 1);
    else
        ::unsetenv("HOME");

    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives[0], fs::path("/"));
    EXPECT_EQ(drives[1], fs::canonical(scratch.path()));
    EXPECT_TRUE(std::is_sorted(drives.begin() + 2, drives.end()));
    EXPECT_EQ(std::set<fs::path>(drives.begin(), drives.end()).size(), drives.size());
}

// Which requests of a sequence are answered.
TEST(FolderScanner, OnlyTheNewestRequestIsAnswered)
{
    ScratchFolder scratch;
    fs::create_directories(scratch.path() / "one");
    writeFile(scratch.path() / "two" / "x.txt", "x");
    struct Case {
        const char *name;
        bool supersede;
        bool cancelLast;
    };
    for (const Case test : {Case{"one request", false, false}, Case{"superseded", true, false},
                            Case{"cancelled", false, true}}) {
        SCOPED_TRACE(test.name);
        FolderScanner scanner;
        QSignalSpy answered(&scanner, &FolderScanner::scanned);
        const int first = test.supersede ? scanner.scan(scratch.path() / "one") : 0;
        const int last = scanner.scan(scratch.path() / "two");
        EXPECT_NE(first, last);
        if (test.cancelLast)
            scanner.cancel();
        else
            ASSERT_TRUE(answered.wait(10000));
        // Every worker has posted whatever it would; deliver all of it.
        scanner.waitForWorkers();
        QCoreApplication::sendPostedEvents();

        if (test.cancelLast) {
            EXPECT_EQ(answered.size(), 0);
            continue;
        }
        ASSERT_EQ(answered.size(), 1);
        EXPECT_EQ(answered[0][0].toInt(), last);
        const auto scan = answered[0][1].value<FolderScan>();
        EXPECT_EQ(scan.folder, scratch.path() / "two");
        EXPECT_EQ(names(scan.books), (Names{u"x.txt"}));
        EXPECT_EQ(names(scanner.takeScan().books), (Names{u"x.txt"}));
    }
}

TEST(FolderScanner, DrivesArriveWithTheirFolders)
{
    FolderScanner scanner;
    QSignalSpy answered(&scanner, &FolderScanner::drivesScanned);
    const int request = scanner.scanDrives();
    ASSERT_TRUE(answered.wait(10000));
    EXPECT_EQ(answered[0][0].toInt(), request);
    const auto drives = answered[0][1].value<std::vector<DriveScan>>();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives[0].drive, fs::path("/"));
    EXPECT_FALSE(drives[0].scan.subfolders.empty());
    EXPECT_EQ(scanner.drives().size(), drives.size());
}

} // namespace
} // namespace quillmoth
