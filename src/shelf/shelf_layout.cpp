#include "shelf/shelf_layout.h"

#include <algorithm>

namespace quillmoth {

CoverRect shelfCoverRect(int index)
{
    const int left = shelf::kFirstLeft + index % shelf::kCoversPerRow * shelf::kColumnPitch;
    const int top = shelf::kFirstTop + index / shelf::kCoversPerRow * shelf::kRowPitch;
    return {left, top, left + shelf::kCoverWidth, top + shelf::kCoverHeight};
}

int shelfCanvasHeight(int bookCount, int viewportHeight)
{
    if (bookCount <= 0)
        return viewportHeight;
    return std::max(shelfCoverRect(bookCount - 1).Bottom + 20, viewportHeight);
}

int MouseOverShelf(QPoint canvasPoint, int bookCount)
{
    // The covers form a grid, so the cell under the point is the only candidate.
    const int column = (canvasPoint.x() - shelf::kFirstLeft) / shelf::kColumnPitch;
    const int row = (canvasPoint.y() - shelf::kFirstTop) / shelf::kRowPitch;
    if (canvasPoint.x() < shelf::kFirstLeft || canvasPoint.y() < shelf::kFirstTop ||
        column >= shelf::kCoversPerRow)
        return -1;
    const long long index = static_cast<long long>(row) * shelf::kCoversPerRow + column;
    if (index >= bookCount)
        return -1;
    return shelfCoverRect(int(index)).strictlyContains(canvasPoint) ? int(index) : -1;
}

IndexRange shelfBooksInBand(int top, int height, int margin, int bookCount)
{
    const int bandTop = top - margin;
    const int bandBottom = top + height + margin; // exclusive
    // Row r spans [35 + 170 r, 35 + 170 r + 135).
    const int firstRow =
        std::max(0, (bandTop - shelf::kFirstTop - shelf::kCoverHeight) / shelf::kRowPitch);
    int lastRow = (bandBottom - 1 - shelf::kFirstTop) / shelf::kRowPitch;
    if (bandBottom - 1 < shelf::kFirstTop)
        lastRow = -1;
    IndexRange range;
    range.first = firstRow * shelf::kCoversPerRow;
    range.last = std::min(bookCount - 1, lastRow * shelf::kCoversPerRow + shelf::kCoversPerRow - 1);
    // The first row may lie wholly above the band.
    while (!range.isEmpty() && shelfCoverRect(range.first).Bottom <= bandTop)
        range.first += shelf::kCoversPerRow;
    if (range.last < range.first)
        range = {};
    return range;
}

void ShelfScroll::wheel(Direction direction)
{
    if (!canScroll())
        return;
    if (direction == Direction::Up) {
        m_direction = Direction::Up;
        if (m_top > 0)
            m_top = 0;
        if (m_top < -1)
            m_running = true;
    } else {
        m_direction = Direction::Down;
        if (m_top > lowestTop())
            m_running = true;
    }
}

bool ShelfScroll::tick()
{
    if (!m_running)
        return false;
    ++m_ticks;
    const int step = m_ticks < 11 ? 15 : 1;
    if (m_ticks > 29) {
        m_running = false;
        m_ticks = 0;
    }
    if (m_direction == Direction::Up) {
        m_top += step;
        if (m_top > 0) {
            m_top = 0;
            m_running = false;
            m_ticks = 0;
        }
    } else {
        m_top -= step;
        if (m_top <= lowestTop()) {
            m_top = lowestTop();
            m_running = false;
            m_ticks = 0;
        }
    }
    return m_running;
}

void ShelfScroll::stop()
{
    m_running = false;
    m_ticks = 0;
}

// ---------------------------------------------------------------------------

int pageCount(int bookCount)
{
    return std::max(1, (bookCount + pages::kCoversPerPage - 1) / pages::kCoversPerPage);
}

std::vector<CoverRect> pageCoverRects(int firstIndex, int bookCount, QPoint origin)
{
    std::vector<CoverRect> rects;
    const int count = std::clamp(bookCount - firstIndex, 0, pages::kCoversPerPage);
    rects.reserve(std::size_t(count));
    for (int position = 0; position < count; ++position) {
        const int x = origin.x() + position % 4 * pages::kColumnPitch;
        const int y = origin.y() + position / 4 * pages::kRowPitch;
        rects.push_back({x, y, x + pages::kCoverWidth, y + pages::kCoverHeight});
    }
    return rects;
}

int MouseOverCovers(QPoint point, const std::vector<CoverRect> &rects)
{
    for (std::size_t position = 0; position < rects.size(); ++position) {
        if (rects[position].strictlyContains(point))
            return int(position);
    }
    return -1;
}

bool inCoverArea(QPoint point, QSize clientSize)
{
    return 250 < point.x() && point.x() < clientSize.width() - 10 && 70 < point.y() &&
           point.y() < clientSize.height() - 70;
}

std::vector<PageButton> BuildPageButtons(int pageCount, int currentPage, QSize clientSize)
{
    std::vector<int> shown;
    if (pageCount <= pages::kMostButtons) {
        for (int page = 1; page <= pageCount; ++page)
            shown.push_back(page);
    } else {
        // First, last, and a run around the current page that keeps the
        // number of buttons constant as the current page moves.
        const int run = pages::kMostButtons - 2;
        int from = std::clamp(currentPage - run / 2, 2, pageCount - run);
        shown.push_back(1);
        for (int page = from; page < from + run; ++page)
            shown.push_back(page);
        shown.push_back(pageCount);
    }
    std::vector<PageButton> buttons(shown.size());
    int x = clientSize.width();
    for (std::size_t i = shown.size(); i-- > 0;) {
        x -= pages::kButtonPitch;
        buttons[i] = {shown[i],
                      QRect(x, clientSize.height() - 18, pages::kButtonSize, pages::kButtonSize)};
    }
    return buttons;
}

int PageButtonAt(int x, const std::vector<PageButton> &buttons)
{
    for (const PageButton &button : buttons) {
        if (button.rect.left() < x && x < button.rect.left() + button.rect.width())
            return button.page;
    }
    return -1;
}

} // namespace quillmoth
