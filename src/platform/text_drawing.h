#pragma once

#include <QRect>
#include <QString>

class QPainter;

namespace quillmoth {

// Text format flags with the values and meanings of the Windows DrawText
// flags, because settings and controls store them as numbers.
namespace TextFormat {
inline constexpr int kTop = 0x0;
inline constexpr int kLeft = 0x0;
inline constexpr int kCenter = 0x1;
inline constexpr int kRight = 0x2;
inline constexpr int kVerticalCenter = 0x4; // single-line text only
inline constexpr int kBottom = 0x8;         // single-line text only
inline constexpr int kWordBreak = 0x10;
inline constexpr int kSingleLine = 0x20;
inline constexpr int kExpandTabs = 0x40;
inline constexpr int kNoClip = 0x100;
inline constexpr int kCalculateRect = 0x400;
inline constexpr int kNoPrefix = 0x800;
inline constexpr int kPathEllipsis = 0x4000;
inline constexpr int kEndEllipsis = 0x8000;
inline constexpr int kWordEllipsis = 0x40000;
inline constexpr int kHidePrefix = 0x100000;
} // namespace TextFormat

// Draws text in a rectangle the way DrawText places it, in the painter's
// font and pen: "&" underlines the next character unless kNoPrefix ("&&" is
// a plain "&"), lines are broken only at line breaks unless kWordBreak,
// single-line text ignores line breaks, and the text is clipped to the
// rectangle unless kNoClip. Returns the height of the text. With
// kCalculateRect nothing is drawn: the rectangle's right and bottom edges
// are moved to fit the text instead.
int drawFormattedText(QPainter &painter, QRect &rect, const QString &text, int format);

// The same, for callers that do not need the rectangle back.
int drawFormattedText(QPainter &painter, const QRect &rect, const QString &text, int format);

// The QPainter::drawText flags that stand for a DrawText format.
int qtTextFlags(int format);

} // namespace quillmoth
