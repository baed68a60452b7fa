#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

namespace quillmoth {

// Where the covers stand, in the shelf's canvas and on the cover pages, and
// which cover or page button a point hits. Pure values: no widgets.

// A cover's edges; Right and Bottom are exclusive, and a point on an edge
// hits nothing.
struct CoverRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool strictlyContains(QPoint point) const
    {
        return Left < point.x() && point.x() < Right && Top < point.y() && point.y() < Bottom;
    }
    QRect rect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    friend bool operator==(const CoverRect &, const CoverRect &) = default;
};

// ---------------------------------------------------------------------------
// The shelf

namespace shelf {
inline constexpr QRect kViewport{240, 45, 479, 469}; // PicBlind in "Shelf" mode
inline constexpr int kCoversPerRow = 4;
inline constexpr int kCoverWidth = 95;
inline constexpr int kCoverHeight = 135;
inline constexpr int kColumnPitch = 115;
inline constexpr int kRowPitch = 170;
inline constexpr int kFirstLeft = 20;
inline constexpr int kFirstTop = 35;
inline constexpr int kScrollBarWidth = 16;
// Shelves of more covers than this need the scroll bar.
inline constexpr int kCoversWithoutScrolling = 12;
} // namespace shelf

// The cover of book `index` on the shelf canvas.
CoverRect shelfCoverRect(int index);

// The canvas is as tall as all rows (20 pixels below the last cover), and at
// least as tall as the viewport.
int shelfCanvasHeight(int bookCount, int viewportHeight = shelf::kViewport.height());

// MouseOverShelf: the book whose cover strictly contains the canvas point,
// -1 for none.
int MouseOverShelf(QPoint canvasPoint, int bookCount);

// The books whose rows reach into the canvas band [top, top + height), widened
// by `margin` pixels on both sides: what must be drawn to show that band.
struct IndexRange {
    int first = 0;
    int last = -1; // inclusive; last < first when empty
    bool isEmpty() const { return last < first; }
    bool contains(int index) const { return first <= index && index <= last; }
    friend bool operator==(const IndexRange &, const IndexRange &) = default;
};
IndexRange shelfBooksInBand(int top, int height, int margin, int bookCount);

// The smooth wheel scroll of the shelf (Timer2): ten ticks of 15 pixels, then
// twenty of 1, so a notch moves 170 pixels, one row, fast first and slow at
// the end; an end of the canvas stops it early.
class ShelfScroll {
public:
    enum class Direction { Up, Down };

    // The canvas's top edge is at -scrollValue.
    ShelfScroll(int canvasHeight, int viewportHeight)
        : m_canvasHeight(canvasHeight), m_viewportHeight(viewportHeight)
    {
    }

    int canvasTop() const { return m_top; }
    void setCanvasTop(int top) { m_top = top; }
    int lowestTop() const { return -(m_canvasHeight - m_viewportHeight); }
    bool canScroll() const { return m_canvasHeight > m_viewportHeight; }
    bool isRunning() const { return m_running; }
    int tickCount() const { return m_ticks; }

    // A wheel notch; away from the user scrolls up. Starts the motion when
    // there is room that way (a canvas top above 0 snaps to 0 first).
    void wheel(Direction direction);

    // One tick: moves the canvas; false once the motion has stopped.
    bool tick();

    // Stops any motion (the list changed under it).
    void stop();

private:
    int m_canvasHeight;
    int m_viewportHeight;
    int m_top = 0;
    int m_ticks = 0;
    Direction m_direction = Direction::Down;
    bool m_running = false;
};

// ---------------------------------------------------------------------------
// The cover pages of "Slide", "Curtain" and "FadeIn"

namespace pages {
inline constexpr QPoint kOrigin{260, 70};
inline constexpr QRect kLayer{260, 70, 442, 426}; // PicBlind in the page modes
inline constexpr int kCoversPerPage = 12;
inline constexpr int kCoverWidth = 100;
inline constexpr int kCoverHeight = 135;
inline constexpr int kColumnPitch = 114;
inline constexpr int kRowPitch = 145;
inline constexpr int kButtonSize = 16;
inline constexpr int kButtonPitch = 20;
// With more pages than this the buttons show the first and the last page and
// a window of pages around the current one.
inline constexpr int kMostButtons = 20;
} // namespace pages

// Pages of twelve covers for `bookCount` books (1 to 12: one page).
int pageCount(int bookCount);

// The covers of the page that starts at book `firstIndex`, positions 0 to at
// most 11, placed from `origin`.
std::vector<CoverRect> pageCoverRects(int firstIndex, int bookCount,
                                      QPoint origin = pages::kOrigin);

// MouseOverCovers: the first position whose cover strictly contains the point.
int MouseOverCovers(QPoint point, const std::vector<CoverRect> &rects);

// Whether a window point is in the covers' area (where moves arm a drag).
bool inCoverArea(QPoint point, QSize clientSize);

// A page button: the 1-based page it shows and where it stands.
struct PageButton {
    int page = 0;
    QRect rect;
};

// The page buttons along the bottom strip, ending 20 pixels from the right:
// every page when there are few, otherwise the first, the last and a
// window around `currentPage` (1-based), in page order.
std::vector<PageButton> BuildPageButtons(int pageCount, int currentPage, QSize clientSize);

// PageButtonAt: the page of the button with left < x < right, -1 for none
// (the height is not tested).
int PageButtonAt(int x, const std::vector<PageButton> &buttons);

// The first book of the page that a press on page button `page` shows.
inline int firstIndexOfPage(int page)
{
    return (page - 1) * pages::kCoversPerPage;
}

} // namespace quillmoth
