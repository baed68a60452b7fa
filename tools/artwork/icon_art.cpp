#include "artwork.h"
#include "noise.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {
namespace {

// A transparent canvas of `size` logical pixels at the given scale, with a
// painter already scaled so that icons are drawn in logical coordinates.
struct Canvas {
    QImage image;
    QPainter painter;

    Canvas(int size, int scale)
        : image(size * scale, size * scale, QImage::Format_ARGB32_Premultiplied)
    {
        image.fill(Qt::transparent);
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
    }

    QImage finish()
    {
        painter.end();
        return image.convertToFormat(QImage::Format_ARGB32);
    }
};

QLinearGradient vertical(qreal top, qreal bottom, const QColor &a, const QColor &b)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, a);
    gradient.setColorAt(1, b);
    return gradient;
}

void paintMothShape(QPainter &painter, QPointF centre, qreal span, const QColor &upperWing,
                    const QColor &lowerWing, const QColor &outline)
{
    painter.save();
    painter.translate(centre);
    painter.scale(span / 24.0, span / 24.0);
    painter.setPen(QPen(outline, 0.9));
    for (int side : {-1, 1}) {
        QPainterPath lower;
        lower.moveTo(0, 1);
        lower.cubicTo(side * 6, 1, side * 10, 7, side * 6, 9);
        lower.cubicTo(side * 3, 10, side * 1, 6, 0, 3);
        painter.setBrush(lowerWing);
        painter.drawPath(lower);
        QPainterPath upper;
        upper.moveTo(0, -1);
        upper.cubicTo(side * 4, -10, side * 12, -11, side * 11.5, -2);
        upper.cubicTo(side * 11, 2, side * 5, 2, 0, 0.5);
        painter.setBrush(upperWing);
        painter.drawPath(upper);
        // An eye spot on each upper wing.
        painter.setBrush(outline);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(side * 7, -3.5), 1.2, 1.2);
        painter.setPen(QPen(outline, 0.9));
    }
    painter.setBrush(QColor(90, 60, 40));
    painter.drawEllipse(QPointF(0, 1.5), 1.3, 5);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(-0.6, -3), QPointF(-3.5, -8.5));
    painter.drawLine(QPointF(0.6, -3), QPointF(3.5, -8.5));
    painter.restore();
}

} // namespace

QImage treeDrive(int scale)
{
    Canvas canvas(16, scale);
    QPainter &p = canvas.painter;
    p.setPen(QPen(QColor(70, 74, 82), 1));
    p.setBrush(vertical(4, 13, QColor(226, 228, 232), QColor(156, 160, 170)));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 8), 1.8, 1.8);
    p.setPen(QPen(QColor(120, 124, 134), 0.8));
    p.drawLine(QPointF(2.5, 9.5), QPointF(13.5, 9.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 200, 90));
    p.drawEllipse(QPointF(12, 11), 1, 1);
    p.setBrush(QColor(110, 114, 124));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(3 + i * 1.6, 10.5, 0.8, 1.2));
    return canvas.finish();
}

QImage treeFolder(int scale)
{
    Canvas canvas(16, scale);
    QPainter &p = canvas.painter;
    const QColor outline(150, 104, 36);
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(222, 170, 70));
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(252, 250, 240));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(3, 6, 10, 4));
    p.setPen(QPen(outline, 1));
    p.setBrush(vertical(7, 14, QColor(252, 214, 120), QColor(232, 176, 72)));
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(2.8, 7.5);
    front.lineTo(15.2, 7.5);
    front.lineTo(14.5, 13.5);
    front.closeSubpath();
    p.drawPath(front);
    return canvas.finish();
}

QImage treeBook(int scale)
{
    Canvas canvas(16, scale);
    QPainter &p = canvas.painter;
    // Page block, then the cover in front of it.
    p.setPen(QPen(QColor(150, 140, 120), 0.8));
    p.setBrush(QColor(250, 246, 232));
    p.drawRect(QRectF(4.5, 2.5, 9, 12));
    p.setPen(QPen(QColor(200, 190, 170), 0.5));
    for (qreal y = 4.5; y < 14; y += 1.5)
        p.drawLine(QPointF(12.5, y), QPointF(13.5, y));
    p.setPen(QPen(QColor(90, 30, 26), 1));
    p.setBrush(vertical(1, 14, QColor(176, 58, 46), QColor(128, 34, 30)));
    p.drawRoundedRect(QRectF(2.5, 1.5, 9.5, 12.5), 1, 1);
    p.setPen(QPen(QColor(100, 28, 24), 1));
    p.drawLine(QPointF(4.5, 2), QPointF(4.5, 13.5));
    p.setPen(QPen(QColor(236, 196, 110), 0.9));
    p.drawLine(QPointF(6, 5), QPointF(10.5, 5));
    p.drawLine(QPointF(6, 7), QPointF(9.5, 7));
    return canvas.finish();
}

QImage treeRoot(int scale)
{
    Canvas canvas(16, scale);
    paintMothShape(canvas.painter, QPointF(8, 8.6), 15.5, QColor(232, 170, 70), QColor(204, 120, 60),
                   QColor(92, 56, 30));
    return canvas.finish();
}

QImage appIcon(int scale)
{
    Canvas canvas(64, scale);
    QPainter &p = canvas.painter;
    // A crimson cloth binding seen from the front, the pages' edges below.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(QRectF(10, 8, 46, 54), 4, 4);
    p.setBrush(vertical(54, 60, QColor(246, 238, 218), QColor(214, 200, 170)));
    p.drawRoundedRect(QRectF(9, 50, 44, 9), 2, 2);
    p.setPen(QPen(QColor(90, 20, 28), 1.2));
    p.setBrush(vertical(4, 56, QColor(188, 40, 52), QColor(128, 22, 34)));
    p.drawRoundedRect(QRectF(7, 4, 46, 51), 3.5, 3.5);
    p.setPen(QPen(QColor(104, 22, 32), 1.4));
    p.drawLine(QPointF(13, 5), QPointF(13, 54));
    // Gold rules and the moth.
    p.setPen(QPen(QColor(222, 178, 92), 1.3));
    p.drawLine(QPointF(17, 11), QPointF(48, 11));
    p.drawLine(QPointF(17, 48), QPointF(48, 48));
    paintMothShape(p, QPointF(32.5, 30), 30, QColor(240, 190, 90), QColor(214, 140, 64),
                   QColor(110, 60, 26));
    return canvas.finish();
}

QImage buttonCover(int scale)
{
    Canvas canvas(24, scale);
    QPainter &p = canvas.painter;
    // A book cover with a small landscape on it: "choose a cover picture".
    p.setPen(QPen(QColor(84, 40, 24), 1));
    p.setBrush(vertical(2, 22, QColor(176, 92, 56), QColor(122, 58, 34)));
    p.drawRoundedRect(QRectF(3.5, 1.5, 15, 21), 1.5, 1.5);
    p.setPen(QPen(QColor(96, 46, 28), 1));
    p.drawLine(QPointF(6, 2), QPointF(6, 22));
    const QRectF picture(8, 5, 9, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(5, 15, QColor(150, 200, 236), QColor(236, 236, 206)));
    p.drawRect(picture);
    p.setBrush(QColor(86, 140, 80));
    QPainterPath hills;
    hills.moveTo(8, 15);
    hills.lineTo(8, 12);
    hills.quadTo(10.5, 9, 13, 12);
    hills.quadTo(15, 10, 17, 12.5);
    hills.lineTo(17, 15);
    hills.closeSubpath();
    p.drawPath(hills);
    p.setBrush(QColor(250, 210, 80));
    p.drawEllipse(QPointF(15, 7.5), 1.3, 1.3);
    p.setPen(QPen(QColor(240, 210, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(picture);
    // A plus badge.
    p.setPen(QPen(QColor(40, 100, 40), 1));
    p.setBrush(vertical(14, 23, QColor(120, 210, 110), QColor(60, 150, 60)));
    p.drawEllipse(QPointF(18.5, 18.5), 4.5, 4.5);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 16), QPointF(18.5, 21));
    p.drawLine(QPointF(16, 18.5), QPointF(21, 18.5));
    return canvas.finish();
}

QImage buttonClipboard(int scale)
{
    Canvas canvas(24, scale);
    QPainter &p = canvas.painter;
    p.setPen(QPen(QColor(104, 66, 30), 1));
    p.setBrush(vertical(2, 23, QColor(206, 150, 84), QColor(160, 104, 52)));
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 19), 2, 2);
    p.setPen(QPen(QColor(180, 170, 150), 0.8));
    p.setBrush(QColor(252, 250, 242));
    p.drawRect(QRectF(6, 6.5, 12, 14));
    p.setPen(QPen(QColor(120, 124, 134), 1));
    p.setBrush(vertical(1, 7, QColor(236, 238, 242), QColor(160, 164, 174)));
    p.drawRoundedRect(QRectF(8.5, 1.5, 7, 5), 1.5, 1.5);
    p.setPen(QPen(QColor(110, 110, 120), 1, Qt::SolidLine, Qt::RoundCap));
    for (qreal y = 10; y < 19; y += 2.5)
        p.drawLine(QPointF(8, y), QPointF(y < 17 ? 16 : 13, y));
    // An arrow into an open book: "read this as a book".
    p.setPen(QPen(QColor(30, 90, 150), 1));
    p.setBrush(vertical(13, 23, QColor(110, 176, 236), QColor(50, 120, 200)));
    QPainterPath arrow;
    arrow.moveTo(14, 17);
    arrow.lineTo(18, 17);
    arrow.lineTo(18, 14.5);
    arrow.lineTo(22.5, 19);
    arrow.lineTo(18, 23.5);
    arrow.lineTo(18, 21);
    arrow.lineTo(14, 21);
    arrow.closeSubpath();
    p.drawPath(arrow);
    return canvas.finish();
}

QImage buttonPreferences(int scale)
{
    Canvas canvas(24, scale);
    QPainter &p = canvas.painter;
    constexpr int kTeeth = 8;
    QPainterPath gear;
    const QPointF centre(12, 12);
    for (int i = 0; i < kTeeth * 4; ++i) {
        const double angle = i * 2 * 3.14159265 / (kTeeth * 4) - 3.14159265 / (kTeeth * 4) * 1.5;
        const double radius = (i % 4 == 0 || i % 4 == 1) ? 10.5 : 8.0;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, 3.4, 3.4);
    gear = gear.subtracted(hole);
    p.setPen(QPen(QColor(70, 74, 84), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QRadialGradient metal(QPointF(9, 8), 14);
    metal.setColorAt(0, QColor(240, 242, 246));
    metal.setColorAt(1, QColor(130, 136, 150));
    p.setBrush(metal);
    p.drawPath(gear);
    p.setPen(QPen(QColor(255, 255, 255, 140), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 6, 6);
    return canvas.finish();
}

QImage buttonHelp(int scale)
{
    Canvas canvas(24, scale);
    QPainter &p = canvas.painter;
    p.setPen(QPen(QColor(30, 80, 140), 1));
    QRadialGradient blue(QPointF(9, 7), 16);
    blue.setColorAt(0, QColor(130, 190, 246));
    blue.setColorAt(1, QColor(36, 100, 186));
    p.setBrush(blue);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    // The question mark, drawn as strokes so that no font is needed.
    QPainterPath hook;
    hook.moveTo(8.6, 9.2);
    hook.cubicTo(8.6, 5.6, 15.4, 5.4, 15.4, 9.0);
    hook.cubicTo(15.4, 11.6, 12, 11.6, 12, 14.6);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 18.2), 1.6, 1.6);
    return canvas.finish();
}

QImage grabCursor(int scale)
{
    Canvas canvas(32, scale);
    QPainter &p = canvas.painter;
    // A closed hand seen from the back: four curled fingers above the palm,
    // the thumb tucked in on the left.
    const QPen outline(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(QRectF(9 + i * 3.9, 8 + (i == 0 || i == 3 ? 1 : 0), 4.6, 9), 2.3, 2.3);
    QPainterPath palm;
    palm.moveTo(9, 14);
    palm.lineTo(24.4, 14);
    palm.cubicTo(25.5, 19, 24.5, 24, 20, 25.5);
    palm.lineTo(13, 25.5);
    palm.cubicTo(10, 25, 9, 22, 9, 19);
    palm.closeSubpath();
    p.drawPath(palm);
    // Cover the finger outlines where the palm joins them.
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(9.8, 13.2, 13.8, 2));
    p.setPen(outline);
    QPainterPath thumb;
    thumb.moveTo(10, 15.5);
    thumb.cubicTo(6.5, 14.5, 5, 17, 6.5, 19);
    thumb.lineTo(9.5, 22);
    p.drawPath(thumb);
    p.setPen(QPen(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(9 + i * 3.9 - 0.1, 14.2), QPointF(9 + i * 3.9 - 0.1, 16.5));
    return canvas.finish();
}

} // namespace artwork
