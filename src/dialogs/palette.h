#pragma once

#include <QPointF>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QPainter;

namespace quillmoth {

// The 48 colours a user picks from, six rows of eight, as values
// R + 256 G + 65536 B: greys in the first column, then red, orange, yellow,
// green, cyan, blue and magenta, from light to dark.
extern const std::array<std::int32_t, 48> kPaletteColors;

// Cells are 12 pixels square at a 14-pixel pitch.
inline constexpr int kPaletteCell = 12;
inline constexpr int kPalettePitch = 14;
inline constexpr int kPaletteColumns = 8;
inline constexpr int kPaletteRows = 6;

// The colour under a point of the palette, in logical pixels (column x div
// 14, row y div 14, so a gap belongs to the cell before it); nothing for a
// point outside the palette.
std::optional<std::int32_t> paletteColorAt(QPointF point);

// Draws the 48 cells from (0, 0).
void paintPalette(QPainter &painter);

// The palette as a control: a release on a cell picks its colour.
class PaletteBox : public QWidget {
    Q_OBJECT

public:
    explicit PaletteBox(QWidget *parent = nullptr);

    QSize sizeHint() const override;

signals:
    void colorPicked(std::int32_t color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A filled rectangle showing a colour; a click on it is told.
class ColorSwatch : public QWidget {
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    std::int32_t color() const { return m_color; }
    void setColor(std::int32_t color);
    // A frame marks the swatch the palette sets.
    void setTargeted(bool targeted);
    bool isTargeted() const { return m_targeted; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::int32_t m_color = 0;
    bool m_targeted = false;
};

} // namespace quillmoth
