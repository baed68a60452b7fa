#pragma once

#include <QColor>

namespace quillmoth {

// What the pad shows around and under the book: the desk.
inline constexpr QColor kDesk{0, 0, 0};

// The right-hand page of the spread a page belongs to: spreads are pages
// 1-2, 3-4, ...
inline int evenPage(int page)
{
    return page % 2 != 0 ? page + 1 : page;
}

} // namespace quillmoth
