#include "shelf/folder_tree.h"

#include "controls/cls_node.h"
#include "controls/cls_nodes.h"

#include "../platform/app_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

FolderScan scanOf(const fs::path &folder, std::vector<std::string> subfolders,
                  std::vector<std::string> books)
{
    FolderScan scan;
    scan.folder = folder;
    for (const std::string &name : subfolders)
        scan.subfolders.push_back({folder / name, std::u16string(name.begin(), name.end())});
    for (const std::string &name : books)
        scan.bookFiles.push_back({folder / name, std::u16string(name.begin(), name.end())});
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
        const ClsNode *root = t.nodes.nItem(2);
        EXPECT_GE(root->Children(), 1);
        EXPECT_TRUE(root->Expanded());
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
    testing::ScratchFolder scratch;
    testing::writeFile(scratch.path() / std::string("caf\xe9.txt"), "x");
    testing::writeFile(scratch.path() / std::string("caf\xe8.txt"), "x");
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
    int changes = 0;
    QObject::connect(&t.nodes, &ClsNodes::changed, [&] { ++changes; });
    t.tree.TreeBeDefaultPath(scanOf("/many", {}, books));
    ASSERT_EQ(t.nodes.Count(), 10002);
    EXPECT_LE(changes, 5); // a handful, not one per book
    EXPECT_EQ(t.nodes.nItem(2)->AllChildren(), 10000);
    EXPECT_EQ(t.nodes.nItem(10002)->ItemNum(), 10002);
    EXPECT_EQ(t.nodes.nItem(10002)->Caption(), QStringLiteral("b9999.txt"));
}

} // namespace
} // namespace quillmoth
