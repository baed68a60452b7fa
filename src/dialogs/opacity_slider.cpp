#include "dialogs/opacity_slider.h"

#include "dialogs/theme_editing.h"
#include "reader/reader_geometry.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quillmoth {

OpacitySlider::OpacitySlider(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(16);
    setCursor(Qt::SizeHorCursor);
}

void OpacitySlider::setPercent(double percent)
{
    m_percent = std::clamp(roundHalfEvenToInt(percent), 0, 100);
    m_thumbLeft = sliderLeft(percent, width());
    update();
}

void OpacitySlider::resizeEvent(QResizeEvent *)
{
    m_thumbLeft = sliderLeft(m_percent, width());
}

void OpacitySlider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor track = isEnabled() ? QColor(150, 150, 150) : QColor(200, 200, 200);
    painter.fillRect(QRect(0, height() / 2 - 1, width(), 3), track);
    const QRectF thumb(m_thumbLeft + 0.5, 1.5, kSliderThumbWidth - 1, height() - 3);
    painter.setPen(isEnabled() ? QColor(70, 70, 70) : QColor(170, 170, 170));
    painter.setBrush(isEnabled() ? QColor(235, 225, 205) : QColor(230, 230, 230));
    painter.drawRoundedRect(thumb, 3, 3);
}

void OpacitySlider::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    const int x = event->position().toPoint().x();
    // A press beside the thumb brings the thumb's middle to the pointer.
    const bool onThumb = x >= m_thumbLeft && x < m_thumbLeft + kSliderThumbWidth;
    m_grabOffset = onThumb ? x - m_thumbLeft : kSliderThumbWidth / 2;
    follow(x);
}

void OpacitySlider::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        follow(event->position().toPoint().x());
}

void OpacitySlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    emit released();
}

void OpacitySlider::follow(int pointerX)
{
    m_thumbLeft = std::clamp(pointerX - m_grabOffset, 0,
                             std::max(width() - kSliderThumbWidth, 0));
    const int percent = opacityPercent(m_thumbLeft, width());
    update();
    if (percent != m_percent) {
        m_percent = percent;
        emit percentChanged(percent);
    }
}

} // namespace quillmoth
