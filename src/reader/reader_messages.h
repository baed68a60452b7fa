#pragma once

#include <QString>

#include <string_view>

namespace quillmoth {

// Messages of the reading pad that the language files have no line for, in
// the interface language (English for any language but the two Chinese ones).
enum class ReaderMessage {
    NoBookmarkPlace,  // no line of the page can hold a bookmark
    BookmarksFull,    // the book keeps four bookmarks already
    Unreadable,       // the book's file cannot be read (followed by its path)
};

QString readerMessage(ReaderMessage message, std::u16string_view language);

} // namespace quillmoth
