#pragma once

#include "cls_node.h"

#include <QHash>
#include <QObject>

#include <memory>
#include <vector>

namespace quillmoth {

// The ordered node list of a TreeBe with keyed lookup. The list is kept in
// depth-first order: a node's descendants follow it directly. Position 1 is
// a hidden root ("First-Hidden-Node") that is never drawn; every real node
// comes after it.
class ClsNodes final : public QObject {
    Q_OBJECT

public:
    static constexpr const char *kRootCaption = "First-Hidden-Node";

    explicit ClsNodes(QObject *parent = nullptr);
    ~ClsNodes() override;

    // When on (the default), every node's ItemNum is renumbered after each
    // insertion; when off, only the new node gets ItemNum = Count().
    bool checkIntegrity() const { return m_checkIntegrity; }
    void setCheckIntegrity(bool on) { m_checkIntegrity = on; }

    // Adds a node: at the end of the list when `relative` is empty, otherwise
    // directly after the last descendant of the node with that key. Returns
    // the new node, or nullptr (and changes nothing) when the key is empty or
    // taken, or when no node has the relative's key. A kNoColor mask colour,
    // an empty tooltip and null pictures leave those fields unset.
    ClsNode *AddItem(const QString &key, const QString &caption, const QString &relative = {},
                     int backColor = kNoColor, int foreColor = kNoColor, const QPixmap &icon = {},
                     const QString &buttonToolTip = {}, const QPixmap &buttonPicture = {},
                     const QPixmap &buttonPicture2 = {}, int buttonMaskColor = kNoColor);

    // A node for AddItems: its key, caption and icon.
    struct NewNode {
        QString key;
        QString caption;
        QPixmap icon;
    };
    // Adds many nodes in one step, in order, as AddItem would one by one
    // (under `relative`, or at the end when it is empty), renumbering and
    // telling the tree once; a folder of ten thousand books is not quadratic.
    // Nodes with an empty or taken key are skipped. Returns how many were
    // added; none when no node has the relative's key.
    int AddItems(const QString &relative, const std::vector<NewNode> &nodes,
                 int backColor = kNoColor, int foreColor = kNoColor);

    // Removes the node and all its descendants; every ancestor's counts drop
    // by what was removed and the positions close the gap. False when no
    // node has the key.
    bool Remove(const QString &key);

    // Removes every node but the hidden root.
    void Clear();

    // The node with the key, or nullptr.
    ClsNode *nItem(const QString &key) const;
    // The node at a 1-based position, or nullptr.
    ClsNode *nItem(int position) const;
    // Number of nodes, the hidden root included.
    int Count() const { return int(m_nodes.size()); }

    // The 1-based position of a node in the list (whatever its ItemNum
    // says), or 0 when the node is not in the list.
    int positionOf(const ClsNode *node) const;

    // The node's parent, or nullptr for a top-level node.
    ClsNode *parentOf(const ClsNode *node) const;

    // Recomputes every node's Visable from the Expanded state of its
    // ancestors.
    void updateVisibility();

    // Enumeration in list order, the hidden root first.
    class Iterator {
    public:
        using Base = std::vector<std::unique_ptr<ClsNode>>::const_iterator;
        explicit Iterator(Base base) : m_base(base) {}
        ClsNode &operator*() const { return **m_base; }
        ClsNode *operator->() const { return m_base->get(); }
        Iterator &operator++()
        {
            ++m_base;
            return *this;
        }
        bool operator==(const Iterator &other) const = default;

    private:
        Base m_base;
    };
    Iterator begin() const { return Iterator(m_nodes.cbegin()); }
    Iterator end() const { return Iterator(m_nodes.cend()); }

signals:
    // The list or a node changed; `layout` when rows may have moved, appeared
    // or gone, otherwise only their look changed.
    void changed(bool layout);
    // Nodes were removed (by Remove or Clear).
    void removed();

private:
    friend class ClsNode;
    void nodeChanged(bool layout) { emit changed(layout); }
    void renumber();

    std::vector<std::unique_ptr<ClsNode>> m_nodes;
    QHash<QString, ClsNode *> m_byKey;
    bool m_checkIntegrity = true;
};

} // namespace quillmoth
