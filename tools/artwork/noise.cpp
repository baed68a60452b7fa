#include "noise.h"

#include <algorithm>
#include <cmath>

namespace artwork {
namespace {

std::int64_t wrap(std::int64_t value, int period)
{
    if (period <= 0)
        return value;
    const std::int64_t result = value % period;
    return result < 0 ? result + period : result;
}

double fade(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double latticeValue(std::int64_t x, std::int64_t y, std::uint32_t seed)
{
    // A small integer hash (xorshift-multiply); stable on every platform.
    std::uint64_t h = std::uint64_t(x) * 0x9E3779B97F4A7C15ull;
    h ^= std::uint64_t(y) * 0xC2B2AE3D27D4EB4Full + seed * 0x165667B19E3779F9ull;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBull;
    h ^= h >> 33;
    return double(h >> 11) / double(1ull << 53);
}

double valueNoise(double x, double y, int periodX, int periodY, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto x0 = std::int64_t(fx);
    const auto y0 = std::int64_t(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const auto at = [&](std::int64_t dx, std::int64_t dy) {
        return latticeValue(wrap(x0 + dx, periodX), wrap(y0 + dy, periodY), seed);
    };
    const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
    const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, int octaves, int periodX, int periodY,
                    std::uint32_t seed)
{
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * valueNoise(x, y, periodX, periodY, seed + std::uint32_t(octave) * 101u);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor shade(const QColor &colour, double factor)
{
    return QColor::fromRgbF(float(clamp01(colour.redF() * factor)),
                            float(clamp01(colour.greenF() * factor)),
                            float(clamp01(colour.blueF() * factor)), colour.alphaF());
}

double clamp01(double value)
{
    return std::clamp(value, 0.0, 1.0);
}

double smoothStep(double edge0, double edge1, double x)
{
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

} // namespace artwork
