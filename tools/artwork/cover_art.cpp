#include "artwork.h"
#include "noise.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {
namespace {

constexpr int kWidth = 112;
constexpr int kHeight = 135;
constexpr int kSpine = 9;

const QColor kCloth(128, 30, 40);
const QColor kGold(214, 170, 84);
const QColor kGoldDark(150, 108, 42);

// Book cloth: a fine weave with a mottled dye and wear at the edges.
QColor clothAt(int x, int y)
{
    const double weave = ((x + y) % 2 == 0 ? 0.04 : -0.04) +
                         0.05 * (latticeValue(x, y / 2, 5) - 0.5) +
                         0.05 * (latticeValue(x / 2, y, 6) - 0.5);
    const double mottle = fractalNoise(x / 14.0, y / 14.0, 3, 0, 0, 9) - 0.5;
    double light = 1.0 + weave + 0.22 * mottle;
    // Boards are rounded at the edges and rubbed lighter there.
    const double edge = std::min({x - kSpine, kWidth - 1 - x, y, kHeight - 1 - y}) * 1.0;
    if (x > kSpine)
        light *= 1.0 + 0.16 * std::exp(-edge / 2.0);
    // The spine: a rounded back with the hinge groove beside it.
    if (x < kSpine) {
        const double t = x / double(kSpine);
        light *= 0.72 + 0.35 * std::sin(t * 3.14159);
    } else if (x == kSpine || x == kSpine + 1) {
        light *= x == kSpine ? 0.55 : 0.75;
    } else if (x == kSpine + 2) {
        light *= 1.12;
    }
    return shade(kCloth, light);
}

void paintGoldRule(QPainter &painter, qreal y)
{
    painter.setPen(QPen(kGoldDark, 1.0));
    painter.drawLine(QPointF(17, y + 0.9), QPointF(kWidth - 7, y + 0.9));
    painter.setPen(QPen(kGold, 1.0));
    painter.drawLine(QPointF(17, y), QPointF(kWidth - 7, y));
}

// A small moth in gold, the program's mark, centred at `centre`.
void paintMoth(QPainter &painter, QPointF centre, qreal size, const QColor &colour)
{
    painter.save();
    painter.translate(centre);
    painter.scale(size / 20.0, size / 20.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (int side : {-1, 1}) {
        QPainterPath upper;
        upper.moveTo(0, -1);
        upper.cubicTo(side * 4, -9, side * 12, -10, side * 10, -2);
        upper.cubicTo(side * 9, 1, side * 4, 1, 0, 0);
        painter.drawPath(upper);
        QPainterPath lower;
        lower.moveTo(0, 0.5);
        lower.cubicTo(side * 6, 1, side * 9, 6, side * 5, 7);
        lower.cubicTo(side * 3, 7.5, side * 1, 4, 0, 2);
        painter.drawPath(lower);
    }
    painter.drawEllipse(QPointF(0, 1.5), 1.1, 4.2);
    painter.setPen(QPen(colour, 0.7));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(-0.5, -2.5), QPointF(-3, -7));
    painter.drawLine(QPointF(0.5, -2.5), QPointF(3, -7));
    painter.restore();
}

} // namespace

QImage defaultCover()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.setPixelColor(x, y, clothAt(x, y));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Gold tooling: double rules at head and tail, the moth between them.
    paintGoldRule(painter, 8);
    paintGoldRule(painter, 11);
    paintMoth(painter, QPointF((kSpine + kWidth) / 2.0 + 1, 26), 22, kGold);
    paintGoldRule(painter, kHeight - 5);

    // The paper label where the title goes: it spans the area the program
    // writes the title into (x 12..100, y 50..124 of this picture).
    const QRectF label(13.5, 40.5, 90, 88);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(label.translated(1, 1.5), 2, 2);
    QLinearGradient paper(label.topLeft(), label.bottomRight());
    paper.setColorAt(0.0, QColor(247, 240, 222));
    paper.setColorAt(1.0, QColor(232, 220, 192));
    painter.setBrush(paper);
    painter.drawRoundedRect(label, 2, 2);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int y = int(label.top()) + 1; y < int(label.bottom()); ++y) {
        for (int x = int(label.left()) + 1; x < int(label.right()); ++x) {
            const double fibre = fractalNoise(x / 3.0, y / 9.0, 2, 0, 0, 17) - 0.5;
            const QColor base = image.pixelColor(x, y);
            image.setPixelColor(x, y, shade(base, 1.0 + 0.06 * fibre));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(128, 30, 40, 170), 0.8));
    painter.drawRect(label.adjusted(3, 3, -3, -3));
    painter.setPen(QPen(QColor(128, 30, 40, 110), 0.5));
    painter.drawRect(label.adjusted(5, 5, -5, -5));
    painter.end();
    return image;
}

} // namespace artwork
