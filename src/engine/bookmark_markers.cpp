#include "bookmark_markers.h"

#include "bookmark_source.h"
#include "numeric.h"

#include "text/code_page.h"
#include "text/number_text.h"
#include "text/text_ops.h"
#include "text/work_meter.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>

namespace quillmoth {
namespace {

// Characters that decoded book text practically never holds (non-characters),
// tried in turn until one is absent from the book.
std::optional<char16_t> chooseMarker(std::u16string_view text, text::WorkMeter *meter)
{
    std::bitset<0x22> present;  // U+FFFF, U+FFFE, U+FDD0 to U+FDEF
    const auto slot = [](char16_t c) -> int {
        if (c == 0xFFFF)
            return 0;
        if (c == 0xFFFE)
            return 1;
        if (c >= 0xFDD0 && c <= 0xFDEF)
            return 2 + (c - 0xFDD0);
        return -1;
    };
    text::forEachBlock(meter, text.size(), [&](std::size_t begin, std::size_t end) {
        for (const char16_t c : text.substr(begin, end - begin)) {
            if (const int s = slot(c); s >= 0)
                present.set(std::size_t(s));
        }
        return true;
    });
    for (std::size_t s = 0; s < present.size(); ++s) {
        if (!present.test(s))
            return s == 0 ? char16_t(0xFFFF) : s == 1 ? char16_t(0xFFFE) : char16_t(0xFDD0 + s - 2);
    }
    return std::nullopt;
}

// The 1-based position a bookmark marks, when it lies within the text.
std::optional<std::size_t> markedIndex(double position, std::size_t textLength)
{
    if (!std::isfinite(position) || position < 0.5 || position > double(textLength) + 0.5)
        return std::nullopt;
    const std::int64_t rounded = roundHalfEven(position);
    if (rounded < 1 || std::uint64_t(rounded) > textLength)
        return std::nullopt;
    return std::size_t(rounded - 1);
}

} // namespace

void loadBookmarks(Book &book, const BookmarkSource &source, text::WorkMeter *meter)
{
    const std::optional<BookmarkSource::BookmarkValues> values =
        source.bookmarkValues(book.BookTitle);
    if (!values)
        return;
    for (int key = 1; key <= 4; ++key) {
        const std::u16string &value = (*values)[std::size_t(key - 1)];
        if (value.empty())
            continue;
        book.Bookmarks.resize(std::size_t(key));
        BookmarkRec &entry = book.Bookmarks.back();
        const std::size_t comma = value.find(u',');
        entry.Position = text::leadingNumber(std::u16string_view(value).substr(0, comma),
                                             text::NumberRules::BookmarkFile);
        if (comma != std::u16string::npos) {
            const std::size_t second = comma + 1;
            const std::size_t end = value.find(u',', second);
            entry.CharCode = value.substr(second, end == std::u16string::npos ? end : end - second);
        }
        book.BookmarkCount = key;
    }

    // Each position is marked once; the entries that marked it are ordered by
    // Position, ties in key order.
    std::vector<std::pair<std::size_t, std::size_t>> marks;  // entry, text index
    for (std::size_t entry = 0; entry < book.Bookmarks.size(); ++entry) {
        const std::optional<std::size_t> index =
            markedIndex(book.Bookmarks[entry].Position, book.BookText.size());
        if (!index)
            continue;
        const bool taken = std::any_of(marks.begin(), marks.end(),
                                       [&](const auto &mark) { return mark.second == *index; });
        if (!taken)
            marks.emplace_back(entry, *index);
    }
    if (marks.empty())
        return;
    const std::optional<char16_t> marker = chooseMarker(book.BookText, meter);
    if (!marker)
        return;
    book.BookmarkMarker = *marker;
    std::stable_sort(marks.begin(), marks.end(), [&](const auto &a, const auto &b) {
        return book.Bookmarks[a.first].Position < book.Bookmarks[b.first].Position;
    });
    for (const auto &[entry, index] : marks) {
        book.MarkedBookmarks.push_back({entry, book.BookText[index]});
        book.BookText[index] = *marker;
    }
}

MarkerRestorer::SavedCode MarkerRestorer::savedCodeOf(const Book::MarkedBookmark &marked) const
{
    const std::u16string &charCode = m_book.Bookmarks[marked.entry].CharCode;
    // Codes are written without a plus sign, and one with it has never named
    // a character.
    const std::optional<double> value =
        text::trimSpaces(charCode).starts_with(u'+')
            ? std::nullopt
            : text::wholeNumber(charCode, text::NumberRules::BookmarkFile);
    if (!value || std::fabs(*value) >= 1e9)
        return SavedCode::NamesNothing;
    const std::optional<std::u16string> character =
        m_codePage.characterForCode(roundHalfEven(*value));
    return character && character->size() == 1 ? SavedCode::NamesCharacter
                                               : SavedCode::NamesNothing;
}

} // namespace quillmoth
