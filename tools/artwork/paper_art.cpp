#include "artwork.h"
#include "noise.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace artwork {
namespace {

struct PaperStyle {
    QColor base;
    QColor fibre;      // colour the fibres pull toward
    double fibreAmount;
    double mottleAmount;
    double vignette;   // darkening at the edges
    double weave;      // cloth weave strength (0 for paper)
    std::uint32_t seed;
};

QImage paintPaper(int width, int height, const PaperStyle &style)
{
    QImage image(width, height, QImage::Format_RGB32);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double mottle = fractalNoise(x / 90.0, y / 90.0, 4, 0, 0, style.seed) - 0.5;
            const double cloud = fractalNoise(x / 25.0, y / 25.0, 3, 0, 0, style.seed + 3) - 0.5;
            const double grain = latticeValue(x, y, style.seed + 21) - 0.5;
            double light = 1.0 + style.mottleAmount * (mottle + 0.5 * cloud) + 0.03 * grain;
            if (style.weave > 0.0) {
                const double warp = std::sin(x * 3.14159 / 1.5) * 0.5 + 0.5;
                const double weft = std::sin(y * 3.14159 / 1.5) * 0.5 + 0.5;
                const double thread = fractalNoise(x / 1.2, y / 30.0, 1, 0, 0, style.seed + 31);
                light += style.weave * ((warp * weft) - 0.25 + 0.5 * (thread - 0.5));
            }
            const double dx = (x - cx) / cx;
            const double dy = (y - cy) / cy;
            light *= 1.0 - style.vignette * std::pow(std::min(1.0, (dx * dx + dy * dy) / 2.0), 1.4);
            image.setPixelColor(x, y, shade(style.base, light));
        }
    }
    // Fibres: short, thin, gently bent strands in every direction.
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = int(width * height * style.fibreAmount / 120.0);
    for (int i = 0; i < count; ++i) {
        const auto random = [&](int channel) { return latticeValue(i, channel, style.seed + 41); };
        const QPointF start(random(0) * width, random(1) * height);
        const double angle = random(2) * 2 * 3.14159265;
        const double length = 5 + 22 * random(3) * random(3);
        const QPointF end = start + QPointF(length * std::cos(angle), length * std::sin(angle));
        const QPointF bend = (start + end) / 2 + QPointF((random(4) - 0.5) * length * 0.5,
                                                          (random(5) - 0.5) * length * 0.5);
        QPainterPath fibre(start);
        fibre.quadTo(bend, end);
        QColor colour = random(6) < 0.25 ? shade(style.base, 1.12) : style.fibre;
        colour.setAlpha(16 + int(random(7) * 50));
        painter.setPen(QPen(colour, 0.5 + random(8) * 0.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(fibre);
    }
    painter.end();
    return image;
}

} // namespace

QImage windowBackground()
{
    // Warm, quiet paper: the shelf, the tree and the glass pane sit on it.
    QImage image = paintPaper(800, 500,
                              {QColor(226, 210, 178), QColor(190, 160, 118), 0.35, 0.16, 0.42, 0.0, 101});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Light falls from the upper left.
    QRadialGradient light(QPointF(180, 60), 700);
    light.setColorAt(0.0, QColor(255, 248, 230, 70));
    light.setColorAt(1.0, QColor(255, 248, 230, 0));
    painter.fillRect(image.rect(), light);
    return image;
}

QImage pageBackground(Paper kind)
{
    constexpr int kWidth = 1000;
    constexpr int kHeight = 660;
    switch (kind) {
    case Paper::Parchment:
        return paintPaper(kWidth, kHeight,
                          {QColor(238, 222, 186), QColor(176, 142, 96), 0.4, 0.13, 0.6, 0.0, 201});
    case Paper::RicePaper:
        return paintPaper(kWidth, kHeight,
                          {QColor(246, 242, 230), QColor(214, 204, 180), 0.55, 0.07, 0.18, 0.0, 301});
    case Paper::Linen:
        return paintPaper(kWidth, kHeight,
                          {QColor(228, 226, 214), QColor(196, 192, 176), 0.2, 0.06, 0.22, 0.05, 401});
    case Paper::NightBlue:
        return paintPaper(kWidth, kHeight,
                          {QColor(40, 48, 66), QColor(62, 72, 94), 0.35, 0.2, 0.5, 0.0, 501});
    }
    return {};
}

} // namespace artwork
