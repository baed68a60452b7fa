#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cmath>
#include <cstdint>

namespace quillmoth {

// Nearest integer, a tie going to the even neighbour, as every conversion of
// the pad's geometry rounds.
inline int roundHalfEvenToInt(double value)
{
    return int(std::nearbyint(value));
}

// The pad's rectangle of the open book in control pixels. Left, top, right and
// bottom are kept as they are compared: a point is on the book when
// Left <= x <= Right and y <= Bottom.
struct PageRectangle {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const PageRectangle &, const PageRectangle &) = default;
};

// Where everything of the open book lies on a reading pad of a given client
// size W x H: two pages of PageWidth x PageHeight side by side, 30 pixels in
// from every edge, the fold at SpreadCenterX.
struct ReaderGeometry {
    int clientWidth = 0;   // W
    int clientHeight = 0;  // H
    int PageWidth = 0;
    int PageHeight = 0;
    int SpreadCenterX = 0;
    PageRectangle PageRect;

    // The geometry of a pad whose client area is W x H.
    static ReaderGeometry forClientSize(int width, int height)
    {
        ReaderGeometry geometry;
        geometry.clientWidth = width;
        geometry.clientHeight = height;
        geometry.SpreadCenterX = roundHalfEvenToInt(width * 0.5);
        geometry.PageWidth = roundHalfEvenToInt((width - 60) * 0.5);
        geometry.PageHeight = height - 60;
        geometry.PageRect = {30, 30, width - 30, height - 30};
        return geometry;
    }

    // The size of the spread surfaces picBase1 and picBase2.
    QSize spreadSize() const { return {clientWidth - 60, clientHeight - 60}; }
    // The size of one page, and of picTurnningPage.
    QSize pageSize() const { return {PageWidth, PageHeight}; }
    // Where the spread surfaces are shown on the control.
    static constexpr QPoint spreadOrigin() { return {30, 30}; }

    // True when the pad is large enough to hold a page at all.
    bool isUsable() const { return PageWidth > 0 && PageHeight > 0; }

    friend bool operator==(const ReaderGeometry &, const ReaderGeometry &) = default;
};

// The colours of bookmark tabs 1 to 4: red, green, blue and yellow, as
// R + 256 G + 65536 B.
inline constexpr std::array<std::int32_t, 4> TabColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};

} // namespace quillmoth
