#pragma once

#include "reader/curl_geometry.h"

#include <QImage>

class QPainter;

namespace quillmoth {

// The pictures a page turn is composed from, cut once when the turn is set up
// so that a frame only composes them.
struct TurnImages {
    QImage revealedPage;  // the page the turn uncovers (NextPageImage or PrevPageImage)
    QImage backImage;     // the back of the turning page, already turned on its side
    QImage shadowImage;   // the fold shadow, already darkened
    double shadowOpacity = 0.36;

    bool isReady() const { return !revealedPage.isNull() && !backImage.isNull(); }
};

// Paints one frame of a turn over the shown spread: the uncovered part of the
// page underneath, the lifted flap showing the back of the page, and the soft
// shadow along the fold. Only the flap's edges are antialiased.
void paintTurnFrame(QPainter &painter, const CurlGeometry &curl, const TurnImages &images);

} // namespace quillmoth
