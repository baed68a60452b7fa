#include "cls_uni_tool_tip.h"

#include "platform/colors.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace quillmoth {
namespace {

constexpr int kIconSize = 16;
constexpr int kStemHeight = 12;
constexpr int kStemHalfWidth = 8;
constexpr int kBalloonRadius = 8;
// The stem sits this far from the balloon's near edge.
constexpr int kStemInset = 18;
constexpr int kPointerHeight = 20;
constexpr int kDefaultVisibleTime = 5000;
constexpr int kDefaultDelayTime = 300;

} // namespace

// The window that shows a tip: a rectangle, or a rounded balloon with a stem
// pointing at the widget or the pointer.
class TipWindow final : public QWidget {
public:
    struct Content {
        QString text;
        QString title;
        int icon = 0;
        QColor foreground;
        QColor background;
        bool balloon = false;
        bool multiLine = true;
    };

    TipWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFont(QToolTip::font());
    }

    void setContent(const Content &content)
    {
        m_content = content;
        resize(contentSize() + QSize(0, m_content.balloon ? kStemHeight : 0));
        updateShape();
        update();
    }
    const Content &content() const { return m_content; }

    // Where the stem's point lies, relative to the window; the stem is on the
    // top edge or, with `stemBelow`, on the bottom edge.
    void setStem(int x, bool stemBelow)
    {
        m_stemX = x;
        m_stemBelow = stemBelow;
        updateShape();
        update();
    }

    QStringList lines() const
    {
        QString text = m_content.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        if (!m_content.multiLine)
            return {text.replace(u'\n', u' ')};
        return text.split(u'\n');
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect body = bodyRect();
        const QColor edge = m_content.foreground.lightness() < 128 ? QColor(0x76, 0x76, 0x76)
                                                                    : m_content.foreground;
        if (m_content.balloon) {
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.fillRect(rect(), m_content.background);
            painter.setPen(QPen(edge, 1));
            painter.setBrush(m_content.background);
            painter.drawPath(outline().translated(0.5, 0.5));
            painter.setRenderHint(QPainter::Antialiasing, false);
        } else {
            painter.fillRect(rect(), m_content.background);
            painter.setPen(edge);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }

        const QMargins pad = padding();
        int y = body.top() + pad.top();
        const int left = body.left() + pad.left();
        if (!m_content.title.isEmpty()) {
            QFont bold = font();
            bold.setBold(true);
            const int lineHeight = std::max(QFontMetrics(bold).height(), kIconSize);
            int x = left;
            const QIcon icon = titleIcon();
            if (!icon.isNull()) {
                icon.paint(&painter, QRect(x, y + (lineHeight - kIconSize) / 2, kIconSize, kIconSize));
                x += kIconSize + 4;
            }
            painter.setFont(bold);
            painter.setPen(m_content.foreground);
            painter.drawText(QRect(x, y, body.right() - x, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_content.title);
            y += lineHeight + 4;
        }
        painter.setFont(font());
        painter.setPen(m_content.foreground);
        const QFontMetrics metrics(font());
        for (const QString &line : lines()) {
            painter.drawText(QRect(left, y, body.right() - left, metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs,
                             line);
            y += metrics.height();
        }
    }

private:
    QMargins padding() const
    {
        return m_content.balloon ? QMargins(10, 7, 10, 8) : QMargins(5, 3, 5, 3);
    }

    QIcon titleIcon() const
    {
        switch (m_content.icon) {
        case 1:
        case 4: return style()->standardIcon(QStyle::SP_MessageBoxInformation);
        case 2:
        case 5: return style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case 3:
        case 6: return style()->standardIcon(QStyle::SP_MessageBoxCritical);
        default: return {};
        }
    }

    QSize contentSize() const
    {
        const QFontMetrics metrics(font());
        int textWidth = 0;
        const QStringList all = lines();
        for (const QString &line : all)
            textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
        int height = int(all.size()) * metrics.height();
        if (!m_content.title.isEmpty()) {
            QFont bold = font();
            bold.setBold(true);
            const QFontMetrics boldMetrics(bold);
            int titleWidth = boldMetrics.horizontalAdvance(m_content.title);
            if (!titleIcon().isNull())
                titleWidth += kIconSize + 4;
            textWidth = std::max(textWidth, titleWidth);
            height += std::max(boldMetrics.height(), kIconSize) + 4;
        }
        const QMargins pad = padding();
        QSize size(textWidth + pad.left() + pad.right() + 1, height + pad.top() + pad.bottom());
        if (m_content.balloon)
            size = size.expandedTo(QSize(2 * kStemInset + 2 * kStemHalfWidth, 0));
        return size;
    }

    QRect bodyRect() const
    {
        if (!m_content.balloon)
            return rect();
        return rect().adjusted(0, m_stemBelow ? 0 : kStemHeight, 0, m_stemBelow ? -kStemHeight : 0);
    }

    QPainterPath outline() const
    {
        const QRectF body = QRectF(bodyRect()).adjusted(0, 0, -1, -1);
        QPainterPath path;
        path.addRoundedRect(body, kBalloonRadius, kBalloonRadius);
        const double stemX = std::clamp(double(m_stemX), body.left() + kBalloonRadius + kStemHalfWidth,
                                        body.right() - kBalloonRadius - kStemHalfWidth);
        QPolygonF stem;
        if (m_stemBelow) {
            stem << QPointF(stemX - kStemHalfWidth, body.bottom() - 1) << QPointF(m_stemX, height() - 1)
                 << QPointF(stemX + kStemHalfWidth, body.bottom() - 1);
        } else {
            stem << QPointF(stemX - kStemHalfWidth, body.top() + 1) << QPointF(m_stemX, 0)
                 << QPointF(stemX + kStemHalfWidth, body.top() + 1);
        }
        QPainterPath stemPath;
        stemPath.addPolygon(stem);
        stemPath.closeSubpath();
        return path.united(stemPath);
    }

    void updateShape()
    {
        // A mask rather than translucency, so that the balloon keeps its
        // shape on desktops without a compositor.
        if (m_content.balloon)
            setMask(QRegion(outline().toFillPolygon().toPolygon()).united(QRegion(bodyRect().adjusted(2, 2, -2, -2))));
        else
            clearMask();
    }

    Content m_content;
    int m_stemX = kStemInset + kStemHalfWidth;
    bool m_stemBelow = false;
};

clsUniToolTip::clsUniToolTip(QObject *parent)
    : QObject(parent), m_delayTimer(new QTimer(this)), m_visibleTimer(new QTimer(this))
{
    m_delayTimer->setSingleShot(true);
    m_visibleTimer->setSingleShot(true);
    connect(m_delayTimer, &QTimer::timeout, this, [this] { showTip(m_lastPointer); });
    connect(m_visibleTimer, &QTimer::timeout, this, &clsUniToolTip::hideTip);
}

clsUniToolTip::~clsUniToolTip()
{
    Destroy();
}

bool clsUniToolTip::Create(QWidget *owner)
{
    Destroy();
    if (!owner)
        return false;
    m_owner = owner;
    m_window = std::make_unique<TipWindow>();
    TipWindow::Content content;
    content.text = m_tipText;
    if (!m_title.isEmpty() || m_icon != 0) {
        content.title = m_title;
        content.icon = m_icon;
    }
    content.balloon = m_style == 1;
    m_createdCentred = m_centered;
    content.multiLine = m_multiLine;
    m_window->setContent(content);
    refreshWindow();
    m_delayTimer->setInterval(m_delayTime >= 0 ? m_delayTime : kDefaultDelayTime);
    m_visibleTimer->setInterval(m_visibleTime > 0 ? m_visibleTime : kDefaultVisibleTime);
    owner->installEventFilter(this);
    connect(owner, &QObject::destroyed, this, &clsUniToolTip::Destroy);
    m_suppressed = false;
    return true;
}

void clsUniToolTip::Destroy()
{
    m_delayTimer->stop();
    m_visibleTimer->stop();
    if (m_owner) {
        m_owner->removeEventFilter(this);
        disconnect(m_owner, &QObject::destroyed, this, &clsUniToolTip::Destroy);
    }
    m_owner = nullptr;
    m_window.reset();
}

QWidget *clsUniToolTip::tipWindow() const
{
    return m_window.get();
}

void clsUniToolTip::setIcon(int icon)
{
    m_icon = icon;
    setTitle(m_title);
}

void clsUniToolTip::setTitle(const QString &title)
{
    m_title = title;
    if (!m_window || m_icon == 0 || m_title.isEmpty())
        return;
    TipWindow::Content content = m_window->content();
    content.title = m_title;
    content.icon = m_icon;
    m_window->setContent(content);
}

void clsUniToolTip::setForeColor(int value)
{
    m_foreColor = value;
    refreshWindow();
}

void clsUniToolTip::setBackColor(int value)
{
    m_backColor = value;
    refreshWindow();
}

void clsUniToolTip::setTipText(const QString &text)
{
    m_tipText = text;
    if (!m_window)
        return;
    TipWindow::Content content = m_window->content();
    content.text = text;
    m_window->setContent(content);
    if (text.isEmpty())
        hideTip();
}

void clsUniToolTip::refreshWindow()
{
    if (!m_window)
        return;
    TipWindow::Content content = m_window->content();
    const QPalette palette = QToolTip::palette();
    // 0 (and "no colour") keep the system's tooltip colours.
    const QColor systemText = palette.color(QPalette::ToolTipText);
    const QColor systemBase = palette.color(QPalette::ToolTipBase);
    content.foreground = m_foreColor != 0 ? colorFromValue(m_foreColor, systemText) : systemText;
    content.background = m_backColor != 0 ? colorFromValue(m_backColor, systemBase) : systemBase;
    m_window->setContent(content);
}

void clsUniToolTip::showTip(const QPoint &globalPosition)
{
    if (!m_window || !m_owner || m_window->content().text.isEmpty())
        return;
    const bool balloon = m_window->content().balloon;
    const bool centred = m_createdCentred;
    const QSize size = m_window->size();

    // The point the tip belongs to, and the gap between it and the tip.
    QPoint anchor = globalPosition;
    int gap = balloon ? 0 : kPointerHeight;
    if (centred) {
        const QRect owner(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size());
        anchor = QPoint(owner.center().x(), owner.bottom() + 1);
        gap = balloon ? 0 : 2;
    }
    QScreen *screen = QGuiApplication::screenAt(anchor);
    if (!screen)
        screen = m_owner->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(anchor, size);

    int x = centred || balloon ? anchor.x() - (centred ? size.width() / 2 : kStemInset + kStemHalfWidth)
                               : anchor.x();
    int y = anchor.y() + gap;
    bool stemBelow = false;
    if (y + size.height() > available.bottom() + 1) {
        // No room below: above the point instead.
        const int aboveGap = balloon ? 0 : (centred ? m_owner->height() + 2 : 2);
        y = anchor.y() - aboveGap - size.height();
        stemBelow = true;
    }
    x = std::clamp(x, available.left(), std::max(available.left(), available.right() + 1 - size.width()));
    y = std::max(y, available.top());
    if (balloon)
        m_window->setStem(anchor.x() - x, stemBelow);
    m_window->move(x, y);
    m_window->show();
    m_window->raise();
    m_visibleTimer->start();
}

void clsUniToolTip::hideTip()
{
    m_delayTimer->stop();
    m_visibleTimer->stop();
    if (m_window)
        m_window->hide();
}

bool clsUniToolTip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_owner)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        m_suppressed = false;
        m_lastPointer = static_cast<QEnterEvent *>(event)->globalPosition().toPoint();
        m_delayTimer->start();
        break;
    case QEvent::MouseMove:
        m_lastPointer = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        // The pointer must rest for the delay before the tip shows.
        if (!m_suppressed && m_window && !m_window->isVisible())
            m_delayTimer->start();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
        m_suppressed = false;
        hideTip();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        // A click dismisses the tip until the pointer comes back.
        m_suppressed = true;
        hideTip();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillmoth
