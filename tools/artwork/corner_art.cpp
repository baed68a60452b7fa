#include "artwork.h"
#include "noise.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace artwork {
namespace {

constexpr int kSize = 120;

QImage transparentCanvas()
{
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A spiral curl ending at `centre`, starting `radius` away at `startAngle`.
QPainterPath curl(QPointF centre, double radius, double startAngle, double turns, int direction)
{
    QPainterPath path;
    constexpr int kSteps = 60;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = double(i) / kSteps;
        const double angle = startAngle + direction * t * turns * 2 * M_PI;
        const double r = radius * (1.0 - 0.85 * t);
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

QPainterPath leaf(QPointF base, double angle, double length, double width)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(length * 0.3, -width, length * 0.75, -width * 0.8, length, 0);
    path.cubicTo(length * 0.75, width * 0.8, length * 0.3, width, 0, 0);
    QTransform transform;
    transform.translate(base.x(), base.y());
    transform.rotate(angle);
    return transform.map(path);
}

void strokeGold(QPainter &painter, const QPainterPath &path, double width)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(110, 70, 20, 150), width + 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path.translated(0.6, 0.8));
    QLinearGradient gold(0, 0, kSize, kSize);
    gold.setColorAt(0.0, QColor(236, 200, 110));
    gold.setColorAt(0.5, QColor(190, 140, 56));
    gold.setColorAt(1.0, QColor(226, 186, 96));
    painter.setPen(QPen(QBrush(gold), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

QImage flourish()
{
    QImage image = transparentCanvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Border rules along both edges, joined by a curl in the corner.
    QPainterPath rules;
    rules.moveTo(118, 8);
    rules.lineTo(30, 8);
    rules.moveTo(8, 30);
    rules.lineTo(8, 118);
    rules.moveTo(118, 12.5);
    rules.lineTo(34, 12.5);
    rules.moveTo(12.5, 34);
    rules.lineTo(12.5, 118);
    strokeGold(painter, rules, 1.4);

    QPainterPath scroll;
    scroll.moveTo(30, 8);
    scroll.cubicTo(18, 8, 8, 18, 8, 30);
    scroll.moveTo(34, 12.5);
    scroll.cubicTo(50, 14, 56, 30, 44, 38);
    scroll.addPath(curl(QPointF(36, 32), 9, 0.5, 1.1, 1));
    scroll.moveTo(12.5, 34);
    scroll.cubicTo(14, 50, 30, 56, 38, 44);
    scroll.addPath(curl(QPointF(32, 36), 9, 2.6, 1.1, -1));
    scroll.moveTo(44, 38);
    scroll.cubicTo(62, 44, 70, 24, 88, 20);
    scroll.addPath(curl(QPointF(88, 26), 6, -1.6, 0.9, 1));
    scroll.moveTo(38, 44);
    scroll.cubicTo(44, 62, 24, 70, 20, 88);
    scroll.addPath(curl(QPointF(26, 88), 6, 3.1, 0.9, -1));
    strokeGold(painter, scroll, 2.0);

    painter.setPen(QPen(QColor(120, 80, 24, 160), 0.8));
    QLinearGradient fill(0, 0, 60, 60);
    fill.setColorAt(0, QColor(232, 196, 104));
    fill.setColorAt(1, QColor(176, 126, 48));
    painter.setBrush(fill);
    for (const auto &[base, angle] : {std::pair{QPointF(60, 36), -30.0}, std::pair{QPointF(36, 60), 120.0},
                                      std::pair{QPointF(72, 26), 20.0}, std::pair{QPointF(26, 72), 70.0}})
        painter.drawPath(leaf(base, angle, 13, 4.5));
    // A small rosette on the corner.
    painter.setBrush(QColor(150, 40, 36));
    painter.drawEllipse(QPointF(22, 22), 4.5, 4.5);
    painter.setBrush(QColor(236, 200, 110));
    painter.drawEllipse(QPointF(22, 22), 1.8, 1.8);
    painter.end();
    return image;
}

// The square "cloud and thunder" fret of Chinese borders.
QImage cloudFret()
{
    QImage image = transparentCanvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor vermilion(178, 46, 34, 230);
    QPainterPath fret;
    // One key unit, 16 x 16, repeated along both edges.
    const auto key = [&fret](QPointF origin) {
        const QPointF o = origin;
        const auto at = [&](double x, double y) { return QPointF(o.x() + x, o.y() + y); };
        fret.moveTo(at(0, 16));
        fret.lineTo(at(0, 0));
        fret.lineTo(at(14, 0));
        fret.lineTo(at(14, 12));
        fret.lineTo(at(4, 12));
        fret.lineTo(at(4, 4));
        fret.lineTo(at(10, 4));
        fret.lineTo(at(10, 8));
        fret.lineTo(at(7, 8));
    };
    for (int i = 0; i < 5; ++i)
        key(QPointF(26 + i * 18, 5));
    // Down the left edge the same keys, mirrored about the diagonal.
    const QPainterPath top = fret;
    const QPainterPath left = QTransform(0, 1, 1, 0, 0, 0).map(fret);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(vermilion, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(top);
    painter.drawPath(left);
    // The corner block: a square spiral.
    QPainterPath spiral;
    spiral.moveTo(5, 5);
    spiral.lineTo(21, 5);
    spiral.lineTo(21, 21);
    spiral.lineTo(5, 21);
    spiral.lineTo(5, 9);
    spiral.lineTo(17, 9);
    spiral.lineTo(17, 17);
    spiral.lineTo(9, 17);
    spiral.lineTo(9, 13);
    spiral.lineTo(13, 13);
    painter.drawPath(spiral);
    painter.setPen(QPen(QColor(196, 150, 60, 200), 1.0));
    painter.drawLine(QPointF(2, 26), QPointF(2, 118));
    painter.drawLine(QPointF(26, 2), QPointF(118, 2));
    painter.end();
    return image;
}

void blossom(QPainter &painter, QPointF centre, double radius, double rotation)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(rotation);
    painter.setPen(QPen(QColor(200, 90, 110, 180), 0.6));
    for (int i = 0; i < 5; ++i) {
        QRadialGradient petal(QPointF(0, -radius * 0.55), radius * 0.6);
        petal.setColorAt(0, QColor(255, 236, 240, 245));
        petal.setColorAt(1, QColor(238, 150, 170, 235));
        painter.setBrush(petal);
        painter.drawEllipse(QPointF(0, -radius * 0.55), radius * 0.48, radius * 0.5);
        painter.rotate(72);
    }
    painter.setPen(QPen(QColor(170, 120, 40), 0.6));
    for (int i = 0; i < 8; ++i) {
        const double angle = i * M_PI / 4;
        painter.drawLine(QPointF(0, 0), QPointF(radius * 0.35 * std::cos(angle), radius * 0.35 * std::sin(angle)));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 200, 80));
    painter.drawEllipse(QPointF(0, 0), radius * 0.14, radius * 0.14);
    painter.restore();
}

QImage plumBranch()
{
    QImage image = transparentCanvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Ink branches, thick at the corner and thinning as they reach out.
    const auto branch = [&painter](const QPainterPath &path, double from, double to) {
        constexpr int kPieces = 24;
        for (int i = 0; i < kPieces; ++i) {
            const double t0 = double(i) / kPieces;
            const double t1 = double(i + 1) / kPieces;
            QPainterPath piece;
            piece.moveTo(path.pointAtPercent(t0));
            piece.lineTo(path.pointAtPercent(t1));
            const double width = from + (to - from) * t0;
            painter.setPen(QPen(QColor(46, 34, 30, 235), width, Qt::SolidLine, Qt::RoundCap));
            painter.drawPath(piece);
        }
    };
    QPainterPath main;
    main.moveTo(0, 4);
    main.cubicTo(30, 10, 40, 26, 66, 22);
    main.cubicTo(84, 19, 96, 28, 116, 24);
    branch(main, 6, 1.2);
    QPainterPath down;
    down.moveTo(4, 0);
    down.cubicTo(12, 30, 28, 40, 22, 70);
    down.cubicTo(19, 86, 30, 98, 26, 116);
    branch(down, 5, 1.2);
    QPainterPath twig;
    twig.moveTo(40, 20);
    twig.cubicTo(46, 34, 58, 38, 62, 52);
    branch(twig, 2.4, 0.8);
    blossom(painter, QPointF(64, 22), 9, 10);
    blossom(painter, QPointF(92, 25), 7, 40);
    blossom(painter, QPointF(23, 68), 8.5, -20);
    blossom(painter, QPointF(61, 51), 6.5, 15);
    blossom(painter, QPointF(27, 100), 6, 60);
    // Buds.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(206, 80, 106));
    for (const QPointF &bud : {QPointF(108, 21), QPointF(30, 42), QPointF(45, 14), QPointF(20, 112)})
        painter.drawEllipse(bud, 2.2, 2.6);
    painter.end();
    return image;
}

QImage vine()
{
    QImage image = transparentCanvas();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath stem;
    stem.moveTo(118, 10);
    stem.cubicTo(80, 4, 60, 18, 40, 14);
    stem.cubicTo(20, 10, 10, 20, 14, 40);
    stem.cubicTo(18, 60, 4, 80, 10, 118);
    painter.setPen(QPen(QColor(70, 96, 50), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(stem);
    QPainterPath tendrils;
    tendrils.addPath(curl(QPointF(30, 28), 8, 0.0, 1.2, 1));
    tendrils.addPath(curl(QPointF(70, 22), 5, 1.0, 1.0, -1));
    tendrils.addPath(curl(QPointF(20, 72), 5, 2.5, 1.0, 1));
    painter.setPen(QPen(QColor(90, 120, 60), 1.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(tendrils);
    for (int i = 0; i < 9; ++i) {
        const double t = 0.06 + i * 0.11;
        const QPointF point = stem.pointAtPercent(t);
        const double angle = stem.angleAtPercent(t);
        const double side = (i % 2 == 0) ? 50 : -50;
        QLinearGradient green(point, point + QPointF(10, 10));
        green.setColorAt(0, QColor(140, 180, 90, 240));
        green.setColorAt(1, QColor(70, 120, 60, 240));
        painter.setBrush(green);
        painter.setPen(QPen(QColor(50, 80, 40, 200), 0.7));
        const QPainterPath shape = leaf(point, -angle + side, 14 - i * 0.5, 5);
        painter.drawPath(shape);
    }
    // Berries.
    painter.setPen(Qt::NoPen);
    for (const QPointF &berry : {QPointF(48, 22), QPointF(52, 25), QPointF(46, 27), QPointF(20, 50),
                                 QPointF(24, 54)}) {
        QRadialGradient shine(berry - QPointF(0.8, 0.8), 3);
        shine.setColorAt(0, QColor(150, 110, 200));
        shine.setColorAt(1, QColor(70, 40, 110));
        painter.setBrush(shine);
        painter.drawEllipse(berry, 2.6, 2.6);
    }
    painter.end();
    return image;
}

} // namespace

QImage cornerOrnament(Corner kind)
{
    QImage image;
    switch (kind) {
    case Corner::Flourish:
        image = flourish();
        break;
    case Corner::CloudFret:
        image = cloudFret();
        break;
    case Corner::PlumBranch:
        image = plumBranch();
        break;
    case Corner::Vine:
        image = vine();
        break;
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace artwork
