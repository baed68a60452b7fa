#include "artwork.h"
#include "noise.h"

#include <cmath>

namespace artwork {

// The fold between the pages. The program draws it centred on the fold and
// also stretches its left 50 columns over the right page, so those columns
// ramp up gently from nothing.
QImage foldShadow()
{
    constexpr int kWidth = 180;
    constexpr int kHeight = 200;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    const double centre = kWidth / 2.0;
    for (int x = 0; x < kWidth; ++x) {
        const double d = (x + 0.5 - centre) / centre; // -1 .. 1
        // Steeper on the right: the right page rises out of the gutter.
        const double spread = d < 0 ? 0.42 : 0.3;
        double alpha = std::exp(-(d * d) / (2 * spread * spread));
        alpha = 0.6 * alpha + 0.2 * std::exp(-(d * d) / 0.004);
        // Let the edges fall to nothing.
        alpha *= smoothStep(1.0, 0.8, std::abs(d));
        for (int y = 0; y < kHeight; ++y) {
            // Rows 0-9 and the last ten fade, which the program leaves out.
            const double ends = smoothStep(0, 10, y) * smoothStep(kHeight, kHeight - 10, y);
            const int a = int(std::lround(255 * clamp01(alpha * (0.3 + 0.7 * ends))));
            image.setPixel(x, y, qRgba(20, 14, 8, a));
        }
    }
    return image;
}

// The band along the fold of a turning page: darkest on the fold line,
// fading to both sides and toward both ends.
QImage turnShadow()
{
    constexpr int kWidth = 48;
    constexpr int kHeight = 256;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    const double centre = kWidth / 2.0;
    for (int y = 0; y < kHeight; ++y) {
        const double ends = smoothStep(0, 24, y) * smoothStep(kHeight, kHeight - 24, y);
        for (int x = 0; x < kWidth; ++x) {
            const double d = (x + 0.5 - centre) / centre;
            const double alpha = std::exp(-(d * d) / (2 * 0.33 * 0.33)) * smoothStep(1.0, 0.75, std::abs(d));
            image.setPixel(x, y, qRgba(20, 14, 8, int(std::lround(235 * alpha * ends))));
        }
    }
    return image;
}

} // namespace artwork
