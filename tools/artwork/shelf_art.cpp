#include "artwork.h"
#include "noise.h"

#include <cmath>
#include <numbers>

namespace artwork {
namespace {

constexpr int kRowHeight = 170;
constexpr int kBoardWidth = 90;
constexpr int kPlankTop = 151; // covers stand here: 16 below the row top, 135 high
constexpr int kPlankFront = 157;
constexpr int kPostWall = 12;  // the cabinet side seen from the front
constexpr int kPostInner = 17; // ... and its inner face, seen at a slant

// Wood with its grain running along x. Periodic in x with `periodX` pixels,
// which must be a multiple of 45.
double horizontalGrain(double x, double y, int periodX, double ringSpacing, std::uint32_t seed,
                       double warpAmount = 1.0)
{
    // Mostly the same all along x, with a little variation: the program pulls
    // the last board of a row left over its neighbour, and only grain that
    // hardly changes along x hides that overlap.
    const double warp = 0.7 * fractalNoise(0, y / 14.0, 2, 0, 0, seed) +
                        0.3 * fractalNoise(x / 45.0, y / 14.0, 2, periodX / 45, 0, seed + 1);
    const double ring = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * (y / ringSpacing + warpAmount * warp));
    const double fibre = 0.8 * fractalNoise(0, y / 1.3, 2, 0, 0, seed + 7) +
                         0.2 * fractalNoise(x / 45.0, y / 1.3, 2, periodX / 45, 0, seed + 8);
    const double mottle = fractalNoise(x / 45.0, y / 20.0, 2, periodX / 45, 0, seed + 13);
    return clamp01(0.5 * std::pow(ring, 1.6) + 0.35 * fibre + 0.15 * mottle);
}

// Wood with its grain running along y, periodic every row.
double verticalGrain(double x, double y, std::uint32_t seed)
{
    const double warp = fractalNoise(x / 8.0, y / 34.0, 3, 0, kRowHeight / 34, seed);
    const double ring = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * (x / 5.5 + 1.6 * warp));
    const double fibre = fractalNoise(x / 1.3, y / 17.0, 2, 0, kRowHeight / 17, seed + 7);
    return clamp01(0.5 * std::pow(ring, 1.6) + 0.4 * fibre + 0.05);
}

const QColor kBackDark(58, 33, 18);
const QColor kBackLight(101, 62, 34);
const QColor kPlankDark(122, 74, 38);
const QColor kPlankLight(186, 128, 72);
const QColor kWallDark(98, 58, 30);
const QColor kWallLight(158, 102, 56);

// One row of the shelf at board phase x (0 to 89) and height y (0 to 169).
QColor rowColour(int x, int y)
{
    if (y < kPlankTop) {
        const double grain = horizontalGrain(x, y, kBoardWidth, 11.0, 11, 0.8);
        QColor colour = mix(kBackDark, kBackLight, grain);
        // The back is two boards with a seam between them.
        if (y == 74)
            colour = shade(colour, 0.55);
        else if (y == 75)
            colour = shade(colour, 1.18);
        // The plank above casts a shadow; the corner by the plank below is dim.
        double light = 1.0 - 0.6 * std::exp(-y / 8.0);
        light *= 1.0 - 0.3 * smoothStep(kPlankTop - 12, kPlankTop, y);
        return shade(colour, light);
    }
    const double grain = horizontalGrain(x, y * 1.6, kBoardWidth, 7.0, 29, 0.5);
    QColor colour = mix(kPlankDark, kPlankLight, grain);
    if (y < kPlankFront) {
        // The top of the plank, seen from above: lit toward its front edge.
        const double t = double(y - kPlankTop) / double(kPlankFront - kPlankTop - 1);
        colour = shade(colour, 0.82 + 0.3 * t);
        if (y == kPlankTop)
            colour = shade(colour, 0.7);
        return colour;
    }
    // The front edge: a bright rounded top, darker toward the bottom.
    if (y == kPlankFront)
        return shade(colour, 1.35);
    if (y == kPlankFront + 1)
        return shade(colour, 1.18);
    if (y == kRowHeight - 1)
        return shade(colour, 0.45);
    const double t = double(y - kPlankFront) / double(kRowHeight - kPlankFront);
    return shade(colour, 1.05 - 0.3 * t);
}

} // namespace

QImage shelfBoard()
{
    QImage image(kBoardWidth, kRowHeight, QImage::Format_RGB32);
    for (int y = 0; y < kRowHeight; ++y)
        for (int x = 0; x < kBoardWidth; ++x)
            image.setPixelColor(x, y, rowColour(x, y));
    return image;
}

QImage shelfPost()
{
    constexpr int kWidth = 80;
    QImage image(kWidth, kRowHeight, QImage::Format_RGB32);
    for (int y = 0; y < kRowHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            QColor colour;
            if (x < kPostWall) {
                colour = mix(kWallDark, kWallLight, verticalGrain(x, y, 41));
                if (x == 0)
                    colour = shade(colour, 0.5);
                else if (x == 1 || x == 2)
                    colour = shade(colour, 1.3 - 0.1 * x);
                else if (x == kPostWall - 1)
                    colour = shade(colour, 0.8);
            } else if (x < kPostInner) {
                // The inner face of the side, turned away from the light.
                colour = mix(kWallDark, kWallLight, verticalGrain(x * 0.6, y, 43));
                colour = shade(colour, 0.55 + 0.05 * (x - kPostWall));
            } else {
                const int phase = ((x - kWidth) % kBoardWidth + kBoardWidth) % kBoardWidth;
                colour = rowColour(phase, y);
                if (y < kPlankTop)
                    colour = shade(colour, 1.0 - 0.5 * std::exp(-(x - kPostInner) / 8.0));
                else
                    colour = shade(colour, 1.0 - 0.25 * std::exp(-(x - kPostInner) / 5.0));
            }
            image.setPixelColor(x, y, colour);
        }
    }
    return image;
}

QImage shelfTop()
{
    constexpr int kWidth = 39;
    constexpr int kHeight = 19;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    // The profile of the crown moulding from top to bottom: brightness of
    // each line.
    static constexpr double kProfile[kHeight] = {0.45, 0.85, 1.25, 1.2, 1.1, 1.0, 0.92,
                                                 0.82, 0.6,  0.5,  0.95, 1.05, 1.05, 1.0,
                                                 0.95, 0.9, 1.2,  0.75, 0.4};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // The piece is stretched across the shelf and also drawn once
            // unstretched at its right end, so it must not change along x.
            const double grain = horizontalGrain(0, y * 1.5, 45, 6.0, 53);
            image.setPixelColor(x, y, shade(mix(kWallDark, kWallLight, grain), kProfile[y]));
        }
    }
    return image;
}

} // namespace artwork
