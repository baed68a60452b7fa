#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>

#include <string_view>

class QPainter;

namespace quillmoth {

// Drawing of the open book's spread surface (picBase2): the background, the
// fold, the corners, the header, page text, page numbers and illustrations.
// Everything here is a function of (painter or image, values); none of it
// knows the widgets that decide when to draw.

// Where a spread's pages and their numbers go, in surface pixels.
struct SpreadLayout {
    QSize surfaceSize;      // SW x SH: the spread surface
    int PageWidth = 0;
    int PageHeight = 0;
    int SpreadCenterX = 0;  // in control pixels: the surface starts 30 pixels in

    enum class Side { Left, Right };
    // The top-left corner of a page's first line.
    QPoint textOrigin(Side side) const;
    // The top-left corner of a page's number; `top` is where it stands.
    QPoint pageNumberOrigin(Side side, int pageNumber, int top) const;
    // The usual top of the page numbers, 30 pixels above the surface's bottom.
    int pageNumberTop() const { return surfaceSize.height() - 30; }
};

// How page text looks, from the theme.
struct PageStyle {
    QFont font;                // the theme font, bold and italic included
    QColor textColor;
    QColor outlineColor;       // invalid for no outline
    QColor chapterTitleColor;
    bool colorizeChapterTitles = false;
    bool isCJK = false;        // which heading test a line gets
    int lineHeight = 1;        // height of 的 or H, plus the line space
    int PageWidth = 0;         // the title frame ends 70 pixels short of it
};

// What drawing a page's text found out.
struct PageTextExtent {
    int lineCount = 0;
    int textBottom = 0;  // below the last line that holds more than spaces; the top when none
};

// Draws a page's lines (each ended by CR LF) from `origin` down, one line
// height apart: outlined when the style has an outline colour, and heading
// lines framed and drawn in the chapter-title colour when asked for. Text is
// drawn as it stands: "&" is an ordinary character.
PageTextExtent paintPageText(QPainter &painter, QPoint origin, std::u16string_view pageText,
                             const PageStyle &style);

// "—— n ——": the text of a page number.
QString pageNumberText(int pageNumber);

// Where a page's number stands: 30 pixels above the page's bottom, or, when
// the text reaches down that far, just below the text, but never below the page.
int pageNumberTop(int usualTop, int textBottom, int numberHeight, int surfaceHeight);

// Draws a page's number at `origin` in `font` and `color`.
void paintPageNumber(QPainter &painter, QPoint origin, int pageNumber, const QFont &font,
                     const QColor &color);

// The header over the spread: the page total on the left page, the book's
// name on the right, each over a pair of rules.
struct HeaderInput {
    SpreadLayout layout;
    QFont font;  // the theme font at 9 points
    QColor color;
    int PageCount = 0;
    QString BookFileName;
};
void paintHeader(QPainter &painter, const HeaderInput &header);

// An image fitted into a box: its size when it fits, otherwise scaled down
// keeping its proportions; centred, except that a tall image scaled to the
// box's height stands at its top.
QRectF CalcNewSize(QSizeF image, QSizeF box);

// Illustration boxes lower than this hold nothing worth seeing.
inline constexpr int kSmallestIllustrationHeight = 16;

// An illustration fitted (CalcNewSize) into the box at `topLeft`, with a
// near-white frame when asked; nothing for a null image or a box lower than
// kSmallestIllustrationHeight.
void paintIllustration(QPainter &painter, QPoint topLeft, QSize box, const QImage &image,
                       bool framed);

// The illustration box of a right-hand page whose text ends at `top`: the
// page's width less 60 pixels, down to 40 pixels above the page's bottom.
QSize illustrationBox(int PageWidth, int PageHeight, int top);

// The opacity of the fold shading and the turning page's shadow over a
// background of average luminance L (0 to 255): darker paper, darker shade.
double shadeOpacityForLuminance(int luminance);

// The average luminance of the surface around the fold: samples 60 pixels
// wide around the middle, every 2nd column and 10th row.
int foldLuminance(const QImage &surface);

// Darkens the seven device-pixel columns at the surface's middle into a
// bound-book fold, each row shaded from the colour found at its centre.
void paintFoldLine(QImage &surface);

// Everything the background of a spread is composed from.
struct BackgroundInput {
    SpreadLayout layout;
    QColor paperColor;
    QImage backgroundImage;      // null when the theme has none
    double BgOpacity = 100;      // percent; 0 counts as 10
    QImage cornerImage;          // null when the theme has none
    double CornerOpacity = 100;  // percent; 0 counts as 100
    int padSize = 90;            // percent: corners grow and shrink with the pad
    QImage midShadowImage;       // the fold shadow picture
    QImage fixedIllustration;    // one picture for every right-hand page; null for none
    bool frameFixedIllustration = false;
    int IllustrationTop = 0;
    HeaderInput header;
};

// Composes the background of every spread of a book: paper, background
// image, fold shading, corners, the fixed illustration and the header.
// Returns ShadeOpacity, which the page turn's shadow uses too.
double paintBackground(QImage &surface, const BackgroundInput &input);

} // namespace quillmoth
