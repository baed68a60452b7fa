#pragma once

#include "controls/m_wheel.h"
#include "controls/cls_nodes.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

class QScrollBar;

namespace quillmoth {

class MWheel;

// The owner-drawn tree of the bookshelf's folder list. Its nodes live in one
// depth-first list (Nodes()); the visible rows are drawn on an inner surface
// with expand glyphs, icons, tree lines, a selection and (optionally) a
// hover colour, and scroll with a scroll bar and the wheel. A left press on
// a row selects it and toggles its expansion.
//
// Colours are values R + 256 G + 65536 B (see colors.h).
class TreeBe : public QWidget {
    Q_OBJECT

public:
    explicit TreeBe(QWidget *parent = nullptr);
    ~TreeBe() override;

    // The node list. Changes to it redraw the tree.
    ClsNodes &Nodes() { return *m_nodes; }
    const ClsNodes &Nodes() const { return *m_nodes; }

    bool RightToLeft() const { return m_rightToLeft; }
    void setRightToLeft(bool on);
    int BackColor() const { return m_backColor; }
    void setBackColor(int color);
    int ForeColor() const { return m_foreColor; }
    void setForeColor(int color);
    int SelectedBackColor() const { return m_selectedBackColor; }
    void setSelectedBackColor(int color);
    int SelectedForeColor() const { return m_selectedForeColor; }
    void setSelectedForeColor(int color);
    bool CheckIntegrity() const;
    void setCheckIntegrity(bool on);
    bool ShowTreeLines() const { return m_showTreeLines; }
    void setShowTreeLines(bool on);
    // 0 solid tree lines, 1 dotted.
    int LineStyle() const { return m_lineStyle; }
    void setLineStyle(int style);
    // 0 classic: only the caption is highlighted, in a flat colour.
    // 1 full rows with a soft gradient.
    int TreeStyle() const { return m_treeStyle; }
    void setTreeStyle(int style);
    int HoverBackColor() const { return m_hoverBackColor; }
    void setHoverBackColor(int color);
    bool EnableHover() const { return m_enableHover; }
    void setEnableHover(bool on);
    // Expand and collapse glyphs; the tree draws its own when these are null.
    const QPixmap &PlusIcon() const { return m_plusIcon; }
    void setPlusIcon(const QPixmap &icon);
    const QPixmap &MinIcon() const { return m_minIcon; }
    void setMinIcon(const QPixmap &icon);

    // Row height: the height of a line of text in the font, at least 20.
    int LineHeight() const { return m_lineHeight; }
    // The previously selected node, nullptr when there is none (reset when
    // nodes are removed).
    ClsNode *OldSel() const;
    // The selected node, or nullptr.
    ClsNode *selectedNode() const;
    // Selects a node (nullptr clears the selection) and scrolls it into view.
    void setSelectedNode(ClsNode *node);

    // Lays the rows out again and redraws them.
    void Refresh();
    // Removes every node.
    void Clear();
    // The colour with its lightness (0 to 240) moved by delta; results above
    // 240 become 240 and below 40 become 40.
    static int SetLumi(int color, double delta);
    // Switches the wheel hook of the rows: false switches it off, true on.
    void setDisableWheel(bool hookOn);

    // The surface the rows are drawn on (it receives the mouse).
    QWidget *surface() const;
    QScrollBar *scrollBar() const { return m_scrollBar; }
    // The wheel hook on the surface.
    MWheel *wheel() const { return m_wheel; }
    // The node drawn at a point of the surface, or nullptr.
    ClsNode *nodeAt(const QPoint &surfacePoint);
    // The node's row on the surface; an empty rectangle when it is not shown.
    QRect rowRect(const ClsNode *node);

signals:
    // 1: a press on a node, with the mouse button.
    void nodeClick(ClsNode *node, Qt::MouseButton button);
    // 2: the node is expanded and is about to collapse.
    void nodeCollapse(ClsNode *node);
    // 3: the node is collapsed and is about to expand.
    void nodeExpand(ClsNode *node);
    // 4: a mouse button went up over the rows.
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);
    // 5: a press on the rows, before the node under it is looked for.
    void beforeClick(Qt::MouseButton button);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    class Surface;
    friend class Surface;

    struct Row {
        ClsNode *node = nullptr;
        bool hasNextSibling = false;
        bool hasPreviousSibling = false;
        bool showsChildren = false;
        // For each ancestor depth: whether its vertical line passes this row.
        std::vector<bool> guides;
    };

    void scheduleLayout();
    void ensureLayout();
    void placeSurface();
    void updateLineHeight();
    void onWheel(int rotation);
    int rowsThatFit() const;

    void surfacePaint(QPainter &painter);
    void paintRow(QPainter &painter, const Row &row, int top, int width);
    void paintGlyph(QPainter &painter, const QPoint &centre, bool expanded);
    void paintLines(QPainter &painter, const Row &row, int top, int width);
    void surfacePress(QMouseEvent *event);
    void surfaceMove(const QPoint &position);
    void surfaceLeave();
    bool surfaceToolTip(const QPoint &position, const QPoint &globalPosition);
    QRect buttonRect(const ClsNode *node, int top, int width) const;
    QRect mirrored(const QRect &rect, int width) const;
    int rowIndexAt(int y) const;
    void setHover(ClsNode *node);

    ClsNodes *m_nodes;
    Surface *m_surface;
    QScrollBar *m_scrollBar;
    MWheel *m_wheel;

    bool m_rightToLeft = false;
    int m_backColor = 0xFFFFFF;
    int m_foreColor = 0;
    int m_selectedBackColor = 0xFF0000;
    int m_selectedForeColor = 0xFFFFFF;
    bool m_showTreeLines = true;
    int m_lineStyle = 1;
    int m_treeStyle = 1;
    int m_hoverBackColor = 255;
    bool m_enableHover = false;
    QPixmap m_plusIcon;
    QPixmap m_minIcon;
    int m_lineHeight = 20;

    QString m_selectedKey;
    QString m_oldSelKey;
    QString m_hoverKey;
    bool m_hoverOnButton = false;
    NotchCounter m_notches;

    bool m_layoutDirty = true;
    bool m_layoutScheduled = false;
    std::vector<Row> m_rows;
};

} // namespace quillmoth
