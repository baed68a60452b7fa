#include "pad_painter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillmoth {

void paintOpeningProgress(QPainter &painter, const QRect &area, double fraction)
{
    const double done = std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0);
    const int width = std::clamp(area.width() / 3, 60, 360);
    const QRect bar(area.center().x() - width / 2, area.center().y() - 3, width, 6);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawRoundedRect(bar, 3, 3);
    painter.setBrush(QColor(232, 220, 196));
    painter.drawRoundedRect(QRectF(bar.x(), bar.y(), bar.width() * done, bar.height()), 3, 3);
    painter.setPen(QColor(232, 220, 196));
    painter.drawText(QRect(bar.x(), bar.bottom() + 8, bar.width(), 20), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("%1 %").arg(int(std::floor(done * 100))));
    painter.restore();
}

} // namespace quillmoth
