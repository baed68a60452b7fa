#include "artwork.h"
#include "noise.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace artwork {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 220;

// Height of a ridge line at x, made of noise.
double ridge(double x, double base, double amplitude, double scale, std::uint32_t seed)
{
    return base - amplitude * fractalNoise(x / scale, 0.5, 4, 0, 0, seed);
}

QPainterPath ridgePath(double base, double amplitude, double scale, std::uint32_t seed)
{
    QPainterPath path;
    path.moveTo(0, kHeight);
    for (int x = 0; x <= kWidth; x += 2)
        path.lineTo(x, ridge(x, base, amplitude, scale, seed));
    path.lineTo(kWidth, kHeight);
    path.closeSubpath();
    return path;
}

void paintSeal(QPainter &painter, QRectF box)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(186, 40, 32, 220));
    painter.drawRoundedRect(box, 1.5, 1.5);
    painter.setPen(QPen(QColor(250, 236, 226, 230), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(2, 2, -2, -2));
    // Abstract strokes in place of characters.
    painter.drawLine(QPointF(box.left() + 5, box.top() + 6), QPointF(box.right() - 5, box.top() + 6));
    painter.drawLine(QPointF(box.center().x(), box.top() + 4), QPointF(box.center().x(), box.bottom() - 4));
    painter.drawLine(QPointF(box.left() + 5, box.bottom() - 6), QPointF(box.right() - 5, box.bottom() - 6));
}

QImage inkMountains()
{
    QImage image = pageBackground(Paper::RicePaper).copy(0, 0, kWidth, kHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 246, 236, 200));
    painter.drawEllipse(QPointF(236, 52), 22, 22);
    painter.setPen(QPen(QColor(120, 110, 100, 60), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(236, 52), 22, 22);

    struct Layer {
        double base, amplitude, scale;
        int ink; // darkness 0..255
        std::uint32_t seed;
    };
    for (const Layer &layer : {Layer{120, 80, 70, 70, 3}, Layer{150, 70, 55, 120, 5},
                               Layer{185, 60, 45, 190, 8}}) {
        const QPainterPath shape = ridgePath(layer.base, layer.amplitude, layer.scale, layer.seed);
        // Ink gathers at the ridge and thins into mist below.
        QLinearGradient wash(0, layer.base - layer.amplitude, 0, layer.base + 40);
        wash.setColorAt(0.0, QColor(30, 30, 34, layer.ink));
        wash.setColorAt(0.45, QColor(40, 40, 44, layer.ink * 2 / 3));
        wash.setColorAt(1.0, QColor(60, 60, 64, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(wash);
        painter.drawPath(shape);
    }
    // A little boat on the water.
    painter.setPen(QPen(QColor(30, 30, 30, 220), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(70, 196, 26, 8), 180 * 16, 180 * 16);
    painter.drawLine(QPointF(84, 200), QPointF(86, 188));
    painter.setPen(QPen(QColor(30, 30, 30, 120), 0.8));
    for (int i = 0; i < 3; ++i)
        painter.drawLine(QPointF(50 + i * 20, 208 + i), QPointF(64 + i * 22, 208 + i));
    paintSeal(painter, QRectF(282, 170, 22, 26));
    painter.end();
    return image;
}

QImage lighthouse()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0.0, QColor(30, 40, 86));
    sky.setColorAt(0.55, QColor(116, 90, 140));
    sky.setColorAt(0.85, QColor(236, 150, 100));
    sky.setColorAt(1.0, QColor(250, 200, 130));
    painter.fillRect(QRectF(0, 0, kWidth, 150), sky);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const double x = latticeValue(i, 1, 77) * kWidth;
        const double y = latticeValue(i, 2, 77) * 70;
        painter.setBrush(QColor(255, 255, 240, 90 + int(latticeValue(i, 3, 77) * 150)));
        painter.drawEllipse(QPointF(x, y), 0.8, 0.8);
    }
    QLinearGradient sea(0, 150, 0, kHeight);
    sea.setColorAt(0.0, QColor(70, 70, 110));
    sea.setColorAt(1.0, QColor(20, 30, 60));
    painter.fillRect(QRectF(0, 150, kWidth, kHeight - 150), sea);
    painter.setPen(QPen(QColor(250, 190, 130, 110), 1));
    for (int i = 0; i < 26; ++i) {
        const double y = 154 + i * 2.6 + i * i * 0.08;
        const double x = latticeValue(i, 9, 5) * 200;
        painter.drawLine(QPointF(x, y), QPointF(x + 20 + i * 2, y));
    }
    // Light beams.
    painter.setPen(Qt::NoPen);
    const QPointF lamp(232, 58);
    for (const auto &[angle, spread] : {std::pair{200.0, 10.0}, std::pair{-20.0, 12.0}}) {
        QPainterPath beam;
        beam.moveTo(lamp);
        const double a0 = qDegreesToRadians(angle - spread);
        const double a1 = qDegreesToRadians(angle + spread);
        beam.lineTo(lamp + QPointF(400 * std::cos(a0), 400 * std::sin(a0)));
        beam.lineTo(lamp + QPointF(400 * std::cos(a1), 400 * std::sin(a1)));
        beam.closeSubpath();
        QRadialGradient glow(lamp, 300);
        glow.setColorAt(0, QColor(255, 240, 180, 150));
        glow.setColorAt(1, QColor(255, 240, 180, 0));
        painter.setBrush(glow);
        painter.drawPath(beam);
    }
    // The rock and the tower.
    QPainterPath rock;
    rock.moveTo(170, kHeight);
    rock.cubicTo(180, 150, 200, 130, 226, 124);
    rock.cubicTo(250, 118, 280, 130, 300, 150);
    rock.lineTo(kWidth, 160);
    rock.lineTo(kWidth, kHeight);
    rock.closeSubpath();
    painter.setBrush(QColor(26, 22, 30));
    painter.drawPath(rock);
    QPainterPath tower;
    tower.moveTo(222, 126);
    tower.lineTo(225, 66);
    tower.lineTo(239, 66);
    tower.lineTo(242, 126);
    tower.closeSubpath();
    QLinearGradient walls(222, 0, 242, 0);
    walls.setColorAt(0, QColor(236, 228, 220));
    walls.setColorAt(1, QColor(150, 140, 150));
    painter.setBrush(walls);
    painter.drawPath(tower);
    painter.setBrush(QColor(176, 50, 46));
    for (const double y : {80.0, 100.0})
        painter.drawRect(QRectF(223 + (126 - y) * 0.05 - 2, y, 20 - (126 - y) * 0.1 + 4, 8)
                             .intersected(tower.boundingRect()));
    painter.setBrush(QColor(40, 36, 44));
    painter.drawRect(QRectF(223, 62, 18, 4));
    QRadialGradient light(lamp, 12);
    light.setColorAt(0, QColor(255, 255, 230));
    light.setColorAt(1, QColor(255, 220, 120, 0));
    painter.setBrush(light);
    painter.drawEllipse(lamp, 12, 12);
    painter.setBrush(QColor(40, 36, 44));
    QPainterPath roof;
    roof.moveTo(222, 52);
    roof.lineTo(232, 42);
    roof.lineTo(242, 52);
    roof.closeSubpath();
    painter.drawPath(roof);
    painter.end();
    return image;
}

QImage bamboo()
{
    QImage image = pageBackground(Paper::RicePaper).copy(200, 100, kWidth, kHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    struct Stalk {
        double x, lean, width;
        int ink;
    };
    for (const Stalk &stalk : {Stalk{70, 10, 9, 110}, Stalk{120, -6, 11, 200}, Stalk{200, 14, 8, 90},
                               Stalk{250, -4, 10, 170}}) {
        // Segments separated by nodes, darker toward the edges of the stalk.
        double y = kHeight + 4;
        int segment = 0;
        while (y > -10) {
            const double length = 42 + 10 * latticeValue(int(stalk.x), segment, 3);
            const double top = y - length;
            const double x0 = stalk.x + stalk.lean * (1 - y / kHeight);
            const double x1 = stalk.x + stalk.lean * (1 - top / kHeight);
            QPainterPath piece;
            piece.moveTo(x0 - stalk.width / 2, y - 2);
            piece.lineTo(x1 - stalk.width / 2, top + 2);
            piece.lineTo(x1 + stalk.width / 2, top + 2);
            piece.lineTo(x0 + stalk.width / 2, y - 2);
            piece.closeSubpath();
            QLinearGradient ink(x0 - stalk.width / 2, 0, x0 + stalk.width / 2, 0);
            ink.setColorAt(0.0, QColor(40, 70, 50, stalk.ink));
            ink.setColorAt(0.5, QColor(70, 110, 76, stalk.ink * 3 / 4));
            ink.setColorAt(1.0, QColor(36, 64, 46, stalk.ink));
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawPath(piece);
            painter.setPen(QPen(QColor(30, 50, 36, stalk.ink), 1.6, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(x1 - stalk.width / 2 - 1, top + 1), QPointF(x1 + stalk.width / 2 + 1, top + 1));
            y = top;
            ++segment;
        }
    }
    // Leaves in clusters, each a single brush stroke.
    for (int i = 0; i < 34; ++i) {
        const double x = 40 + latticeValue(i, 1, 9) * 250;
        const double y = 10 + latticeValue(i, 2, 9) * 120;
        const double angle = 10 + latticeValue(i, 3, 9) * 160;
        const double length = 22 + latticeValue(i, 4, 9) * 22;
        QPainterPath blade;
        blade.moveTo(0, 0);
        blade.cubicTo(length * 0.3, -4, length * 0.7, -3, length, 0);
        blade.cubicTo(length * 0.7, 1.5, length * 0.3, 3, 0, 0);
        QTransform transform;
        transform.translate(x, y);
        transform.rotate(angle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 60, 40, 110 + int(latticeValue(i, 5, 9) * 120)));
        painter.drawPath(transform.map(blade));
    }
    paintSeal(painter, QRectF(18, 170, 20, 24));
    painter.end();
    return image;
}

QImage snowyNight()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(18, 26, 56));
    sky.setColorAt(0.7, QColor(56, 70, 110));
    sky.setColorAt(1.0, QColor(90, 100, 136));
    painter.fillRect(image.rect(), sky);
    QRadialGradient moonGlow(QPointF(70, 50), 60);
    moonGlow.setColorAt(0, QColor(255, 250, 220, 120));
    moonGlow.setColorAt(1, QColor(255, 250, 220, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(moonGlow);
    painter.drawEllipse(QPointF(70, 50), 60, 60);
    painter.setBrush(QColor(252, 248, 226));
    painter.drawEllipse(QPointF(70, 50), 16, 16);
    // Snowy hills.
    QPainterPath far = ridgePath(170, 30, 90, 21);
    painter.setBrush(QColor(170, 180, 206));
    painter.drawPath(far);
    QPainterPath near = ridgePath(196, 16, 70, 23);
    QLinearGradient snow(0, 170, 0, kHeight);
    snow.setColorAt(0, QColor(236, 240, 250));
    snow.setColorAt(1, QColor(196, 206, 228));
    painter.setBrush(snow);
    painter.drawPath(near);
    // A cottage with a lit window.
    const QRectF house(190, 148, 48, 34);
    painter.setBrush(QColor(70, 50, 46));
    painter.drawRect(house);
    QPainterPath roof;
    roof.moveTo(182, 150);
    roof.lineTo(214, 124);
    roof.lineTo(246, 150);
    roof.closeSubpath();
    painter.setBrush(QColor(240, 244, 252));
    painter.drawPath(roof);
    QRadialGradient window(QPointF(214, 164), 26);
    window.setColorAt(0, QColor(255, 210, 120, 160));
    window.setColorAt(1, QColor(255, 210, 120, 0));
    painter.setBrush(window);
    painter.drawEllipse(QPointF(214, 164), 26, 26);
    painter.setBrush(QColor(255, 214, 120));
    painter.drawRect(QRectF(207, 158, 14, 12));
    painter.setPen(QPen(QColor(70, 50, 46), 1.4));
    painter.drawLine(QPointF(214, 158), QPointF(214, 170));
    painter.drawLine(QPointF(207, 164), QPointF(221, 164));
    // Pines with snow on their boughs.
    painter.setPen(Qt::NoPen);
    for (const auto &[x, height] : {std::pair{120.0, 70.0}, std::pair{150.0, 52.0}, std::pair{270.0, 64.0},
                                    std::pair{296.0, 46.0}}) {
        const double base = 194;
        for (int tier = 0; tier < 4; ++tier) {
            const double top = base - height + tier * height * 0.2;
            const double bottom = top + height * 0.42;
            const double half = 6 + tier * 5;
            QPainterPath bough;
            bough.moveTo(x, top);
            bough.lineTo(x - half, bottom);
            bough.lineTo(x + half, bottom);
            bough.closeSubpath();
            painter.setBrush(QColor(26, 52, 50));
            painter.drawPath(bough);
            QPainterPath snowCap;
            snowCap.moveTo(x, top);
            snowCap.lineTo(x - half * 0.6, top + (bottom - top) * 0.6);
            snowCap.quadTo(x, top + (bottom - top) * 0.45, x + half * 0.6, top + (bottom - top) * 0.6);
            snowCap.closeSubpath();
            painter.setBrush(QColor(236, 242, 252));
            painter.drawPath(snowCap);
        }
    }
    // Falling snow.
    for (int i = 0; i < 140; ++i) {
        const double x = latticeValue(i, 1, 31) * kWidth;
        const double y = latticeValue(i, 2, 31) * kHeight;
        const double r = 0.6 + latticeValue(i, 3, 31) * 1.4;
        painter.setBrush(QColor(255, 255, 255, 120 + int(latticeValue(i, 4, 31) * 120)));
        painter.drawEllipse(QPointF(x, y), r, r);
    }
    painter.end();
    return image;
}

} // namespace

QImage illustration(Illustration kind)
{
    switch (kind) {
    case Illustration::InkMountains:
        return inkMountains();
    case Illustration::Lighthouse:
        return lighthouse();
    case Illustration::Bamboo:
        return bamboo();
    case Illustration::SnowyNight:
        return snowyNight();
    }
    return {};
}

} // namespace artwork
