#include "shelf/folder_scan.h"
#include "shelf/folder_scanner.h"
#include "shelf/folder_tree.h"

#include "controls/cls_node.h"
#include "controls/cls_nodes.h"

#include "../platform/app_test_support.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <sys/stat.h>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::writeFile;
using Names = std::vector<std::u16string>;

// The names of folders or of books, in their order.
template <class List> Names names(const List &list)
{
    Names out;
    for (const auto &item : list) {
        if constexpr (requires { item.fileName(); })
            out.push_back(item.fileName());
        else
            out.push_back(item.name);
    }
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
    EXPECT_TRUE(scan.readable && !scan.cancelled);
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
    const std::string table =
        "overlay / overlay rw 0 0\nproc /proc proc rw 0 0\n/dev/sda2 /boot/efi vfat rw 0 0\n"
        "/dev/sdb1 /media/My\\040Books ext4 rw 0 0\n/dev/sdb1 /media/My\\040Books ext4 rw 0 0\n"
        "/dev/sdc1 /run/media/me/USB vfat rw 0 0\n"
        "/dev/sdc2 /run/user/1000/doc fuse.portal rw 0 0\n";
    EXPECT_EQ(volumesInMountTable(table),
              (std::vector<fs::path>{"/", "/media/My Books", "/run/media/me/USB"}));
}

// Root first, then home, each drive once, with their folders.
TEST(FolderScanner, DrivesStartWithRootThenHome_AndArriveWithTheirFolders)
{
    ScratchFolder scratch;
    fs::create_directories(scratch.path() / "Books");
    const char *savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    ::setenv("HOME", scratch.path().c_str(), 1);
    FolderScanner scanner;
    QSignalSpy answered(&scanner, &FolderScanner::drivesScanned);
    scanner.scanDrives();
    const bool arrived = answered.wait(10000);
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
    ASSERT_TRUE(arrived);
    const auto drives = answered[0][1].value<std::vector<DriveScan>>();
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives[0].drive, fs::path("/"));
    EXPECT_EQ(drives[1].drive, fs::canonical(scratch.path()));
    EXPECT_EQ(names(drives[1].scan.subfolders), (Names{u"Books"}));
    std::set<fs::path> seen;
    for (const DriveScan &drive : drives)
        EXPECT_TRUE(seen.insert(drive.drive).second) << drive.drive;
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
        if (supersede)
            scanner.scan(scratch.path() / "one");
        const int last = scanner.scan(scratch.path() / "two");
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
        const FolderScan scan = scanner.takeScan();
        EXPECT_EQ(scan.folder, scratch.path() / "two");
        EXPECT_EQ(names(scan.books), (Names{u"x.txt"}));
    }
}

FolderScan scanOf(const fs::path &folder, std::vector<std::string> subfolders,
                  std::vector<std::string> books)
{
    FolderScan scan;
    scan.folder = folder;
    for (auto [from, to] : {std::pair{&subfolders, &scan.subfolders}, {&books, &scan.bookFiles}})
        for (const std::string &name : *from)
            to->push_back({folder / name, std::u16string(name.begin(), name.end())});
    return scan;
}

// A tree over its own nodes, with one picture per kind told apart by their
// cache keys. Each node below the control's own first one reads
// "key|caption|parent key|kind".
struct Tree {
    FolderTreeIcons icons{QPixmap(1, 1), QPixmap(2, 2), QPixmap(3, 3), QPixmap(4, 4)};
    ClsNodes nodes;
    FolderTree tree{nodes, icons};

    std::vector<std::string> rows() const
    {
        const QPixmap *kinds[] = {&icons.drive, &icons.folder, &icons.book, &icons.root};
        std::vector<std::string> out;
        for (int position = 2; position <= nodes.Count(); ++position) {
            const ClsNode *node = nodes.nItem(position);
            char kind = '?';
            for (int i = 0; i < 4; ++i)
                kind = kinds[i]->cacheKey() == node->Icon().cacheKey() ? "dfbr"[i] : kind;
            out.push_back((node->key() + '|' + node->Caption() + '|' + node->Relative() + '|' +
                           QLatin1Char(kind)).toStdString());
        }
        return out;
    }
};

using Rows = std::vector<std::string>;

TEST(FolderTree, TreeBeDefaultPath_RootHoldsFoldersThenBooks)
{
    const std::pair<FolderScan, Rows> cases[] = {
        {scanOf("/books/", {"New", "Old"}, {"a.txt"}), // a trailing separator
         {"/books|books||r", "/books/New|New|/books|f", "/books/Old|Old|/books|f",
          "/books/a.txt|a.txt|/books|b"}},
        {scanOf("/", {"home"}, {}), {"/|/||r", "/home|home|/|f"}},
        {scanOf("/empty", {}, {}), {"/empty|empty||r"}},
    };
    for (const auto &[scan, expected] : cases) {
        Tree t;
        t.tree.TreeBeDefaultPath(scanOf("/elsewhere", {"stale"}, {}));
        t.tree.TreeBeDefaultPath(scan);
        EXPECT_EQ(t.rows(), expected);
        // The first node shows it can be opened, and is open.
        EXPECT_TRUE(t.nodes.nItem(2)->Children() >= 1 && t.nodes.nItem(2)->Expanded());
        EXPECT_TRUE(t.nodes.nItem(t.nodes.Count())->Visable());
    }
}

TEST(FolderTree, TreeLoadbyPath_AddsUnderTheFoldersNodeOnce)
{
    Tree t;
    t.tree.TreeBeDefaultPath(scanOf("/books", {"New", "Old.txt"}, {"a.txt"}));
    const FolderScan old = scanOf("/books/Old.txt", {"Inner"}, {"b.txt"}); // a folder
    t.tree.TreeLoadbyPath(old);
    t.tree.TreeLoadbyPath(old);
    t.tree.TreeLoadbyPath(scanOf("/books/a.txt", {"x"}, {})); // a book's node
    t.tree.TreeLoadbyPath(scanOf("/not/in/tree", {"y"}, {})); // no node
    EXPECT_EQ(t.rows(), (Rows{"/books|books||r", "/books/New|New|/books|f",
                              "/books/Old.txt|Old.txt|/books|f",
                              "/books/Old.txt/Inner|Inner|/books/Old.txt|f",
                              "/books/Old.txt/b.txt|b.txt|/books/Old.txt|b",
                              "/books/a.txt|a.txt|/books|b"}));
    EXPECT_EQ(t.nodes.nItem("/books")->AllChildren(), 5);
    EXPECT_FALSE(t.tree.isBook("/books/Old.txt"));
    EXPECT_TRUE(t.tree.isBook("/books/Old.txt/b.txt"));
}

TEST(FolderTree, LoadDriveTree_ListsEachDrivesFoldersButNoBooks)
{
    Tree t;
    // "/srv" is a volume of its own and a first-level folder of "/".
    t.tree.LoadDriveTree({{"/", scanOf("/", {"home", "srv"}, {"x.txt"})},
                          {"/home/me", scanOf("/home/me", {"Books"}, {"y.txt"})},
                          {"/srv", scanOf("/srv", {"library"}, {})}});
    EXPECT_EQ(t.rows(), (Rows{"/|/||d", "/home|home|/|f", "/home/me|/home/me||d",
                              "/home/me/Books|Books|/home/me|f", "/srv|/srv||d",
                              "/srv/library|library|/srv|f"}));
    EXPECT_TRUE(t.nodes.nItem(2)->Expanded());
}

// Any bytes at all: a key per path, and back.
TEST(FolderTree, KeysLeadBackToTheirPaths)
{
    EXPECT_EQ(FolderTree::keyOf("/books/"), QStringLiteral("/books"));
    EXPECT_EQ(FolderTree::keyOf("/"), QStringLiteral("/"));
    std::mt19937 random(7);
    const std::string pieces[] = {"a", "/", "\xe9", "\xc3\xa9", "\xed\xa0\x80", "\xf0\x9f\x93\x9a",
                                  "\xf0\x9f", "\xc0\xaf", "\x80", "\xff", "\xef\xbf\xbd"};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = "/";
        for (int n = std::uniform_int_distribution<int>(1, 8)(random); n > 0; --n)
            bytes += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
        bytes += "x"; // no trailing separator to trim
        EXPECT_EQ(FolderTree::pathOf(FolderTree::keyOf(bytes)).native(), bytes);
    }
}

// Names that read alike get nodes of their own, ordered by their bytes.
TEST(FolderTree, NamesThatAreNotUtf8KeepTheirRealPath)
{
    ScratchFolder scratch;
    writeFile(scratch.path() / std::string("caf\xe9.txt"), "x");
    writeFile(scratch.path() / std::string("caf\xe8.txt"), "x");
    Tree t;
    t.tree.TreeBeDefaultPath(scanFolder(scratch.path()));
    ASSERT_EQ(t.nodes.Count(), 4);
    EXPECT_EQ(t.nodes.nItem(3)->Caption(), QString::fromStdU16String(u"caf\uFFFD.txt"));
    for (const auto &[row, name] : {std::pair{3, "caf\xe8.txt"}, {4, "caf\xe9.txt"}})
        EXPECT_EQ(FolderTree::pathOf(t.nodes.nItem(row)->key()), scratch.path() / name);
}

TEST(FolderTree, ATenThousandBookFolderGoesInAtOnce)
{
    std::vector<std::string> books;
    for (int i = 0; i < 10000; ++i)
        books.push_back("b" + std::to_string(i) + ".txt");
    Tree t;
    QSignalSpy changes(&t.nodes, &ClsNodes::changed);
    t.tree.TreeBeDefaultPath(scanOf("/many", {}, books));
    ASSERT_EQ(t.nodes.Count(), 10002);
    EXPECT_LE(changes.size(), 5); // a handful, not one per book
    EXPECT_EQ(t.nodes.nItem(10002)->ItemNum(), 10002);
}

} // namespace
} // namespace quillmoth
