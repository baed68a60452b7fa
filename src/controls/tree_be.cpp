#include "tree_be.h"

#include "controls/m_wheel.h"
#include "platform/colors.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace quillmoth {
namespace {

constexpr int kMinLineHeight = 20;
// The expand glyph sits centred this far left of a row's indent; the tree
// line of a node's children runs under the middle of its icon.
constexpr int kGlyphOffset = 12;
constexpr int kGlyphSize = 9;
constexpr int kIconSize = 16;
constexpr int kIconGap = 4;
constexpr int kButtonMargin = 4;

QColor color(int value)
{
    return colorFromValue(value, Qt::black);
}

} // namespace

// The picture surface the rows are drawn on; everything it receives goes to
// the tree.
class TreeBe::Surface final : public QWidget {
public:
    explicit Surface(TreeBe *tree) : QWidget(tree), m_tree(tree)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_tree->surfacePaint(painter);
    }
    void mousePressEvent(QMouseEvent *event) override { m_tree->surfacePress(event); }
    // The second press of a double click is not a new press: a double click
    // toggles a node once.
    void mouseDoubleClickEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        emit m_tree->mouseUp(event->button(), event->modifiers(), event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        m_tree->surfaceMove(event->position().toPoint());
    }
    void leaveEvent(QEvent *) override { m_tree->surfaceLeave(); }
    void wheelEvent(QWheelEvent *event) override
    {
        // Without the hook the rows do not scroll; the turn goes to the host.
        event->ignore();
    }
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip) {
            const auto *help = static_cast<QHelpEvent *>(event);
            if (!m_tree->surfaceToolTip(help->pos(), help->globalPos())) {
                QToolTip::hideText();
                event->ignore();
            }
            return true;
        }
        return QWidget::event(event);
    }

private:
    TreeBe *m_tree;
};

TreeBe::TreeBe(QWidget *parent)
    : QWidget(parent), m_nodes(new ClsNodes(this)), m_surface(new Surface(this)),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)), m_wheel(new MWheel(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->hide();
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::valueChanged, m_surface, qOverload<>(&QWidget::update));
    connect(m_nodes, &ClsNodes::changed, this, [this](bool layout) {
        if (layout)
            scheduleLayout();
        else
            m_surface->update();
    });
    connect(m_nodes, &ClsNodes::removed, this, [this] {
        m_oldSelKey.clear();
        if (!m_nodes->nItem(m_selectedKey))
            m_selectedKey.clear();
        if (!m_nodes->nItem(m_hoverKey))
            m_hoverKey.clear();
    });
    connect(m_wheel, &MWheel::WheelScroll, this,
            [this](int, int rotation, double, double) { onWheel(rotation); });
    updateLineHeight();
    m_wheel->setHWndCapture(m_surface);
    m_wheel->EnableWheel();
    resize(200, 300);
}

TreeBe::~TreeBe() = default;

QWidget *TreeBe::surface() const
{
    return m_surface;
}

void TreeBe::setRightToLeft(bool on)
{
    m_rightToLeft = on;
    placeSurface();
    m_surface->update();
}

void TreeBe::setBackColor(int value)
{
    m_backColor = value;
    update();
    m_surface->update();
}

void TreeBe::setForeColor(int value)
{
    m_foreColor = value;
    m_surface->update();
}

void TreeBe::setSelectedBackColor(int value)
{
    m_selectedBackColor = value;
    m_surface->update();
}

void TreeBe::setSelectedForeColor(int value)
{
    m_selectedForeColor = value;
    m_surface->update();
}

bool TreeBe::CheckIntegrity() const
{
    return m_nodes->checkIntegrity();
}

void TreeBe::setCheckIntegrity(bool on)
{
    m_nodes->setCheckIntegrity(on);
}

void TreeBe::setShowTreeLines(bool on)
{
    m_showTreeLines = on;
    m_surface->update();
}

void TreeBe::setLineStyle(int style)
{
    m_lineStyle = style;
    m_surface->update();
}

void TreeBe::setTreeStyle(int style)
{
    m_treeStyle = style;
    m_surface->update();
}

void TreeBe::setHoverBackColor(int value)
{
    m_hoverBackColor = value;
    m_surface->update();
}

void TreeBe::setEnableHover(bool on)
{
    m_enableHover = on;
    if (!on)
        setHover(nullptr);
    m_surface->update();
}

void TreeBe::setPlusIcon(const QPixmap &icon)
{
    m_plusIcon = icon;
    m_surface->update();
}

void TreeBe::setMinIcon(const QPixmap &icon)
{
    m_minIcon = icon;
    m_surface->update();
}

ClsNode *TreeBe::OldSel() const
{
    return m_nodes->nItem(m_oldSelKey);
}

ClsNode *TreeBe::selectedNode() const
{
    return m_nodes->nItem(m_selectedKey);
}

void TreeBe::setSelectedNode(ClsNode *node)
{
    ClsNode *previous = selectedNode();
    if (previous == node)
        return;
    if (previous) {
        previous->m_selected = false;
        m_oldSelKey = previous->key();
    }
    m_selectedKey.clear();
    if (node && m_nodes->positionOf(node) > 1) {
        node->m_selected = true;
        m_selectedKey = node->key();
        ensureLayout();
        for (int i = 0; i < int(m_rows.size()); ++i) {
            if (m_rows[std::size_t(i)].node != node)
                continue;
            if (i < m_scrollBar->value())
                m_scrollBar->setValue(i);
            else if (i >= m_scrollBar->value() + rowsThatFit())
                m_scrollBar->setValue(i - rowsThatFit() + 1);
            break;
        }
    }
    m_surface->update();
}

void TreeBe::Refresh()
{
    m_layoutDirty = true;
    ensureLayout();
    m_surface->update();
}

void TreeBe::Clear()
{
    m_selectedKey.clear();
    m_oldSelKey.clear();
    m_hoverKey.clear();
    m_nodes->Clear();
    m_scrollBar->setValue(0);
    Refresh();
}

int TreeBe::SetLumi(int value, double delta)
{
    HlsColor hls = rgbToHls(value);
    hls.lightness = std::clamp(int(std::lrint(hls.lightness + delta)), 40, kHlsMax);
    return hlsToRgb(hls);
}

void TreeBe::setDisableWheel(bool hookOn)
{
    if (hookOn)
        m_wheel->EnableWheel();
    else
        m_wheel->DisableWheel();
}

void TreeBe::resizeEvent(QResizeEvent *)
{
    Refresh();
}

void TreeBe::paintEvent(QPaintEvent *)
{
    // The frame around the surface.
    QPainter painter(this);
    painter.fillRect(rect(), color(m_backColor));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TreeBe::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        updateLineHeight();
        Refresh();
    }
    QWidget::changeEvent(event);
}

void TreeBe::updateLineHeight()
{
    m_lineHeight = std::max(kMinLineHeight, fontMetrics().height());
}

int TreeBe::rowsThatFit() const
{
    return std::max(1, m_surface->height() / m_lineHeight);
}

void TreeBe::scheduleLayout()
{
    m_layoutDirty = true;
    m_surface->update();
    if (m_layoutScheduled)
        return;
    // Hosts add hundreds of nodes in a row; the rows are laid out once
    // afterwards (or as soon as anything needs them).
    m_layoutScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_layoutScheduled = false;
        ensureLayout();
    });
}

void TreeBe::ensureLayout()
{
    if (!m_layoutDirty)
        return;
    m_layoutDirty = false;
    m_nodes->updateVisibility();

    // Which nodes have a later sibling, found walking the list backwards:
    // a node has one when a node of its depth came after it before any
    // shallower node did.
    const int count = m_nodes->Count();
    std::vector<bool> hasNext(std::size_t(count), false);
    std::vector<bool> seen;
    for (int position = count; position >= 2; --position) {
        const auto depth = std::size_t(std::max(m_nodes->nItem(position)->depth(), 0));
        if (seen.size() <= depth)
            seen.resize(depth + 1, false);
        hasNext[std::size_t(position - 1)] = seen[depth];
        seen[depth] = true;
        std::fill(seen.begin() + std::ptrdiff_t(depth) + 1, seen.end(), false);
    }

    m_rows.clear();
    std::vector<bool> open;
    bool topLevelSeen = false;
    for (int position = 2; position <= count; ++position) {
        ClsNode *node = m_nodes->nItem(position);
        const auto depth = std::size_t(std::max(node->depth(), 0));
        open.resize(depth + 1, false);
        open[depth] = hasNext[std::size_t(position - 1)];
        const bool previousSibling = depth > 0 || topLevelSeen;
        topLevelSeen = topLevelSeen || depth == 0;
        if (!node->Visable())
            continue;
        Row row;
        row.node = node;
        row.hasNextSibling = open[depth];
        row.hasPreviousSibling = previousSibling;
        row.guides.assign(open.begin(), open.begin() + std::ptrdiff_t(depth));
        const ClsNode *next = m_nodes->nItem(position + 1);
        row.showsChildren = node->Expanded() && next && next->depth() > node->depth() && next->Visable();
        m_rows.push_back(std::move(row));
    }
    placeSurface();
}

void TreeBe::placeSurface()
{
    const int hidden = std::max(0, int(m_rows.size()) - std::max(1, (height() - 2) / m_lineHeight));
    const bool needsBar = hidden > 0;
    const int barWidth = needsBar ? m_scrollBar->sizeHint().width() : 0;
    const int surfaceWidth = std::max(0, width() - 2 - barWidth);
    const int surfaceHeight = std::max(0, height() - 2);
    const int surfaceLeft = m_rightToLeft ? 1 + barWidth : 1;
    m_surface->setGeometry(surfaceLeft, 1, surfaceWidth, surfaceHeight);
    m_scrollBar->setVisible(needsBar);
    if (needsBar) {
        m_scrollBar->setGeometry(m_rightToLeft ? 1 : width() - 1 - barWidth, 1, barWidth,
                                 surfaceHeight);
    }
    m_scrollBar->setRange(0, hidden);
    m_scrollBar->setPageStep(rowsThatFit());
}

void TreeBe::onWheel(int rotation)
{
    if (!m_scrollBar->isVisible())
        return;
    const int notches = m_notches.add(rotation);
    m_scrollBar->setValue(m_scrollBar->value() - notches * QApplication::wheelScrollLines());
}

int TreeBe::rowIndexAt(int y) const
{
    if (y < 0)
        return -1;
    const int index = y / m_lineHeight + m_scrollBar->value();
    return index < int(m_rows.size()) ? index : -1;
}

ClsNode *TreeBe::nodeAt(const QPoint &surfacePoint)
{
    ensureLayout();
    if (!m_surface->rect().contains(surfacePoint))
        return nullptr;
    const int index = rowIndexAt(surfacePoint.y());
    return index < 0 ? nullptr : m_rows[std::size_t(index)].node;
}

QRect TreeBe::rowRect(const ClsNode *node)
{
    ensureLayout();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].node == node)
            return QRect(0, (int(i) - m_scrollBar->value()) * m_lineHeight, m_surface->width(),
                         m_lineHeight);
    }
    return {};
}

QRect TreeBe::mirrored(const QRect &rect, int width) const
{
    if (!m_rightToLeft)
        return rect;
    return QRect(width - rect.left() - rect.width(), rect.top(), rect.width(), rect.height());
}

QRect TreeBe::buttonRect(const ClsNode *node, int top, int width) const
{
    const QPixmap &picture = node->buttonPicture();
    if (picture.isNull())
        return {};
    const QSize size = picture.deviceIndependentSize().toSize();
    return mirrored(QRect(width - size.width() - kButtonMargin, top + (m_lineHeight - size.height()) / 2,
                          size.width(), size.height()),
                    width);
}

void TreeBe::surfacePaint(QPainter &painter)
{
    ensureLayout();
    const int width = m_surface->width();
    painter.fillRect(m_surface->rect(), color(m_backColor));
    painter.setFont(font());
    const int first = m_scrollBar->value();
    const int last = std::min(int(m_rows.size()), first + m_surface->height() / m_lineHeight + 1);
    for (int i = first; i < last; ++i)
        paintRow(painter, m_rows[std::size_t(i)], (i - first) * m_lineHeight, width);
}

void TreeBe::paintRow(QPainter &painter, const Row &row, int top, int width)
{
    const ClsNode &node = *row.node;
    const QRect rowArea(0, top, width, m_lineHeight);
    if (node.BackColor() != kNoColor)
        painter.fillRect(rowArea, color(node.BackColor()));

    const QFontMetrics metrics(font());
    const int textLeft = node.indent() + (node.Icon().isNull() ? 2 : kIconSize + kIconGap);
    const QRect buttonArea = buttonRect(&node, top, width);
    const int textRight = buttonArea.isNull() ? width - 2 : width - buttonArea.width() - 2 * kButtonMargin;
    const QString caption =
        metrics.elidedText(node.Caption(), Qt::ElideRight, std::max(0, textRight - textLeft));
    const QRect textArea(textLeft, top, metrics.horizontalAdvance(caption), m_lineHeight);

    const bool hovered = m_enableHover && node.HoverItem() && !node.Selected();
    if (node.Selected() || hovered) {
        const int base = node.Selected() ? m_selectedBackColor : m_hoverBackColor;
        if (m_treeStyle == 0) {
            painter.fillRect(mirrored(textArea.adjusted(-2, 1, 2, -1), width), color(base));
        } else {
            const QRect band = rowArea.adjusted(1, 0, -1, -1);
            QLinearGradient gradient(band.topLeft(), band.bottomLeft());
            gradient.setColorAt(0, color(SetLumi(base, 28)));
            gradient.setColorAt(1, color(base));
            painter.fillRect(band, gradient);
            painter.setPen(color(SetLumi(base, -20)));
            painter.drawRect(band.adjusted(0, 0, -1, 0));
        }
    }

    if (m_showTreeLines)
        paintLines(painter, row, top, width);
    if (node.Children() > 0) {
        const QPoint centre(node.indent() - kGlyphOffset, top + m_lineHeight / 2);
        paintGlyph(painter, centre, node.Expanded());
    }
    if (!node.Icon().isNull()) {
        QSize size = node.Icon().deviceIndependentSize().toSize();
        if (size.width() > kIconSize || size.height() > kIconSize)
            size.scale(kIconSize, kIconSize, Qt::KeepAspectRatio);
        const QRect iconArea(node.indent() + (kIconSize - size.width()) / 2,
                             top + (m_lineHeight - size.height()) / 2, size.width(), size.height());
        painter.drawPixmap(mirrored(iconArea, width), node.Icon());
    }

    int textColor = node.ForeColor() != kNoColor ? node.ForeColor() : m_foreColor;
    if (node.Selected())
        textColor = m_selectedForeColor;
    painter.setPen(color(textColor));
    painter.drawText(mirrored(textArea.adjusted(0, 0, 1, 0), width),
                     Qt::AlignVCenter | (m_rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextSingleLine,
                     caption);

    if (!buttonArea.isNull()) {
        const bool overButton = m_hoverOnButton && node.HoverItem() && !node.buttonPicture2().isNull();
        painter.drawPixmap(buttonArea, overButton ? node.buttonPicture2() : node.buttonPicture());
    }
}

void TreeBe::paintLines(QPainter &painter, const Row &row, int top, int width)
{
    QPen pen(QColor(0xA0, 0xA0, 0xA0));
    pen.setStyle(m_lineStyle == 0 ? Qt::SolidLine : Qt::DotLine);
    pen.setCosmetic(true);
    painter.save();
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto line = [&](int x1, int y1, int x2, int y2) {
        if (m_rightToLeft) {
            x1 = width - 1 - x1;
            x2 = width - 1 - x2;
        }
        painter.drawLine(x1, y1, x2, y2);
    };
    const ClsNode &node = *row.node;
    const int middle = top + m_lineHeight / 2;
    const int bottom = top + m_lineHeight - 1;
    const int column = node.indent() - kGlyphOffset;
    for (std::size_t depth = 0; depth < row.guides.size(); ++depth) {
        if (row.guides[depth]) {
            const int x = ClsNode::kTopIndent - kGlyphOffset + int(depth) * ClsNode::kIndentStep;
            line(x, top, x, bottom);
        }
    }
    if (row.hasPreviousSibling)
        line(column, top, column, middle);
    if (row.hasNextSibling)
        line(column, middle, column, bottom);
    line(column, middle, node.indent() - 2, middle);
    if (row.showsChildren) {
        const int childColumn = column + ClsNode::kIndentStep;
        line(childColumn, middle + (node.Icon().isNull() ? 0 : kIconSize / 2), childColumn, bottom);
    }
    painter.restore();
}

void TreeBe::paintGlyph(QPainter &painter, const QPoint &centre, bool expanded)
{
    const int width = m_surface->width();
    const QPoint at = m_rightToLeft ? QPoint(width - 1 - centre.x(), centre.y()) : centre;
    const QPixmap &custom = expanded ? m_minIcon : m_plusIcon;
    if (!custom.isNull()) {
        const QSize size = custom.deviceIndependentSize().toSize();
        painter.drawPixmap(at.x() - size.width() / 2, at.y() - size.height() / 2, custom);
        return;
    }
    const QRect box(at.x() - kGlyphSize / 2, at.y() - kGlyphSize / 2, kGlyphSize - 1, kGlyphSize - 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient face(box.topLeft(), box.bottomRight());
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(0xE4, 0xE4, 0xE4));
    painter.fillRect(box, face);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(box);
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawLine(box.left() + 2, at.y(), box.right() - 2, at.y());
    if (!expanded)
        painter.drawLine(at.x(), box.top() + 2, at.x(), box.bottom() - 2);
    painter.restore();
}

void TreeBe::surfacePress(QMouseEvent *event)
{
    const Qt::MouseButton button = event->button();
    emit beforeClick(button);
    ClsNode *node = nodeAt(event->position().toPoint());
    if (!node)
        return;
    // Only the left button selects and opens or closes; any button reports
    // the press, so that a host can offer a context action.
    if (button == Qt::LeftButton) {
        setSelectedNode(node);
        if (node->Expanded())
            emit nodeCollapse(node);
        else
            emit nodeExpand(node);
        // The handler of the signal may have removed the node.
        if (m_nodes->positionOf(node) == 0)
            return;
        node->setExpanded(!node->Expanded());
        Refresh();
    }
    emit nodeClick(node, button);
}

void TreeBe::setHover(ClsNode *node)
{
    ClsNode *previous = m_nodes->nItem(m_hoverKey);
    if (previous == node)
        return;
    if (previous)
        previous->m_hover = false;
    m_hoverKey = node ? node->key() : QString();
    if (node)
        node->m_hover = true;
    m_surface->update();
}

void TreeBe::surfaceMove(const QPoint &position)
{
    ClsNode *node = nodeAt(position);
    const QRect row = node ? rowRect(node) : QRect();
    const bool onButton = node && buttonRect(node, row.top(), m_surface->width()).contains(position);
    if (onButton != m_hoverOnButton) {
        m_hoverOnButton = onButton;
        m_surface->update();
    }
    // The hover flag also drives the button's picture, so it follows the
    // pointer even when the hover colour is off.
    setHover(node);
}

void TreeBe::surfaceLeave()
{
    m_hoverOnButton = false;
    setHover(nullptr);
}

bool TreeBe::surfaceToolTip(const QPoint &position, const QPoint &globalPosition)
{
    ClsNode *node = nodeAt(position);
    if (!node || node->ButtonToolTip().isEmpty())
        return false;
    const QRect row = rowRect(node);
    const QRect button = buttonRect(node, row.top(), m_surface->width());
    if (!button.contains(position))
        return false;
    QToolTip::showText(globalPosition, node->ButtonToolTip(), m_surface, button);
    return true;
}

} // namespace quillmoth
