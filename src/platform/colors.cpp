#include "colors.h"

#include <algorithm>

namespace quillmoth {
namespace {

constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

int red(int value) { return value & 0xFF; }
int green(int value) { return (value >> 8) & 0xFF; }
int blue(int value) { return (value >> 16) & 0xFF; }

int hueToRgb(int n1, int n2, int hue)
{
    if (hue < 0)
        hue += kHlsMax;
    if (hue > kHlsMax)
        hue -= kHlsMax;
    if (hue < kHlsMax / 6)
        return n1 + (((n2 - n1) * hue + kHlsMax / 12) / (kHlsMax / 6));
    if (hue < kHlsMax / 2)
        return n2;
    if (hue < kHlsMax * 2 / 3)
        return n1 + (((n2 - n1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6));
    return n1;
}

int toChannel(int level)
{
    return std::clamp((level * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax);
}

} // namespace

QColor colorFromValue(int value)
{
    if (value < 0)
        return {};
    return QColor(red(value), green(value), blue(value));
}

QColor colorFromValue(int value, const QColor &fallback)
{
    return value < 0 ? fallback : colorFromValue(value);
}

int colorValue(const QColor &color)
{
    if (!color.isValid())
        return kNoColor;
    const QColor rgb = color.toRgb();
    return rgb.red() + 256 * rgb.green() + 65536 * rgb.blue();
}

HlsColor rgbToHls(int value)
{
    const int r = red(value);
    const int g = green(value);
    const int b = blue(value);
    const int cMax = std::max({r, g, b});
    const int cMin = std::min({r, g, b});
    HlsColor hls;
    hls.lightness = ((cMax + cMin) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (cMax == cMin) {
        hls.hue = kUndefinedHue;
        return hls;
    }
    const int range = cMax - cMin;
    const int sum = cMax + cMin;
    if (hls.lightness <= kHlsMax / 2)
        hls.saturation = (range * kHlsMax + sum / 2) / sum;
    else
        hls.saturation = (range * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);

    const auto delta = [&](int channel) {
        return ((cMax - channel) * (kHlsMax / 6) + range / 2) / range;
    };
    if (r == cMax)
        hls.hue = delta(b) - delta(g);
    else if (g == cMax)
        hls.hue = kHlsMax / 3 + delta(r) - delta(b);
    else
        hls.hue = kHlsMax * 2 / 3 + delta(g) - delta(r);
    if (hls.hue < 0)
        hls.hue += kHlsMax;
    if (hls.hue >= kHlsMax)
        hls.hue -= kHlsMax;
    return hls;
}

int hlsToRgb(const HlsColor &hls)
{
    const int hue = ((hls.hue % kHlsMax) + kHlsMax) % kHlsMax;
    const int lightness = std::clamp(hls.lightness, 0, kHlsMax);
    const int saturation = std::clamp(hls.saturation, 0, kHlsMax);
    if (saturation == 0) {
        const int level = lightness * kRgbMax / kHlsMax;
        return level + 256 * level + 65536 * level;
    }
    const int magic2 = lightness <= kHlsMax / 2
        ? (lightness * (kHlsMax + saturation) + kHlsMax / 2) / kHlsMax
        : lightness + saturation - (lightness * saturation + kHlsMax / 2) / kHlsMax;
    const int magic1 = 2 * lightness - magic2;
    const int r = toChannel(hueToRgb(magic1, magic2, hue + kHlsMax / 3));
    const int g = toChannel(hueToRgb(magic1, magic2, hue));
    const int b = toChannel(hueToRgb(magic1, magic2, hue - kHlsMax / 3));
    return r + 256 * g + 65536 * b;
}

} // namespace quillmoth
