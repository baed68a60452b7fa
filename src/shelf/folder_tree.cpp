#include "shelf/folder_tree.h"

#include "platform/qt_text.h"

#include "controls/cls_node.h"
#include "controls/cls_nodes.h"
#include "text/code_page.h"
#include "text/text_paths.h"

namespace quillmoth {

namespace {

std::filesystem::path withoutTrailingSeparator(std::filesystem::path path)
{
    if (path.has_relative_path() && !path.has_filename())
        path = path.parent_path();
    return path;
}

} // namespace

QString FolderTree::keyOf(const std::filesystem::path &path)
{
    return qtText(utf16FromBytesEscaped(withoutTrailingSeparator(path).native()));
}

std::filesystem::path FolderTree::pathOf(const QString &key)
{
    return std::filesystem::path(bytesFromUtf16Escaped(key.toStdU16String()));
}

void FolderTree::addChildren(const QString &parentKey, const FolderScan &scan, bool withBooks)
{
    std::vector<ClsNodes::NewNode> children;
    children.reserve(scan.subfolders.size() + (withBooks ? scan.bookFiles.size() : 0));
    for (const FolderChild &folder : scan.subfolders)
        children.push_back({keyOf(folder.path), qtText(folder.name), m_icons.folder});
    if (withBooks) {
        for (const FolderChild &book : scan.bookFiles) {
            children.push_back({keyOf(book.path), qtText(book.name), m_icons.book});
            m_bookKeys.insert(children.back().key);
        }
    }
    // Keys already in the tree are skipped there.
    m_nodes.AddItems(parentKey, children);
}

void FolderTree::markFirstNode()
{
    // The Children flag makes the first node show its expand glyph even when
    // nothing is under it yet. Opening it is our choice: the tree starts on
    // the folders and books at hand.
    if (ClsNode *first = m_nodes.nItem(2)) {
        if (first->Children() == 0)
            first->setChildren(1);
        first->setExpanded(true);
    }
}

void FolderTree::TreeBeDefaultPath(const FolderScan &scan)
{
    m_nodes.Clear();
    m_bookKeys.clear();
    const std::filesystem::path folder = withoutTrailingSeparator(scan.folder);
    const QString key = keyOf(folder);
    QString caption = qtText(text::textFromPath(folder.filename()));
    if (caption.isEmpty())
        caption = key; // "/" has no last part
    m_nodes.AddItem(key, caption, {}, kNoColor, kNoColor, m_icons.root);
    addChildren(key, scan, true);
    markFirstNode();
}

void FolderTree::LoadDriveTree(const std::vector<DriveScan> &drives)
{
    m_nodes.Clear();
    m_bookKeys.clear();
    // Every drive first, so that a volume mounted at a first-level folder of
    // another ("/home" under "/") stays a drive of its own; keys are unique,
    // so that folder is not listed under "/" again.
    for (const DriveScan &drive : drives) {
        m_nodes.AddItem(keyOf(drive.drive),
                        qtText(text::textFromPath(withoutTrailingSeparator(drive.drive))), {},
                        kNoColor, kNoColor, m_icons.drive);
    }
    for (const DriveScan &drive : drives)
        addChildren(keyOf(drive.drive), drive.scan, false);
    markFirstNode();
}

void FolderTree::TreeLoadbyPath(const FolderScan &scan)
{
    const QString key = keyOf(scan.folder);
    if (isBook(key) || m_nodes.nItem(key) == nullptr)
        return;
    addChildren(key, scan, true);
}

} // namespace quillmoth
