#pragma once

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

} // namespace quillmoth
