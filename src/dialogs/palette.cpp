#include "dialogs/palette.h"

#include "platform/colors.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace quillmoth {

// The colour list, written 0x00BBGGRR as the program's colour list has it.
const std::array<std::int32_t, 48> kPaletteColors = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,
    0xE0E0E0, 0x8080FF, 0x80C0FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF,
    0xC0C0C0, 0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,
    0x808080, 0x0000C0, 0x0040C0, 0x00C0C0, 0x00C000, 0xC0C000, 0xC00000, 0xC000C0,
    0x404040, 0x000080, 0x004080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,
    0x000000, 0x000040, 0x202040, 0x004040, 0x004000, 0x404000, 0x400000, 0x400040,
};

std::optional<std::int32_t> paletteColorAt(QPointF point)
{
    if (point.x() < 0 || point.y() < 0)
        return std::nullopt;
    const int column = int(std::floor(point.x())) / kPalettePitch;
    const int row = int(std::floor(point.y())) / kPalettePitch;
    if (column >= kPaletteColumns || row >= kPaletteRows)
        return std::nullopt;
    return kPaletteColors[std::size_t(row * kPaletteColumns + column)];
}

void paintPalette(QPainter &painter)
{
    for (int k = 0; k < int(kPaletteColors.size()); ++k) {
        const int column = k % kPaletteColumns;
        const int row = k / kPaletteColumns;
        painter.fillRect(QRect(kPalettePitch * column, kPalettePitch * row, kPaletteCell,
                               kPaletteCell),
                         colorFromValue(kPaletteColors[std::size_t(k)]));
    }
}

PaletteBox::PaletteBox(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

QSize PaletteBox::sizeHint() const
{
    return {kPalettePitch * kPaletteColumns - 2, kPalettePitch * kPaletteRows - 2};
}

void PaletteBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintPalette(painter);
}

void PaletteBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const std::optional<std::int32_t> color = paletteColorAt(event->position()))
        emit colorPicked(*color);
}

ColorSwatch::ColorSwatch(QWidget *parent) : QWidget(parent)
{
    setFixedSize(36, 18);
}

void ColorSwatch::setColor(std::int32_t color)
{
    m_color = color;
    update();
}

void ColorSwatch::setTargeted(bool targeted)
{
    m_targeted = targeted;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorFromValue(m_color, Qt::transparent));
    painter.setPen(m_targeted ? QPen(QColor(200, 40, 40), 2) : QPen(QColor(120, 120, 120)));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace quillmoth
