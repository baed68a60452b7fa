#include "artwork.h"
#include "noise.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {
namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 300;
constexpr int kNotch = 26; // depth of the swallowtail cut

struct RibbonStyle {
    QColor base;
    QColor stitch;
    double sheen;   // strength of the satin highlights
    bool pattern;   // a woven lattice pattern in the middle
};

RibbonStyle styleOf(Ribbon kind)
{
    switch (kind) {
    case Ribbon::Builtin:
        return {QColor(236, 232, 224), QColor(255, 255, 255), 0.35, false};
    case Ribbon::Crimson:
        return {QColor(164, 24, 36), QColor(236, 196, 120), 0.45, false};
    case Ribbon::Gold:
        return {QColor(196, 150, 60), QColor(120, 80, 24), 0.5, true};
    case Ribbon::Indigo:
        return {QColor(44, 52, 116), QColor(210, 214, 236), 0.4, true};
    case Ribbon::Jade:
        return {QColor(46, 130, 102), QColor(226, 240, 220), 0.4, false};
    }
    return {QColor(236, 232, 224), QColor(255, 255, 255), 0.35, false};
}

} // namespace

QImage ribbon(Ribbon kind)
{
    const RibbonStyle style = styleOf(kind);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // The swallowtail: a V cut out of the bottom.
            const double fromCentre = std::abs(x + 0.5 - kWidth / 2.0) / (kWidth / 2.0);
            const double cutTop = kHeight - kNotch * (1.0 - fromCentre);
            const double coverage = clamp01(cutTop - y);
            if (coverage <= 0.0)
                continue;
            // Satin: soft lengthwise folds with a bright sheen and a fine twill.
            const double fold = std::sin(x / double(kWidth) * 3.14159 * 3.0 + 0.6) * 0.5 + 0.5;
            const double ripple = fractalNoise(x / 25.0, y / 60.0, 2, 4, 0, 61) - 0.5;
            const double twill = ((x + y / 2) % 3 == 0) ? -0.05 : 0.02;
            double light = 0.82 + style.sheen * std::pow(fold, 3.0) + 0.25 * ripple + twill;
            // Rolled edges.
            const int edge = std::min(x, kWidth - 1 - x);
            if (edge < 3)
                light *= 0.7 + 0.1 * edge;
            QColor colour = shade(style.base, light);
            if (style.pattern) {
                const int u = (x + y) % 14;
                const int v = (x - y + 1400) % 14;
                if ((u == 0 || v == 0) && edge > 10)
                    colour = mix(colour, style.stitch, 0.45);
            }
            colour.setAlphaF(float(coverage));
            image.setPixelColor(x, y, colour);
        }
    }
    // A stitched seam along both edges.
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen stitch(style.stitch, 1.2, Qt::CustomDashLine, Qt::RoundCap);
    stitch.setDashPattern({3, 2.5});
    painter.setPen(stitch);
    const double seamBottom = kHeight - kNotch - 6;
    painter.drawLine(QPointF(6.5, 0), QPointF(6.5, seamBottom));
    painter.drawLine(QPointF(kWidth - 6.5, 0), QPointF(kWidth - 6.5, seamBottom));
    painter.end();
    return image;
}

} // namespace artwork
