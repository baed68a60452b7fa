#pragma once

#include <QColor>

namespace quillmoth {

// The "no colour" value of colour fields (theme fields, node colours).
inline constexpr int kNoColor = -1;

// Colours travel through settings, themes and controls as the number
// red + 256 * green + 65536 * blue. These two helpers are the only place
// where that number meets QColor.

// The colour of a value; an invalid QColor for kNoColor or any negative value.
QColor colorFromValue(int value);

// The colour of a value, or the fallback for kNoColor.
QColor colorFromValue(int value, const QColor &fallback);

// The value of a colour (alpha is dropped); kNoColor for an invalid QColor.
int colorValue(const QColor &color);

// Hue, lightness and saturation on the 0 to 240 scale of the Windows colour
// dialog. Hue 160 stands for "undefined" (greys), as Windows reports it.
struct HlsColor {
    int hue = 0;
    int lightness = 0;
    int saturation = 0;

    friend bool operator==(const HlsColor &, const HlsColor &) = default;
};

inline constexpr int kHlsMax = 240;

// A colour value (R + 256 G + 65536 B) as hue, lightness and saturation.
HlsColor rgbToHls(int value);

// Back from hue, lightness and saturation (each taken modulo or clamped to
// the 0 to 240 scale) to a colour value.
int hlsToRgb(const HlsColor &hls);

} // namespace quillmoth
