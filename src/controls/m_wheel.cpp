#include "m_wheel.h"

#include <QWheelEvent>

#include <algorithm>

namespace quillmoth {
namespace {

int keyState(const QWheelEvent &event)
{
    int keys = 0;
    if (event.buttons() & Qt::LeftButton)
        keys |= 0x1;
    if (event.buttons() & Qt::RightButton)
        keys |= 0x2;
    if (event.modifiers() & Qt::ShiftModifier)
        keys |= 0x4;
    if (event.modifiers() & Qt::ControlModifier)
        keys |= 0x8;
    if (event.buttons() & Qt::MiddleButton)
        keys |= 0x10;
    return keys;
}

} // namespace

MWheel::MWheel(QObject *parent) : QObject(parent) {}

MWheel::~MWheel()
{
    unhook();
}

void MWheel::setHWndCapture(QWidget *widget)
{
    if (widget == m_watched)
        return;
    const bool wasHooked = isHooked();
    unhook();
    m_watched = widget;
    if (wasHooked)
        hook();
}

void MWheel::EnableWheel()
{
    if (m_watched)
        hook();
}

void MWheel::DisableWheel()
{
    if (m_watched && m_hooked)
        unhook();
}

void MWheel::hook()
{
    if (isHooked() || !m_watched)
        return;
    m_watched->installEventFilter(this);
    m_hooked = true;
}

void MWheel::unhook()
{
    if (!m_hooked)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_hooked = false;
}

bool MWheel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_watched || event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    const int rotation = wheel->angleDelta().y();
    // Horizontal turns are another message; they pass through untouched.
    if (rotation == 0)
        return false;
    const QPointF position = wheel->globalPosition();
    emit WheelScroll(keyState(*wheel), std::clamp(rotation, -32768, 32767), position.x(),
                     position.y());
    return true;
}

} // namespace quillmoth
