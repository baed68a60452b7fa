#pragma once

#include "measured_texts.h"

#include <array>
#include <string_view>

namespace quillmoth {

// Measures text in the theme font on the page surface, in pixels. The reader
// implements it with the real font; tests and the command line use fixed
// numbers so that layout is exactly reproducible.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;

    // Width of the text drawn on one line.
    virtual double width(std::u16string_view text) const = 0;

    // Height of a line holding the text.
    virtual double height(std::u16string_view text) const = 0;
};

// Every UTF-16 unit in the East Asian wide ranges measures `wideWidth`, every
// other unit `narrowWidth`; every text is `height` high.
class FixedTextMetrics final : public TextMetrics {
public:
    FixedTextMetrics(double narrowWidth, double wideWidth, double height)
        : m_narrowWidth(narrowWidth), m_wideWidth(wideWidth), m_height(height)
    {
    }

    double width(std::u16string_view text) const override;
    double height(std::u16string_view) const override { return m_height; }

    // True for the units that measure as wide.
    static bool isWide(char16_t unit);

private:
    double m_narrowWidth;
    double m_wideWidth;
    double m_height;
};

// The measurements of the engine's texts (kEngineMeasuredTexts), taken once
// from other metrics and kept as plain numbers. Real font metrics must stay
// on the thread that made their font; a recording of them can be copied to
// any thread and used there. A text that was not recorded measures NaN, which
// stops book creation with an overflow instead of laying it out wrong.
class RecordedTextMetrics final : public TextMetrics {
public:
    explicit RecordedTextMetrics(const TextMetrics &source);

    double width(std::u16string_view text) const override;
    double height(std::u16string_view text) const override;

private:
    std::array<double, kEngineMeasuredTexts.size()> m_widths{};
    std::array<double, kEngineMeasuredTexts.size()> m_heights{};
};

} // namespace quillmoth
