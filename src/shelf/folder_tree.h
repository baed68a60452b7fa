#pragma once

#include "shelf/folder_scan.h"

#include <QPixmap>
#include <QSet>
#include <QString>

#include <filesystem>
#include <vector>

namespace quillmoth {

class ClsNodes;

// The pictures of the tree's nodes.
struct FolderTreeIcons {
    QPixmap drive;
    QPixmap folder;
    QPixmap book;
    QPixmap root;
};

// The folder tree of the bookshelf over the tree control's node list. Each
// folder's nodes go in as one batch, so a folder of ten thousand books is
// not quadratic.
class FolderTree {
public:
    FolderTree(ClsNodes &nodes, FolderTreeIcons icons) : m_nodes(nodes), m_icons(std::move(icons))
    {
    }

    // A node's key: the path as text, folders without a trailing separator.
    // Bytes that are not UTF-8 become U+DC80 to U+DCFF, one unit each, so
    // that every path has its own key and the key leads back to it.
    static QString keyOf(const std::filesystem::path &path);
    // The path a key was made from.
    static std::filesystem::path pathOf(const QString &key);

    // TreeBeDefaultPath: the tree rooted at the scanned folder, opened.
    void TreeBeDefaultPath(const FolderScan &scan);
    // LoadDriveTree: a node for each drive with its first level of folders.
    void LoadDriveTree(const std::vector<DriveScan> &drives);
    // TreeLoadbyPath: the scanned folder's subfolders, then its book files,
    // under its node. Nothing under a book; a key already in the tree is not
    // added again.
    void TreeLoadbyPath(const FolderScan &scan);

    // Whether the node with this key stands for a book file. Told by what the
    // node was made from, not by its name: a folder may be called "x.txt".
    bool isBook(const QString &key) const { return m_bookKeys.contains(key); }

private:
    void addChildren(const QString &parentKey, const FolderScan &scan, bool withBooks);
    void markFirstNode();

    ClsNodes &m_nodes;
    FolderTreeIcons m_icons;
    QSet<QString> m_bookKeys;
};

} // namespace quillmoth
