#pragma once

#include <QRect>
#include <QString>

class QPainter;

namespace quillmoth {

// Drawing on the pad around the spread.

// The indicator shown while a book is being made: a thin bar filled to
// `fraction` (0 to 1) in the middle of `area`, with the percentage under it.
void paintOpeningProgress(QPainter &painter, const QRect &area, double fraction);

} // namespace quillmoth
