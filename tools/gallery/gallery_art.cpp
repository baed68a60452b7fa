#include "gallery_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace gallery {

QPixmap folderIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xB0, 0x84, 0x1C));
    painter.setBrush(QColor(0xF0, 0xC4, 0x4C));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 6, 4), 1, 1);
    QLinearGradient body(0, 4, 0, 14);
    body.setColorAt(0, QColor(0xFF, 0xDC, 0x70));
    body.setColorAt(1, QColor(0xF2, 0xB8, 0x36));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
    return pixmap;
}

QPixmap bookIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x2A, 0x4E, 0x8A));
    QLinearGradient cover(2, 0, 13, 0);
    cover.setColorAt(0, QColor(0x3E, 0x6F, 0xC0));
    cover.setColorAt(1, QColor(0x5A, 0x8C, 0xDE));
    painter.setBrush(cover);
    painter.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1, 1);
    painter.setPen(QColor(0xF4, 0xF0, 0xE6));
    painter.drawLine(QPointF(4.5, 12.5), QPointF(13, 12.5));
    painter.setPen(QColor(0xFF, 0xFF, 0xFF, 160));
    painter.drawLine(QPointF(6.5, 4.5), QPointF(11.5, 4.5));
    painter.drawLine(QPointF(6.5, 6.5), QPointF(10.5, 6.5));
    return pixmap;
}

QImage roundSkin(int diameter)
{
    QImage skin(diameter, diameter * 4, QImage::Format_ARGB32_Premultiplied);
    skin.fill(Qt::transparent);
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor faces[3][2] = {{QColor(0x5B, 0x8D, 0xEF), QColor(0x23, 0x4F, 0xB0)},
                                {QColor(0x7F, 0xAE, 0xFF), QColor(0x34, 0x68, 0xD0)},
                                {QColor(0x23, 0x4F, 0xB0), QColor(0x4F, 0x80, 0xE0)}};
    for (int frame = 0; frame < 3; ++frame) {
        const QRectF circle(1.5, frame * diameter + 1.5, diameter - 3, diameter - 3);
        QLinearGradient face(circle.topLeft(), circle.bottomLeft());
        face.setColorAt(0, faces[frame][0]);
        face.setColorAt(1, faces[frame][1]);
        painter.setPen(QPen(QColor(0x18, 0x30, 0x70), 1.2));
        painter.setBrush(face);
        painter.drawEllipse(circle);
        // A play triangle, so the round button says what it does.
        const QPointF c = circle.center() + QPointF(frame == 2 ? 1 : 0, frame == 2 ? 1 : 0);
        const double r = diameter * 0.2;
        QPainterPath play;
        play.moveTo(c + QPointF(-r * 0.6, -r));
        play.lineTo(c + QPointF(r, 0));
        play.lineTo(c + QPointF(-r * 0.6, r));
        play.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPath(play);
    }
    // The mask: black inside the circle, white elsewhere, drawn without
    // smoothing so that the edge is exact.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 3 * diameter, diameter, diameter), Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRect(1, 3 * diameter + 1, diameter - 2, diameter - 2));
    return skin;
}

QImage pillSkin(int width, int height)
{
    QImage skin(width, height * 4, QImage::Format_ARGB32_Premultiplied);
    skin.fill(Qt::transparent);
    QPainter painter(&skin);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tops[3] = {QColor(0x4C, 0xB8, 0x7A), QColor(0x66, 0xD0, 0x92), QColor(0x2E, 0x8A, 0x58)};
    const QColor bottoms[3] = {QColor(0x2E, 0x8A, 0x58), QColor(0x3C, 0xA8, 0x6C), QColor(0x4C, 0xB8, 0x7A)};
    const double radius = (height - 3) / 2.0;
    for (int frame = 0; frame < 3; ++frame) {
        const QRectF body(1.5, frame * height + 1.5, width - 3, height - 3);
        QLinearGradient face(body.topLeft(), body.bottomLeft());
        face.setColorAt(0, tops[frame]);
        face.setColorAt(1, bottoms[frame]);
        painter.setPen(QPen(QColor(0x1F, 0x5E, 0x3C), 1));
        painter.setBrush(face);
        painter.drawRoundedRect(body, radius, radius);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 3 * height, width, height), Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRect(1, 3 * height + 1, width - 2, height - 2), radius, radius);
    return skin;
}

QPixmap toolIcon(ToolIcon kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor(0xFA, 0xFA, 0xFC));
    tile.setColorAt(1, QColor(0xDC, 0xE0, 0xE8));
    painter.setPen(QColor(0xA8, 0xB0, 0xC0));
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    const QColor ink(0x34, 0x4A, 0x70);
    painter.setPen(QPen(ink, s / 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    switch (kind) {
    case ToolIcon::Cover: {
        painter.setBrush(QColor(0xE9, 0x9A, 0x3C));
        painter.drawRoundedRect(QRectF(s * 0.3, s * 0.18, s * 0.42, s * 0.64), 2, 2);
        painter.drawLine(QPointF(s * 0.38, s * 0.34), QPointF(s * 0.64, s * 0.34));
        break;
    }
    case ToolIcon::Clipboard:
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(s * 0.25, s * 0.22, s * 0.5, s * 0.6), 2, 2);
        painter.setBrush(ink);
        painter.drawRoundedRect(QRectF(s * 0.38, s * 0.15, s * 0.24, s * 0.12), 1, 1);
        painter.drawLine(QPointF(s * 0.34, s * 0.45), QPointF(s * 0.66, s * 0.45));
        painter.drawLine(QPointF(s * 0.34, s * 0.6), QPointF(s * 0.58, s * 0.6));
        break;
    case ToolIcon::Preferences: {
        const QPointF c(s / 2, s / 2);
        for (int i = 0; i < 8; ++i) {
            const double angle = i * std::numbers::pi / 4;
            painter.drawLine(c + QPointF(std::cos(angle), std::sin(angle)) * (s * 0.22),
                             c + QPointF(std::cos(angle), std::sin(angle)) * (s * 0.32));
        }
        painter.setBrush(QColor(0xC8, 0xD2, 0xE4));
        painter.drawEllipse(c, s * 0.22, s * 0.22);
        painter.setBrush(Qt::white);
        painter.drawEllipse(c, s * 0.08, s * 0.08);
        break;
    }
    case ToolIcon::Help: {
        painter.setBrush(QColor(0x3E, 0x7B, 0xD8));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(s / 2, s / 2), s * 0.32, s * 0.32);
        QFont font;
        font.setPixelSize(int(s * 0.42));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    return pixmap;
}

QImage samplePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x5A, 0x9C, 0xE8));
    sky.setColorAt(0.6, QColor(0xF6, 0xC4, 0x8A));
    sky.setColorAt(1, QColor(0xE8, 0x88, 0x5A));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xF0, 0xB0));
    painter.drawEllipse(QPointF(width * 0.72, height * 0.36), height * 0.14, height * 0.14);
    QPainterPath hills;
    hills.moveTo(0, height);
    hills.lineTo(0, height * 0.7);
    hills.cubicTo(width * 0.3, height * 0.5, width * 0.5, height * 0.9, width, height * 0.62);
    hills.lineTo(width, height);
    hills.closeSubpath();
    painter.setBrush(QColor(0x3C, 0x7A, 0x4A));
    painter.drawPath(hills);
    // A red marker in the top-left corner shows flips and turns.
    painter.setBrush(QColor(0xD8, 0x2C, 0x2C));
    painter.drawRect(QRectF(0, 0, width * 0.18, height * 0.18));
    return image;
}

} // namespace gallery
