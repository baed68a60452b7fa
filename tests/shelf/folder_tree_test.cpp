#include "shelf/folder_tree.h"

#include "controls/cls_node.h"
#include "controls/cls_nodes.h"

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

FolderScan scanOf(const fs::path &folder, std::vector<std::u16string> subfolders,
                  std::vector<std::u16string> books)
{
    FolderScan scan;
    scan.folder = folder;
    for (const std::u16string &name : subfolders)
        scan.subfolders.push_back({folder / fs::path(name), name});
    for (const std::u16string &name : books)
        scan.bookFiles.push_back({folder / fs::path(name), name});
    return scan;
}

FolderTreeIcons icons()
{
    FolderTreeIcons set;
    for (QPixmap *icon : {&set.drive, &set.folder, &set.book, &set.root}) {
        *icon = QPixmap(16, 16);
        icon->fill(QColor::fromRgb(std::uint32_t(reinterpret_cast<std::uintptr_t>(icon))));
    }
    return set;
}

TEST(FolderTree, RootHoldsFoldersThenBooksAndGrowsOnClicks)
{
    ClsNodes nodes;
    const FolderTreeIcons pictures = icons();
    FolderTree tree(nodes, pictures);
    tree.TreeBeDefaultPath(scanOf("/books/", {u"Old", u"New"}, {u"a.txt"}));
    ASSERT_EQ(nodes.Count(), 5);
    const ClsNode *root = nodes.nItem(2);
    EXPECT_EQ(root->key(), QStringLiteral("/books"));
    EXPECT_EQ(root->Caption(), QStringLiteral("books"));
    EXPECT_EQ(root->Icon().cacheKey(), pictures.root.cacheKey());
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(nodes.nItem(3)->Caption(), QStringLiteral("Old"));
    EXPECT_EQ(nodes.nItem(5)->key(), QStringLiteral("/books/a.txt"));
    EXPECT_EQ(nodes.nItem(5)->Relative(), QStringLiteral("/books"));

    const FolderScan old = scanOf("/books/Old", {u"Inner"}, {u"b.txt"});
    tree.TreeLoadbyPath(old);
    tree.TreeLoadbyPath(old); // a second click adds nothing
    ASSERT_EQ(nodes.Count(), 7);
    EXPECT_EQ(nodes.nItem(4)->key(), QStringLiteral("/books/Old/Inner"));
    EXPECT_EQ(nodes.nItem(6)->key(), QStringLiteral("/books/New"));
    EXPECT_EQ(tree.pathOf(QStringLiteral("/books/Old/Inner")), fs::path("/books/Old/Inner"));

    tree.TreeLoadbyPath(scanOf("/books/a.txt", {u"x"}, {}));
    EXPECT_EQ(nodes.Count(), 7);
}

TEST(FolderTree, DrivesListTheirFoldersButNoBooks)
{
    ClsNodes nodes;
    FolderTree tree(nodes, icons());
    tree.LoadDriveTree({{"/", scanOf("/", {u"home", u"srv"}, {u"x.txt"})},
                        {"/media/usb", scanOf("/media/usb", {u"Books"}, {})}});
    ASSERT_EQ(nodes.Count(), 6);
    EXPECT_EQ(nodes.nItem(2)->Caption(), QStringLiteral("/"));
    EXPECT_EQ(nodes.nItem(3)->key(), QStringLiteral("/home"));
    EXPECT_EQ(nodes.nItem(5)->key(), QStringLiteral("/media/usb"));
}

TEST(FolderTree, ATenThousandBookFolderGoesInAtOnce)
{
    ClsNodes nodes;
    FolderTree tree(nodes, icons());
    std::vector<std::u16string> books;
    for (int i = 0; i < 10000; ++i) {
        const std::string number = std::to_string(i);
        books.push_back(u"b" + std::u16string(number.begin(), number.end()) + u".txt");
    }
    int changes = 0;
    QObject::connect(&nodes, &ClsNodes::changed, [&] { ++changes; });
    tree.TreeBeDefaultPath(scanOf("/big", {}, books));
    EXPECT_EQ(nodes.Count(), 10002);
    EXPECT_LE(changes, 3);
    EXPECT_EQ(nodes.nItem(10002)->ItemNum(), 10002);
}

} // namespace
} // namespace quillmoth
