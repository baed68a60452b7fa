#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace quillmoth {

class AnsiCodePage;
struct Book;

// The most bookmarks a book keeps (the keys BM1 to BM4).
inline constexpr int kMaxBookmarks = 4;

// One bookmark of the open book: where it is in the book's text, the code
// stored with it, and the page it fell on (0 when it fell on none, for
// example because the text has changed since it was set).
struct ReaderBookmark {
    double Position = 0;
    std::u16string CharCode;
    std::int32_t page = 0;

    bool isPlaced() const { return page > 0; }
    friend bool operator==(const ReaderBookmark &, const ReaderBookmark &) = default;
};

// The open book's bookmarks as one list in ascending Position. The tabs are
// the placed ones, numbered from 1 in page order; the ones that could not be
// placed are kept so that saving never drops them.
class BookBookmarks {
public:
    BookBookmarks() = default;
    explicit BookBookmarks(std::vector<ReaderBookmark> entries);

    // The stored bookmarks of a freshly made book, with the pages they fell on.
    static BookBookmarks fromBook(const Book &book);

    const std::vector<ReaderBookmark> &entries() const { return m_entries; }
    // The number of tabs (BookmarkCount).
    int tabCount() const;
    // The page of tab `number` (1-based); nothing for any other number.
    std::optional<std::int32_t> tabPage(int number) const;
    // The pages of the tabs in order (BookmarkPages).
    std::vector<std::int32_t> tabPages() const;
    // True when a tab stands for this page.
    bool hasPage(std::int32_t page) const;
    // True when every key of the book's section is taken.
    bool isFull() const { return int(m_entries.size()) >= kMaxBookmarks; }

    // Adds a bookmark in its place; false (and nothing changes) when full.
    bool add(const ReaderBookmark &bookmark);
    // Removes the bookmark of tab `number`; false for a number with no tab.
    bool removeTab(int number);

private:
    std::vector<ReaderBookmark> m_entries;
};

// Where a new bookmark for a page goes: a character of the book's text and
// its decimal code in the ANSI code page.
struct BookmarkFingerprint {
    std::int64_t position = 0;  // 1-based, in the book's text
    std::u16string code;
};

// Finds the first line of the page, longer than 10 characters, whose first 10
// characters occur exactly once in the book's text, and marks the first
// character of them that is not blank. Nothing when the page has no such line:
// a snippet found twice could put the bookmark on another page.
std::optional<BookmarkFingerprint> Fingerprint(std::u16string_view pageText,
                                               std::u16string_view bookText,
                                               const AnsiCodePage &codePage);

// Tab `number` (1-based) on the control: 100 pixels wide, 104 apart from x = 40,
// 25 pixels high from y = 5, or 300 when drawn tall.
QRect bookmarkTabRect(int number, bool tall = false);

// The tab under x: 1 to tabCount + 1 (callers accept only 1 to tabCount), or 0.
int HitBookmarkTab(int x, int tabCount);

// The strip along the top of the control that holds the tabs.
inline constexpr QRect kBookmarkStrip{40, 0, 413, 30};

// Fills a rectangle with a colour value (R + 256 G + 65536 B) at an opacity
// in percent. True when something was filled.
bool GDIpRectangle001(QPainter &painter, std::int32_t color, int alphaPercent, const QRect &rect);

// Draws tab `number` for `page`: its colour, the ribbon picture laid over it
// at low opacity, and "P. page" on a small pale label. `font` is the control's
// font; the label uses it at 8 points.
void DrawBookmarkTab(QPainter &painter, int number, std::int32_t page, bool tall,
                     const QImage &ribbon, const QFont &font);

} // namespace quillmoth
