#include "easy_button.h"

#include "platform/colors.h"
#include "platform/text_drawing.h"
#include "platform/wave_player.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QTimer>

namespace quillmoth {
namespace {

constexpr int kHoverInterval = 10;
constexpr int kMarkSize = 14;
constexpr int kMarkLeft = 5;
constexpr int kBorderColor = 0xCFCFCF;
constexpr int kRaisedShadowColor = 0x909090;
constexpr int kPressedFlatColor = 255;
// A sound file larger than this is refused rather than read into memory.
constexpr qint64 kMaxSoundFileSize = 64 * 1024 * 1024;

QColor color(int value)
{
    return colorFromValue(value, Qt::black);
}

// The character after the first "&" that is not doubled ("&&" is a plain "&").
QString accessKeyOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption.mid(i + 1, 1);
    }
    return {};
}

Qt::CursorShape cursorShape(int pointer)
{
    switch (pointer) {
    case 1: return Qt::ArrowCursor;
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5:
    case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

EasyButton::EasyButton(QWidget *parent) : QWidget(parent), m_hoverTimer(new QTimer(this))
{
    m_hoverTimer->setInterval(kHoverInterval);
    connect(m_hoverTimer, &QTimer::timeout, this, &EasyButton::hoverTick);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    resize(sizeHint());
    loadSound();
}

EasyButton::~EasyButton() = default;

int EasyButton::textFormat(int align)
{
    using namespace TextFormat;
    constexpr int kOneLine = kSingleLine | kNoClip;
    switch (align) {
    case 0: return kCenter | kVerticalCenter | kOneLine;
    case 1: return kCenter | kTop | kOneLine;
    case 2: return kCenter | kBottom | kOneLine;
    case 3: return kLeft | kVerticalCenter | kOneLine;
    case 4: return kLeft | kTop | kOneLine;
    case 5: return kLeft | kBottom | kOneLine;
    case 6: return kRight | kVerticalCenter | kOneLine;
    case 7: return kRight | kTop | kOneLine;
    case 8: return kRight | kBottom | kOneLine;
    case 9: return kWordBreak;
    default: return 0;
    }
}

void EasyButton::setAlign(int align)
{
    m_align = align;
    update();
}

void EasyButton::setCaption(const QString &caption)
{
    m_caption = caption;
    const QString key = accessKeyOf(caption);
    if (!key.isEmpty())
        setAccessKey(key);
    updateGeometry();
    update();
}

void EasyButton::setBackColor(int value)
{
    m_backColor = value;
    update();
}

void EasyButton::setForeColor(int value)
{
    m_foreColor = value;
    update();
}

void EasyButton::setPicture(const QImage &skin)
{
    m_skin = skin.isNull() ? QImage() : skin.convertToFormat(QImage::Format_ARGB32);
    update();
}

void EasyButton::setMouseIcon(const QPixmap &icon)
{
    m_mouseIcon = icon;
    updateCursor();
}

void EasyButton::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    updateCursor();
}

void EasyButton::updateCursor()
{
    if (m_mousePointer == 99 && !m_mouseIcon.isNull())
        setCursor(QCursor(m_mouseIcon));
    else if (m_mousePointer == 0)
        unsetCursor();
    else
        setCursor(cursorShape(m_mousePointer));
}

void EasyButton::setAccessKey(const QString &key)
{
    m_accessKey = key.left(1);
    updateShortcut();
}

void EasyButton::updateShortcut()
{
    delete m_shortcut;
    m_shortcut = nullptr;
    if (m_accessKey.isEmpty())
        return;
    const QKeySequence sequence(QStringLiteral("Alt+") + m_accessKey.toUpper());
    if (sequence.isEmpty())
        return;
    m_shortcut = new QShortcut(sequence, this);
    connect(m_shortcut, &QShortcut::activated, this, [this] {
        if (!isEnabled() || !isVisible())
            return;
        toggleByStyle();
        playAndClick();
    });
}

void EasyButton::setUseSound(int mode)
{
    m_useSound = mode;
    loadSound();
}

void EasyButton::setSoundFileName(const QString &path)
{
    const auto switchOff = [this] {
        m_useSound = 0;
        m_soundFileName.clear();
        m_sound.clear();
    };
    if (path.trimmed().isEmpty()) {
        switchOff();
        return;
    }
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        switchOff();
        showError(QStringLiteral("File not found"));
        return;
    }
    QFile file(path);
    if (info.size() > kMaxSoundFileSize || !file.open(QIODevice::ReadOnly)) {
        switchOff();
        showError(QStringLiteral("The sound file cannot be read: ") + path);
        return;
    }
    m_soundFileName = path;
    m_sound = file.readAll();
}

void EasyButton::loadSound()
{
    if (m_useSound == 1) {
        GetBytes();
    } else if (m_useSound == 2) {
        if (m_soundFileName.isEmpty()) {
            m_useSound = 0;
            m_sound.clear();
        } else {
            // Read afresh: the file may have changed since it was chosen.
            setSoundFileName(m_soundFileName);
        }
    } else {
        m_sound.clear();
    }
}

void EasyButton::GetBytes()
{
    m_sound = clickWave();
}

void EasyButton::showError(const QString &text)
{
    // Shown without waiting, so that a setter never blocks its caller.
    auto *box = new QMessageBox(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                                QMessageBox::Ok, window());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void EasyButton::setBGstyle(int style)
{
    m_bgStyle = style;
    if (isFlat())
        m_hoverTimer->stop();
    setLook(NormalLook);
    update();
}

void EasyButton::setBtnStyle(int style)
{
    m_btnStyle = style;
    m_hoverTimer->stop();
    setLook(NormalLook);
    update();
}

void EasyButton::setOptValue(bool selected)
{
    if (selected && parentWidget()) {
        const auto siblings = parentWidget()->findChildren<EasyButton *>(Qt::FindDirectChildrenOnly);
        for (EasyButton *other : siblings) {
            if (other != this && other->BtnStyle() == 3)
                other->UncheckOption();
        }
    }
    Set_tmpOptValue(selected);
}

void EasyButton::setChkValue(bool checked)
{
    m_chkValue = checked;
    update();
}

void EasyButton::setBorderStyle(int style)
{
    m_borderStyle = style;
    update();
}

void EasyButton::Set_tmpOptValue(bool selected)
{
    m_optValue = selected;
    update();
}

void EasyButton::UncheckOption()
{
    Set_tmpOptValue(false);
}

void EasyButton::setWavePlayer(std::shared_ptr<WavePlayer> player)
{
    m_player = std::move(player);
}

bool EasyButton::isTracking() const
{
    return m_hoverTimer->isActive();
}

bool EasyButton::isInside(const QPoint &point) const
{
    if (!rect().contains(point))
        return false;
    if (!hasSkin())
        return true;
    // The fourth frame is the hit mask: black is inside.
    const QPoint maskPoint(point.x(), 3 * (m_skin.height() / 4) + point.y());
    if (point.x() >= m_skin.width() || point.y() >= m_skin.height() / 4)
        return false;
    const QRgb pixel = m_skin.pixel(maskPoint);
    return qAlpha(pixel) != 0 && (pixel & 0xFFFFFF) == 0;
}

QSize EasyButton::sizeHint() const
{
    if (hasSkin())
        return QSize(m_skin.width(), m_skin.height() / 4);
    const QFontMetrics metrics(font());
    QString shown = m_caption;
    shown.remove(u'&');
    const int markRoom = (m_btnStyle == 2 || m_btnStyle == 3) ? kMarkLeft + kMarkSize + 6 : 0;
    return QSize(std::max(75, metrics.horizontalAdvance(shown) + 16 + markRoom),
                 std::max(23, metrics.height() + 8));
}

void EasyButton::setLook(Look look)
{
    if (m_look == look)
        return;
    m_look = look;
    update();
}

void EasyButton::trackPointer(const QPoint &local)
{
    const bool inside = isInside(local);
    if (m_btnStyle != 0)
        return;
    if (inside)
        setLook(m_leftDownInside ? PressedLook : (isFlat() ? NormalLook : HoverLook));
    else if (m_leftDownInside)
        setLook(isFlat() ? PressedLook : HoverLook);
    else {
        m_hoverTimer->stop();
        setLook(NormalLook);
    }
}

void EasyButton::hoverTick()
{
    trackPointer(mapFromGlobal(QCursor::pos()));
}

void EasyButton::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (!isInside(position)) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_leftDownInside = true;
        if (focusPolicy() != Qt::NoFocus)
            setFocus(Qt::MouseFocusReason);
        if (m_btnStyle == 0) {
            setLook(PressedLook);
            if (!isFlat())
                m_hoverTimer->start();
        }
    }
    emit MouseDown(event->button(), event->modifiers(), position);
}

void EasyButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click clicks again, as a press does.
    mousePressEvent(event);
}

void EasyButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const bool inside = isInside(position);
    if (!inside && !m_leftDownInside) {
        trackPointer(position);
        return;
    }
    emit MouseMove(event->buttons(), event->modifiers(), position);
    if (m_btnStyle == 0 && !isFlat() && inside && !m_hoverTimer->isActive())
        m_hoverTimer->start();
    trackPointer(position);
}

void EasyButton::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() != Qt::LeftButton) {
        if (isInside(position))
            emit MouseUp(event->button(), event->modifiers(), position);
        return;
    }
    const bool clicked = m_leftDownInside && isInside(position);
    m_leftDownInside = false;
    if (m_btnStyle == 0) {
        if (clicked)
            setLook(isFlat() ? NormalLook : HoverLook);
        else
            trackPointer(position);
    }
    if (clicked)
        toggleByStyle();
    emit MouseUp(event->button(), event->modifiers(), position);
    if (clicked)
        playAndClick();
}

void EasyButton::leaveEvent(QEvent *)
{
    if (!m_leftDownInside) {
        m_hoverTimer->stop();
        setLook(NormalLook);
    }
}

void EasyButton::toggleByStyle()
{
    if (m_btnStyle == 2) {
        setChkValue(!m_chkValue);
    } else if (m_btnStyle == 3) {
        // A click on a selected option button clears it.
        const bool selected = !m_optValue;
        setOptValue(selected);
    }
}

void EasyButton::playAndClick()
{
    if (m_useSound > 0 && !m_sound.isEmpty()) {
        if (!m_player)
            m_player = std::make_shared<WavePlayer>();
        m_player->play(m_sound);
    }
    emit Click();
}

void EasyButton::keyPressEvent(QKeyEvent *event)
{
    emit KeyDown(event->key(), event->modifiers());
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        m_keyDown = true;
        if (m_btnStyle == 0)
            setLook(PressedLook);
        return;
    }
    QWidget::keyPressEvent(event);
}

void EasyButton::keyReleaseEvent(QKeyEvent *event)
{
    emit KeyUp(event->key(), event->modifiers());
    if (m_keyDown && !event->isAutoRepeat() &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter)) {
        m_keyDown = false;
        setLook(NormalLook);
        toggleByStyle();
        playAndClick();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void EasyButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_hoverTimer->stop();
        m_leftDownInside = false;
        m_keyDown = false;
        m_look = NormalLook;
    }
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

void EasyButton::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void EasyButton::focusOutEvent(QFocusEvent *event)
{
    m_keyDown = false;
    if (m_look == PressedLook && !m_leftDownInside)
        setLook(NormalLook);
    update();
    QWidget::focusOutEvent(event);
}

void EasyButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintFace(painter);
    paintMark(painter);

    const QString caption = m_caption.trimmed();
    if (caption.isEmpty())
        return;
    const bool marked = m_btnStyle == 2 || m_btnStyle == 3;
    QRect textArea(marked ? 20 : 2, 0, width() - (marked ? 20 : 2), height());
    if (m_look == PressedLook && m_btnStyle == 0 && !isFlat() && !hasSkin())
        textArea.translate(1, 1);
    const bool grey = !isEnabled() && m_bgStyle == 0;
    painter.setPen(grey ? palette().color(QPalette::Disabled, QPalette::WindowText) : color(m_foreColor));
    painter.setFont(font());
    drawFormattedText(painter, textArea, m_caption, textFormat(m_align));

    if (hasFocus() && (focusPolicy() & Qt::TabFocus) && m_btnStyle != 1) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void EasyButton::paintFace(QPainter &painter)
{
    const int right = width() - 1;
    const int bottom = height() - 1;
    if (hasSkin()) {
        // Check boxes, option buttons and captions only ever show the
        // normal frame.
        const int frame = m_btnStyle == 0 ? int(m_look) : 0;
        const int frameHeight = m_skin.height() / 4;
        painter.drawImage(QPoint(0, 0), m_skin,
                          QRect(0, frame * frameHeight, m_skin.width(), frameHeight));
        return;
    }
    painter.fillRect(rect(), color(m_backColor));
    const Look shown = m_btnStyle == 0 ? m_look : NormalLook;
    switch (shown) {
    case NormalLook:
        if (m_borderStyle == 1) {
            painter.setPen(color(kBorderColor));
            painter.drawRect(0, 0, right, bottom);
        }
        break;
    case HoverLook:
        if (isFlat()) {
            if (m_borderStyle == 1) {
                painter.setPen(color(kBorderColor));
                painter.drawRect(0, 0, right, bottom);
            }
            break;
        }
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, 0, right, 0);
        painter.drawLine(0, 0, 0, bottom);
        painter.setPen(color(kRaisedShadowColor));
        painter.drawLine(0, bottom, right, bottom);
        painter.drawLine(right, 0, right, bottom);
        break;
    case PressedLook:
        if (isFlat()) {
            painter.setPen(color(kPressedFlatColor));
            painter.drawRect(0, 0, right, bottom);
            break;
        }
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawLine(0, 0, right, 0);
        painter.drawLine(0, 0, 0, bottom);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, bottom, right, bottom);
        painter.drawLine(right, 0, right, bottom);
        break;
    }
}

void EasyButton::paintMark(QPainter &painter)
{
    if (m_btnStyle != 2 && m_btnStyle != 3)
        return;
    const QRectF box(kMarkLeft + 0.5, (height() - kMarkSize) / 2 + 0.5, kMarkSize - 1, kMarkSize - 1);
    const bool on = m_btnStyle == 2 ? m_chkValue : m_optValue;
    const QColor accent = isEnabled() ? QColor(0x2F, 0x6F, 0xD6) : QColor(0xA8, 0xA8, 0xA8);
    const QColor edge = isEnabled() ? QColor(0x7A, 0x7A, 0x7A) : QColor(0xB8, 0xB8, 0xB8);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_btnStyle == 2) {
        if (on) {
            painter.setPen(accent.darker(115));
            painter.setBrush(accent);
            painter.drawRoundedRect(box, 2.5, 2.5);
            QPainterPath tick;
            tick.moveTo(box.left() + 3, box.center().y() + 0.5);
            tick.lineTo(box.left() + 5.5, box.bottom() - 3);
            tick.lineTo(box.right() - 2.5, box.top() + 3.5);
            painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(tick);
        } else {
            painter.setPen(edge);
            painter.setBrush(Qt::white);
            painter.drawRoundedRect(box, 2.5, 2.5);
        }
    } else {
        painter.setPen(on ? accent.darker(115) : edge);
        painter.setBrush(Qt::white);
        painter.drawEllipse(box);
        if (on) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(accent);
            painter.drawEllipse(box.center(), 3.5, 3.5);
        }
    }
    painter.restore();
}

} // namespace quillmoth
