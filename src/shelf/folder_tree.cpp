#include "shelf/folder_tree.h"

#include "controls/cls_node.h"
#include "controls/cls_nodes.h"
#include "text/text_paths.h"

namespace quillmoth {

namespace {

QString qt(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

std::filesystem::path withoutTrailingSeparator(std::filesystem::path path)
{
    if (path.has_relative_path() && !path.has_filename())
        path = path.parent_path();
    return path;
}

} // namespace

QString FolderTree::keyOf(const std::filesystem::path &path)
{
    return qt(text::textFromPath(withoutTrailingSeparator(path)));
}

std::filesystem::path FolderTree::pathOf(const QString &key) const
{
    return m_paths.value(key);
}

QString FolderTree::addRoot(const std::filesystem::path &path, const QString &caption,
                            const QPixmap &icon)
{
    const QString key = keyOf(path);
    m_nodes.AddItem(key, caption, {}, kNoColor, kNoColor, icon);
    m_paths.insert(key, withoutTrailingSeparator(path));
    return key;
}

void FolderTree::addChildren(const QString &parentKey, const FolderScan &scan, bool withBooks)
{
    std::vector<ClsNodes::NewNode> children;
    children.reserve(scan.subfolders.size() + (withBooks ? scan.bookFiles.size() : 0));
    const auto add = [&](const FolderChild &child, const QPixmap &icon) {
        const QString key = keyOf(child.path);
        if (m_nodes.nItem(key) != nullptr)
            return;
        children.push_back({key, qt(child.name), icon});
        m_paths.insert(key, child.path);
    };
    for (const FolderChild &folder : scan.subfolders)
        add(folder, m_icons.folder);
    if (withBooks) {
        for (const FolderChild &book : scan.bookFiles)
            add(book, m_icons.book);
    }
    m_nodes.AddItems(parentKey, children);
}

void FolderTree::TreeBeDefaultPath(const FolderScan &scan)
{
    m_nodes.Clear();
    m_paths.clear();
    const std::filesystem::path folder = withoutTrailingSeparator(scan.folder);
    QString caption = qt(text::textFromPath(folder.filename()));
    if (caption.isEmpty())
        caption = keyOf(folder);
    const QString key = addRoot(folder, caption, m_icons.root);
    addChildren(key, scan, true);
    // The root opens on its folders and books.
    if (ClsNode *first = m_nodes.nItem(2))
        first->setExpanded(true);
}

void FolderTree::LoadDriveTree(const std::vector<DriveScan> &drives)
{
    m_nodes.Clear();
    m_paths.clear();
    for (const DriveScan &drive : drives) {
        const QString key = addRoot(drive.drive, keyOf(drive.drive), m_icons.drive);
        addChildren(key, drive.scan, false);
    }
    if (ClsNode *first = m_nodes.nItem(2))
        first->setExpanded(true);
}

void FolderTree::TreeLoadbyPath(const FolderScan &scan)
{
    const QString key = keyOf(scan.folder);
    if (key.endsWith(QStringLiteral(".txt")) || m_nodes.nItem(key) == nullptr)
        return;
    addChildren(key, scan, true);
}

} // namespace quillmoth
