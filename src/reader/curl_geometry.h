#pragma once

#include "reader/reader_geometry.h"

#include <QLineF>
#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QSize>

#include <optional>

namespace quillmoth {

// Which way a page turns: forward lifts the right page's bottom corner and
// carries it to the left, back lifts the left page's bottom corner to the right.
enum class TurnDirection { Forward, Back };

// The soft shadow along the fold: the side shadow picture drawn into
// `destination`, in a frame moved to `origin` and turned by `rotation` degrees
// (clockwise on screen).
struct CurlShadow {
    QPointF origin;
    double rotation = 0;
    QRect destination;

    friend bool operator==(const CurlShadow &, const CurlShadow &) = default;
};

// One frame of a page turn, in control pixels: where the fold lies, which part
// of the pad the lifted flap covers, which part of the page underneath it
// uncovers, and how the back of the page and the fold shadow are placed.
struct CurlGeometry {
    TurnDirection direction = TurnDirection::Forward;
    double TurnOffset = 0;  // d: how far the corner has travelled along the bottom edge
    double FoldAngle = 0;   // a, degrees
    QPointF corner;         // P: where the lifted corner lies now
    QPointF FoldBottom;     // F: where the fold meets the bottom edge
    QPointF foldEnd;        // E or G: where the fold leaves the page
    QPolygon FlapPolygon;   // P, F, E or P, F, G, C
    QPolygon RevealPolygon; // the uncovered part of the page being turned

    // The back of the turning page: a picture of backImageSize drawn at
    // backImageOffset in a frame moved to flapOrigin and turned by flapRotation.
    QPoint flapOrigin;
    double flapRotation = 0;
    QPoint backImageOffset;
    QSize backImageSize;

    // Where the page underneath is drawn (unscaled, one page in size).
    QPoint revealedPageOrigin;

    // The fold shadow; none near the end of a turn.
    std::optional<CurlShadow> shadow;

    // The fold line, from the bottom edge to where it leaves the page.
    QLineF foldLine() const { return {FoldBottom, foldEnd}; }

    friend bool operator==(const CurlGeometry &, const CurlGeometry &) = default;
};

// The frame of a turn at offset d (0 to PageWidth) on a pad of this geometry.
// Every value is finite, also at d = PageWidth where the fold stands upright.
CurlGeometry curlGeometry(TurnDirection direction, double offset, const ReaderGeometry &geometry);

} // namespace quillmoth
