#include "bookmark_tabs.h"

#include "reader/reader_geometry.h"

#include "engine/book.h"
#include "text/code_page.h"
#include "text/text_ops.h"
#include "platform/colors.h"
#include "platform/imaging.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillmoth {
namespace {

bool isBlankUnit(char16_t unit) { return unit == u' ' || unit == u'\u3000' || unit == u'\t'; }

bool byPosition(const ReaderBookmark &a, const ReaderBookmark &b) { return a.Position < b.Position; }

// The placed entries in tab order: by page, then by position.
std::vector<const ReaderBookmark *> tabsOf(const std::vector<ReaderBookmark> &entries)
{
    std::vector<const ReaderBookmark *> tabs;
    for (const ReaderBookmark &entry : entries) {
        if (entry.isPlaced())
            tabs.push_back(&entry);
    }
    std::stable_sort(tabs.begin(), tabs.end(),
                     [](const auto *a, const auto *b) { return a->page < b->page; });
    return tabs;
}

// Occurrences of the needle in the text, counting no further than two; the
// first one's index.
std::pair<int, std::size_t> countUpToTwo(std::u16string_view text, std::u16string_view needle)
{
    const std::size_t first = text::find(text, needle);
    if (first == std::u16string_view::npos)
        return {0, first};
    const std::size_t second = text::find(text, needle, first + 1);
    return {second == std::u16string_view::npos ? 1 : 2, first};
}

} // namespace

BookBookmarks::BookBookmarks(std::vector<ReaderBookmark> entries) : m_entries(std::move(entries))
{
    std::stable_sort(m_entries.begin(), m_entries.end(), byPosition);
}

BookBookmarks BookBookmarks::fromBook(const Book &book)
{
    std::vector<ReaderBookmark> entries;
    for (std::size_t key = 0; key < book.Bookmarks.size(); ++key) {
        const BookmarkRec &stored = book.Bookmarks[key];
        // A key that was not set leaves a gap, not a bookmark.
        if (stored.Position == 0 && stored.CharCode.empty())
            continue;
        ReaderBookmark entry{stored.Position, stored.CharCode, 0};
        for (const Book::MarkedBookmark &marked : book.MarkedBookmarks) {
            if (marked.entry == key)
                entry.page = marked.page;
        }
        entries.push_back(std::move(entry));
    }
    return BookBookmarks(std::move(entries));
}

int BookBookmarks::tabCount() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(),
                             [](const ReaderBookmark &entry) { return entry.isPlaced(); }));
}

std::optional<std::int32_t> BookBookmarks::tabPage(int number) const
{
    const std::vector<const ReaderBookmark *> tabs = tabsOf(m_entries);
    if (number < 1 || number > int(tabs.size()))
        return std::nullopt;
    return tabs[std::size_t(number - 1)]->page;
}

std::vector<std::int32_t> BookBookmarks::tabPages() const
{
    std::vector<std::int32_t> pages;
    for (const ReaderBookmark *tab : tabsOf(m_entries))
        pages.push_back(tab->page);
    return pages;
}

bool BookBookmarks::hasPage(std::int32_t page) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [page](const ReaderBookmark &entry) { return entry.isPlaced() && entry.page == page; });
}

bool BookBookmarks::add(const ReaderBookmark &bookmark)
{
    if (isFull())
        return false;
    const auto place = std::upper_bound(m_entries.begin(), m_entries.end(), bookmark, byPosition);
    m_entries.insert(place, bookmark);
    return true;
}

bool BookBookmarks::removeTab(int number)
{
    const std::vector<const ReaderBookmark *> tabs = tabsOf(m_entries);
    if (number < 1 || number > int(tabs.size()))
        return false;
    const ReaderBookmark *doomed = tabs[std::size_t(number - 1)];
    m_entries.erase(m_entries.begin() + (doomed - m_entries.data()));
    return true;
}

std::optional<BookmarkFingerprint> Fingerprint(std::u16string_view pageText,
                                               std::u16string_view bookText,
                                               const AnsiCodePage &codePage)
{
    std::size_t start = 0;
    while (start <= pageText.size()) {
        std::size_t end = pageText.find(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = pageText.size();
        const std::u16string_view line = pageText.substr(start, end - start);
        start = end + 2;
        if (line.size() <= 10)
            continue;
        const std::u16string_view snippet = line.substr(0, 10);
        const auto firstMark = std::find_if_not(snippet.begin(), snippet.end(), isBlankUnit);
        if (firstMark == snippet.end())
            continue;
        const auto [hits, index] = countUpToTwo(bookText, snippet);
        if (hits != 1)
            continue;
        const std::size_t marked = index + std::size_t(firstMark - snippet.begin());
        return BookmarkFingerprint{
            std::int64_t(marked) + 1,
            utf16FromUtf8(std::to_string(codePage.charCode(bookText[marked])))};
    }
    return std::nullopt;
}

QRect bookmarkTabRect(int number, bool tall)
{
    return {40 + (number - 1) * 104, 5, 100, tall ? 300 : 25};
}

int HitBookmarkTab(int x, int tabCount)
{
    for (int i = 0; i <= tabCount; ++i) {
        if (x > i * 100 + 44 && x < (i + 1) * 104 + 40)
            return i + 1;
    }
    return 0;
}

bool GDIpRectangle001(QPainter &painter, std::int32_t color, int alphaPercent, const QRect &rect)
{
    if (rect.isEmpty())
        return false;
    const QColor rgb = colorFromValue(color, Qt::black);
    const int alpha = std::clamp(roundHalfEvenToInt(std::abs(alphaPercent) / 100.0 * 255), 0, 255);
    fillTranslucentRect(painter, rect, qRgba(rgb.red(), rgb.green(), rgb.blue(), alpha));
    return true;
}

void DrawBookmarkTab(QPainter &painter, int number, std::int32_t page, bool tall,
                     const QImage &ribbon, const QFont &font)
{
    if (number < 1 || number > kMaxBookmarks)
        return;
    const QString caption = QStringLiteral("P. %1").arg(page);
    const QRect tab = bookmarkTabRect(number, tall);
    const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(caption);
    const int captionX = roundHalfEvenToInt((100 - width) / 2 + tab.x());

    painter.save();
    GDIpRectangle001(painter, TabColors[std::size_t(number - 1)], 40, tab);
    if (!ribbon.isNull()) {
        const ImageAttributes faded{1, 1, 1, 0.3};
        const QRectF source = tall ? QRectF(ribbon.rect()) : QRectF(0, 0, ribbon.width(), 25);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        drawImageRect(painter, ribbon, tab, source, &faded);
    }
    QFont small = font;
    small.setPointSizeF(8);
    painter.setFont(small);
    const int smallWidth =
        int(std::ceil(QFontMetricsF(small, painter.device()).horizontalAdvance(caption)));
    const QRect label(QPoint(captionX - 2, 14), QPoint(captionX + smallWidth + 2, 27));
    painter.fillRect(label, QColor(200, 200, 180));
    painter.setPen(Qt::black);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, caption);
    painter.restore();
}

} // namespace quillmoth
