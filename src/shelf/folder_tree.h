#pragma once

#include "shelf/folder_scan.h"
#include "shelf/folder_scanner.h"

#include <QHash>
#include <QPixmap>
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

// The folder tree of the bookshelf over the tree control's node list. A
// node's key is its path as text (folders without a trailing separator);
// `paths` keeps the real path of each key, since a name that is not UTF-8
// cannot make the way back from text.
class FolderTree {
public:
    FolderTree(ClsNodes &nodes, FolderTreeIcons icons) : m_nodes(nodes), m_icons(std::move(icons))
    {
    }

    static QString keyOf(const std::filesystem::path &path);
    // The path of a node's key; empty for a key the tree never made.
    std::filesystem::path pathOf(const QString &key) const;

    // TreeBeDefaultPath: the tree rooted at the scanned folder.
    void TreeBeDefaultPath(const FolderScan &scan);
    // LoadDriveTree: a node for each drive with its first level of folders.
    void LoadDriveTree(const std::vector<DriveScan> &drives);
    // TreeLoadbyPath: the scanned folder's subfolders, then its book files,
    // under its node. Nothing for a key ending in ".txt", or twice.
    void TreeLoadbyPath(const FolderScan &scan);

private:
    QString addRoot(const std::filesystem::path &path, const QString &caption, const QPixmap &icon);
    void addChildren(const QString &parentKey, const FolderScan &scan, bool withBooks);

    ClsNodes &m_nodes;
    FolderTreeIcons m_icons;
    QHash<QString, std::filesystem::path> m_paths;
};

} // namespace quillmoth
