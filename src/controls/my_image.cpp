#include "my_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace quillmoth {

MyImage::MyImage(QWidget *parent, int index) : QWidget(parent), m_index(index)
{
    setMouseTracking(true);
}

void MyImage::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (!m_stretch && !picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
    updateGeometry();
    update();
}

void MyImage::setStretch(bool on)
{
    m_stretch = on;
    if (!on && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
    update();
}

QSize MyImage::sizeHint() const
{
    return m_picture.isNull() ? QSize(16, 16) : m_picture.deviceIndependentSize().toSize();
}

void MyImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretch);
    QPixmap shown = m_picture;
    if (!isEnabled()) {
        QStyleOption option;
        option.initFrom(this);
        shown = style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option);
    }
    if (m_stretch)
        painter.drawPixmap(rect(), shown);
    else
        painter.drawPixmap(0, 0, shown);
}

void MyImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit MouseDown(m_index, event->button(), event->modifiers(), event->position().toPoint());
}

void MyImage::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(m_index, event->buttons(), event->modifiers(), event->position().toPoint());
}

void MyImage::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    const bool clicked = event->button() == Qt::LeftButton && m_leftDown && rect().contains(position);
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    emit MouseUp(m_index, event->button(), event->modifiers(), position);
    if (clicked)
        emit Click(m_index);
}

void MyImage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_leftDown = false;
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace quillmoth
