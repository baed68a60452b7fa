#pragma once

#include "platform/colors.h"

#include <QPixmap>
#include <QString>

namespace quillmoth {

class ClsNodes;

// One row of a TreeBe: what it shows and where it stands in the node list.
// The list (ClsNodes) owns its nodes and keeps the counts, the position and
// the visibility right; a change through a setter here redraws the tree.
class ClsNode final {
public:
    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // The unique key (the folder path when the tree shows folders).
    const QString &key() const { return m_key; }
    // The parent's key; "" for a top-level node.
    const QString &Relative() const { return m_relative; }

    // Number of direct children. The host may raise it for a node whose
    // children are not loaded yet, so that the node shows an expand glyph.
    int Children() const { return m_children; }
    void setChildren(int count);
    // Number of all descendants.
    int AllChildren() const { return m_allChildren; }
    // 1-based position in the node list (renumbered on every change when
    // the tree's CheckIntegrity is on).
    int ItemNum() const { return m_itemNum; }

    // The row is shown: every ancestor is expanded.
    bool Visable() const { return m_visible; }
    bool Selected() const { return m_selected; }
    bool HoverItem() const { return m_hover; }
    bool Expanded() const { return m_expanded; }
    // Opens or closes the node without the tree's click signals.
    void setExpanded(bool expanded);

    const QPixmap &Icon() const { return m_icon; }
    void setIcon(const QPixmap &icon);

    const QString &ButtonToolTip() const { return m_buttonToolTip; }
    void setButtonToolTip(const QString &text) { m_buttonToolTip = text; }
    // Colour of the button pictures that is drawn transparent; kNoColor for none.
    int ButtonMaskColor() const { return m_buttonMaskColor; }
    void setButtonMaskColor(int color);
    // The node's button at the right end of its row, and its look under the pointer.
    const QPixmap &buttonPicture() const { return m_buttonPicture; }
    const QPixmap &buttonPicture2() const { return m_buttonPicture2; }
    void setButtonPictures(const QPixmap &picture, const QPixmap &hoverPicture);

    // Row colours; kNoColor uses the tree's colours.
    int BackColor() const { return m_backColor; }
    void setBackColor(int color);
    int ForeColor() const { return m_foreColor; }
    void setForeColor(int color);

    // Left edge of the row's content in pixels: 30 at the top level, the
    // parent's indent + 20 below it.
    int indent() const { return m_indent; }
    // 0 at the top level.
    int depth() const { return (m_indent - kTopIndent) / kIndentStep; }

    static constexpr int kTopIndent = 30;
    static constexpr int kIndentStep = 20;

private:
    friend class ClsNodes;
    friend class TreeBe;

    ClsNode(ClsNodes *owner, QString key, QString caption, QString relative);
    void changed(bool layout);

    ClsNodes *m_owner;
    QString m_key;
    QString m_caption;
    QString m_relative;
    int m_children = 0;
    int m_allChildren = 0;
    int m_itemNum = 0;
    bool m_visible = false;
    bool m_selected = false;
    bool m_hover = false;
    bool m_expanded = false;
    QPixmap m_icon;
    QString m_buttonToolTip;
    int m_buttonMaskColor = kNoColor;
    QPixmap m_buttonPicture;
    QPixmap m_buttonPicture2;
    int m_backColor = kNoColor;
    int m_foreColor = kNoColor;
    int m_indent = kTopIndent;
};

} // namespace quillmoth
