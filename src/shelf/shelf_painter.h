#pragma once

#include "shelf/shelf_layout.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <filesystem>
#include <vector>

class QPainter;

namespace quillmoth {

// Drawing of the bookshelf window: the background with its glass pane and the
// tree's shadow, the painted shelf, the covers and their titles, and the page
// buttons. Functions of (painter, values), like the reading pad's painters;
// the window decides when to call them.

// The three pieces the shelf is painted from, with the left post mirrored
// once for the right side.
struct ShelfPieces {
    QImage top;
    QImage leftPost;
    QImage rightPost;
    QImage board;
};

// Loads the pieces from Settings/DATA; a piece that fails to load or is empty
// is replaced by the built-in one.
ShelfPieces loadShelfPieces(const std::filesystem::path &topFile,
                            const std::filesystem::path &leftFile,
                            const std::filesystem::path &boardFile);

// The built-in pieces.
ShelfPieces builtinShelfPieces();

// DrawshelfBackGround, for the band [bandTop, bandTop + bandHeight) of a
// canvas of the given size; the painter draws in canvas coordinates. The top
// piece is stretched over the width and drawn once unstretched at the right,
// the posts are tiled down both sides (the right one mirrored), and the boards
// fill the rows between them, the last board of a row pulled left to end at
// the right post.
void paintShelfBackground(QPainter &painter, const ShelfPieces &pieces, QSize canvasSize,
                          int bandTop, int bandHeight);

// One cover: the thumbnail stretched into the rectangle, or, without one, the
// default cover with the title written on it (DrawCoverTitle).
void paintCover(QPainter &painter, const CoverRect &rect, const QImage &thumbnail,
                const QImage &defaultCover, const QString &title, const QFont &font);

// DrawCoverTitle: the title centred and word-wrapped in (left + 10, top + 50,
// right - 10, bottom - 11), in black; "&" is an ordinary character.
void paintCoverTitle(QPainter &painter, const CoverRect &rect, const QString &title,
                     const QFont &font);

// The frame around the pressed cover: inset by 4 on the shelf (Shape3), and
// (8, 8, width - 15, height - 15) on the pages (Shape1).
QRect shelfSelectionFrame(const CoverRect &rect);
QRect pageSelectionFrame(const CoverRect &rect);
void paintSelectionFrame(QPainter &painter, const QRect &frame);

// The window's background picture: stretched to (0, 25, width, height - 45).
// An empty client area below the picture stays as the painter found it.
void paintWindowBackground(QPainter &painter, const QImage &background, QSize clientSize);

// The glass pane: what lies under `rect` seen through the pane's colour at
// alpha 180 of 255, outlined in RGB(25, 120, 120) one pixel outside.
void paintGlassPane(QPainter &painter, const QImage &under, const QRect &rect,
                    const QColor &glassColor);

// The soft black shadow of a control: a 6-pixel ramp beyond its right and
// bottom edges, drawn at (left, top + 1) and (width + 6) x (height + 6).
void paintDropShadow(QPainter &painter, const QRect &control);

// The shadow's alpha at a pixel of its (width + 6) x (height + 6) picture.
int dropShadowAlpha(int x, int y, QSize control);

// The page buttons' numbers in RGB(200, 200, 200), and the frame (Shape2)
// that marks the current page's button.
void paintPageButtons(QPainter &painter, const std::vector<PageButton> &buttons, int currentPage,
                      const QFont &font);

// The black status strip along the window's bottom edge.
QRect statusStrip(QSize clientSize);

} // namespace quillmoth
