#include "shelf/folder_tree.h"

#include "controls/cls_node.h"
#include "controls/cls_nodes.h"
#include "text/code_page.h"
#include "text/text_paths.h"

namespace quillmoth {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

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

// Length of the UTF-8 sequence a lead byte starts; 0 when it starts none.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The bytes as text, each byte that is not part of a UTF-8 sequence as a
// lone low surrogate. A sequence is valid when it converts both ways
// unchanged, which leaves overlong forms and encoded surrogates to the
// converter.
std::u16string escapedText(std::string_view bytes)
{
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(bytes[i]));
        if (length != 0 && i + length <= bytes.size()) {
            const std::string_view piece = bytes.substr(i, length);
            std::u16string decoded = utf16FromUtf8(piece);
            if (utf8FromUtf16(decoded) == piece) {
                out += decoded;
                i += length;
                continue;
            }
        }
        out += char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i]));
        ++i;
    }
    return out;
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

QString FolderTree::keyOf(const std::filesystem::path &path)
{
    const std::filesystem::path trimmed = withoutTrailingSeparator(path);
    const std::string &bytes = trimmed.native();
    std::u16string name = utf16FromUtf8(bytes);
    if (utf8FromUtf16(name) != bytes)
        name = escapedText(bytes);
    return qt(name);
}

std::filesystem::path FolderTree::pathOf(const QString &key)
{
    // An escape is a low surrogate that does not end a pair; valid text
    // never holds a lone one.
    const std::u16string units = key.toStdU16String();
    const std::u16string_view view(units);
    std::string bytes;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < view.size(); ++i) {
        const char16_t unit = view[i];
        const bool escaped = unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF &&
                             !(i > 0 && isHighSurrogate(view[i - 1]));
        if (!escaped)
            continue;
        bytes += utf8FromUtf16(view.substr(runStart, i - runStart));
        bytes += char(unit - kEscapeBase);
        runStart = i + 1;
    }
    bytes += utf8FromUtf16(view.substr(runStart));
    return std::filesystem::path(std::move(bytes));
}

void FolderTree::addChildren(const QString &parentKey, const FolderScan &scan, bool withBooks)
{
    std::vector<ClsNodes::NewNode> children;
    children.reserve(scan.subfolders.size() + (withBooks ? scan.bookFiles.size() : 0));
    for (const FolderChild &folder : scan.subfolders)
        children.push_back({keyOf(folder.path), qt(folder.name), m_icons.folder});
    if (withBooks) {
        for (const FolderChild &book : scan.bookFiles)
            children.push_back({keyOf(book.path), qt(book.name), m_icons.book});
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
    const std::filesystem::path folder = withoutTrailingSeparator(scan.folder);
    const QString key = keyOf(folder);
    QString caption = qt(text::textFromPath(folder.filename()));
    if (caption.isEmpty())
        caption = key; // "/" has no last part
    m_nodes.AddItem(key, caption, {}, kNoColor, kNoColor, m_icons.root);
    addChildren(key, scan, true);
    markFirstNode();
}

void FolderTree::LoadDriveTree(const std::vector<DriveScan> &drives)
{
    m_nodes.Clear();
    // Every drive first, so that a volume mounted at a first-level folder of
    // another ("/home" under "/") stays a drive of its own; keys are unique,
    // so that folder is not listed under "/" again.
    for (const DriveScan &drive : drives) {
        m_nodes.AddItem(keyOf(drive.drive),
                        qt(text::textFromPath(withoutTrailingSeparator(drive.drive))), {},
                        kNoColor, kNoColor, m_icons.drive);
    }
    for (const DriveScan &drive : drives)
        addChildren(keyOf(drive.drive), drive.scan, false);
    markFirstNode();
}

void FolderTree::TreeLoadbyPath(const FolderScan &scan)
{
    const QString key = keyOf(scan.folder);
    if (key.endsWith(QStringLiteral(".txt")) || m_nodes.nItem(key) == nullptr)
        return;
    addChildren(key, scan, true);
}

} // namespace quillmoth
