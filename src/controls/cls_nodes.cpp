#include "cls_nodes.h"

#include <QLoggingCategory>

namespace quillmoth {
namespace {

Q_LOGGING_CATEGORY(lcTree, "quillmoth.controls.tree")

} // namespace

ClsNodes::ClsNodes(QObject *parent) : QObject(parent)
{
    Clear();
}

ClsNodes::~ClsNodes() = default;

ClsNode *ClsNodes::AddItem(const QString &key, const QString &caption, const QString &relative,
                           int backColor, int foreColor, const QPixmap &icon,
                           const QString &buttonToolTip, const QPixmap &buttonPicture,
                           const QPixmap &buttonPicture2, int buttonMaskColor)
{
    if (key.isEmpty() || m_byKey.contains(key)) {
        qCDebug(lcTree) << "AddItem: the key is empty or already in the tree:" << key;
        return nullptr;
    }
    ClsNode *parent = nullptr;
    if (!relative.isEmpty()) {
        parent = nItem(relative);
        if (!parent) {
            qCDebug(lcTree) << "AddItem: no node has the relative's key" << relative;
            return nullptr;
        }
    }

    auto node = std::unique_ptr<ClsNode>(new ClsNode(this, key, caption, relative));
    node->m_backColor = backColor;
    node->m_foreColor = foreColor;
    node->m_icon = icon;
    if (buttonMaskColor != kNoColor)
        node->m_buttonMaskColor = buttonMaskColor;
    if (!buttonToolTip.isEmpty())
        node->m_buttonToolTip = buttonToolTip;
    if (!buttonPicture.isNull() || !buttonPicture2.isNull()) {
        node->m_owner = nullptr; // no change signal while the node is being built
        node->setButtonPictures(buttonPicture, buttonPicture2);
        node->m_owner = this;
    }

    std::size_t at = m_nodes.size();
    if (!parent) {
        node->m_visible = true;
        node->m_indent = ClsNode::kTopIndent;
    } else {
        // The new node goes after the parent's last descendant, before the
        // counts grow, so that the list stays in depth-first order.
        at = std::size_t(positionOf(parent)) + std::size_t(parent->m_allChildren);
        ++parent->m_children;
        for (ClsNode *ancestor = parent; ancestor; ancestor = parentOf(ancestor))
            ++ancestor->m_allChildren;
        node->m_indent = parent->m_indent + ClsNode::kIndentStep;
        // A child added under an open, shown node is shown at once; under a
        // closed one it waits until the parent is expanded.
        node->m_visible = parent->m_visible && parent->m_expanded;
    }

    ClsNode *added = node.get();
    m_nodes.insert(m_nodes.begin() + std::ptrdiff_t(at), std::move(node));
    m_byKey.insert(key, added);
    if (m_checkIntegrity)
        renumber();
    else
        added->m_itemNum = Count();
    emit changed(true);
    return added;
}

int ClsNodes::AddItems(const QString &relative, const std::vector<NewNode> &nodes, int backColor,
                       int foreColor)
{
    ClsNode *parent = nullptr;
    if (!relative.isEmpty()) {
        parent = nItem(relative);
        if (!parent)
            return 0;
    }
    std::vector<std::unique_ptr<ClsNode>> added;
    added.reserve(nodes.size());
    for (const NewNode &wanted : nodes) {
        if (wanted.key.isEmpty() || m_byKey.contains(wanted.key))
            continue;
        auto node =
            std::unique_ptr<ClsNode>(new ClsNode(this, wanted.key, wanted.caption, relative));
        node->m_backColor = backColor;
        node->m_foreColor = foreColor;
        node->m_icon = wanted.icon;
        if (!parent) {
            node->m_visible = true;
            node->m_indent = ClsNode::kTopIndent;
        } else {
            node->m_indent = parent->m_indent + ClsNode::kIndentStep;
            node->m_visible = parent->m_visible && parent->m_expanded;
        }
        m_byKey.insert(wanted.key, node.get());
        added.push_back(std::move(node));
    }
    if (added.empty())
        return 0;
    const int count = int(added.size());
    std::size_t at = m_nodes.size();
    if (parent) {
        at = std::size_t(positionOf(parent)) + std::size_t(parent->m_allChildren);
        parent->m_children += count;
        for (ClsNode *ancestor = parent; ancestor; ancestor = parentOf(ancestor))
            ancestor->m_allChildren += count;
    }
    m_nodes.insert(m_nodes.begin() + std::ptrdiff_t(at), std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
    if (m_checkIntegrity) {
        renumber();
    } else {
        // As one AddItem after another would number them.
        for (int k = 0; k < count; ++k)
            m_nodes[at + std::size_t(k)]->m_itemNum = Count() - count + k + 1;
    }
    emit changed(true);
    return count;
}

bool ClsNodes::Remove(const QString &key)
{
    ClsNode *node = nItem(key);
    if (!node)
        return false;
    const auto first = std::size_t(positionOf(node) - 1);
    // The subtree is found by depth rather than by AllChildren, so that a
    // host that changed counts by hand cannot make removal cut too much.
    std::size_t end = first + 1;
    while (end < m_nodes.size() && m_nodes[end]->m_indent > node->m_indent)
        ++end;
    const int removedCount = int(end - first);

    if (ClsNode *parent = parentOf(node)) {
        parent->m_children = std::max(parent->m_children - 1, 0);
        for (ClsNode *ancestor = parent; ancestor; ancestor = parentOf(ancestor))
            ancestor->m_allChildren = std::max(ancestor->m_allChildren - removedCount, 0);
    }
    for (std::size_t i = first; i < end; ++i)
        m_byKey.remove(m_nodes[i]->m_key);
    m_nodes.erase(m_nodes.begin() + std::ptrdiff_t(first), m_nodes.begin() + std::ptrdiff_t(end));
    renumber();
    emit removed();
    emit changed(true);
    return true;
}

void ClsNodes::Clear()
{
    const bool hadNodes = m_nodes.size() > 1;
    m_nodes.clear();
    m_byKey.clear();
    auto root =
        std::unique_ptr<ClsNode>(new ClsNode(this, {}, QString::fromLatin1(kRootCaption), {}));
    root->m_itemNum = 1;
    root->m_expanded = true;
    m_nodes.push_back(std::move(root));
    if (hadNodes) {
        emit removed();
        emit changed(true);
    }
}

ClsNode *ClsNodes::nItem(const QString &key) const
{
    return m_byKey.value(key, nullptr);
}

ClsNode *ClsNodes::nItem(int position) const
{
    if (position < 1 || position > Count())
        return nullptr;
    return m_nodes[std::size_t(position - 1)].get();
}

int ClsNodes::positionOf(const ClsNode *node) const
{
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (m_nodes[i].get() == node)
            return int(i) + 1;
    }
    return 0;
}

ClsNode *ClsNodes::parentOf(const ClsNode *node) const
{
    if (!node || node->m_relative.isEmpty())
        return nullptr;
    return nItem(node->m_relative);
}

void ClsNodes::updateVisibility()
{
    // In depth-first order a node is shown when its parent is shown and
    // expanded; the parent always comes first.
    for (std::size_t i = 1; i < m_nodes.size(); ++i) {
        ClsNode &node = *m_nodes[i];
        const ClsNode *parent = parentOf(&node);
        node.m_visible = !parent || (parent->m_visible && parent->m_expanded);
    }
}

void ClsNodes::renumber()
{
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        m_nodes[i]->m_itemNum = int(i) + 1;
}

} // namespace quillmoth
