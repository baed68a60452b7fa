#pragma once

#include <QColor>

#include <cstdint>

namespace artwork {

// Deterministic noise, so that regenerating the artwork on any machine gives
// the same pictures. Everything tiles: coordinates wrap at the given periods
// (in lattice cells), which is what makes the shelf pieces seamless.

// A value in [0, 1) for a lattice point.
double latticeValue(std::int64_t x, std::int64_t y, std::uint32_t seed);

// Smooth value noise in [0, 1); periods of 0 mean "does not wrap".
double valueNoise(double x, double y, int periodX, int periodY, std::uint32_t seed);

// Several octaves of value noise, each twice as fine and half as strong;
// the periods double with each octave so the sum still tiles.
double fractalNoise(double x, double y, int octaves, int periodX, int periodY,
                    std::uint32_t seed);

// Linear mix of two colours, t in [0, 1].
QColor mix(const QColor &a, const QColor &b, double t);

// Scales the brightness of a colour by a factor (clamped).
QColor shade(const QColor &colour, double factor);

double clamp01(double value);
double smoothStep(double edge0, double edge1, double x);

} // namespace artwork
