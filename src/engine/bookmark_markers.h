#pragma once

#include "book.h"
#include "text/text_ops.h"

#include <cstdint>
#include <string>

namespace quillmoth {

class AnsiCodePage;
class BookmarkSource;

// Reads the book's section of the bookmark file into book.Bookmarks and writes
// the bookmark marker over each bookmarked character of book.BookText. A
// position below 1 or beyond the text is kept as an entry but not marked.
// Looking for a marker goes through the whole text, watched by `meter`.
void loadBookmarks(Book &book, const BookmarkSource &source, text::WorkMeter *meter = nullptr);

// Puts the bookmarked characters back as pages are cut: the markers of the
// whole book, in reading order, belong to the marked bookmarks in ascending
// Position. Each marker gives back the character it covers.
class MarkerRestorer {
public:
    MarkerRestorer(Book &book, const AnsiCodePage &codePage) : m_book(book), m_codePage(codePage)
    {
    }

    // Whether the bookmark's saved code names a character of the code page;
    // Western layout records the pages only of those that do.
    enum class SavedCode { NamesCharacter, NamesNothing };

    // Restores every marker in text[offset, offset + length) and calls
    // onMarker(marked, savedCode) for each, left to right, with the marked
    // bookmark it belongs to.
    template <typename OnMarker>
    void restore(std::u16string &text, std::size_t offset, std::size_t length, OnMarker onMarker)
    {
        if (m_book.MarkedBookmarks.empty())
            return;
        // Only the span is searched: a search on to the next marker would go
        // over the rest of the book once for every page.
        const std::u16string_view span = std::u16string_view(text).substr(0, offset + length);
        for (std::size_t i = text::find(span, m_book.BookmarkMarker, offset);
             i != std::u16string_view::npos; i = text::find(span, m_book.BookmarkMarker, i + 1)) {
            // More markers than marked bookmarks cannot be; such a marker stays.
            if (m_markersSeen >= m_book.MarkedBookmarks.size())
                continue;
            Book::MarkedBookmark &marked = m_book.MarkedBookmarks[m_markersSeen++];
            text[i] = marked.original;
            onMarker(marked, savedCodeOf(marked));
        }
    }

private:
    SavedCode savedCodeOf(const Book::MarkedBookmark &marked) const;

    Book &m_book;
    const AnsiCodePage &m_codePage;
    std::size_t m_markersSeen = 0;
};

} // namespace quillmoth
