#pragma once

#include "engine_error.h"
#include "page_texts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoth {

class AnsiCodePage;
class BookmarkSource;
class TextMetrics;
struct BookCreationControl;

// One saved bookmark: a 1-based character position in the book text and the
// decimal code of the character that stood there.
struct BookmarkRec {
    double Position = 0;
    std::u16string CharCode;
    friend bool operator==(const BookmarkRec &, const BookmarkRec &) = default;
};

// Everything book creation reads from outside the engine, as plain values.
struct BookSettings {
    int PageWidth = 600;
    int PageHeight = 900;
    int LineSpace = 0;   // theme: extra pixels between lines, 0 to 5
    int PadSize = 90;    // setting: reading pad size in percent
    bool ReformatParagraphs = false;
    bool ListUpChapters = false;
    bool IllustrationsOn = false;  // the theme has an album or a single illustration
    bool ForceBIG5 = false;
};

// The Book record: a book decoded, laid out and cut into pages.
struct Book {
    bool IsBusy = false;
    std::u16string BookPath;
    std::u16string BookFileName;
    std::u16string BookText;  // with the bookmark marker over each bookmarked character
    bool IsCJK = false;
    std::int64_t CharsPerLine = 0;
    std::int64_t LinesPerPage = 0;
    float AvgCharWidth = 0;  // Western layout only
    std::int64_t IllustrationTop = 0;
    PageTexts Pages;
    std::int32_t PageCount = 0;
    std::vector<std::u16string> ChapterTitles;
    std::vector<std::int32_t> ChapterPages;  // the page of each chapter title
    std::vector<BookmarkRec> Bookmarks;      // index 0 holds key "BM1"
    int BookmarkCount = 0;
    std::vector<std::int32_t> BookmarkPages;
    int AlbumIndex = 0;

    // The section of the bookmark file that holds this book's bookmarks.
    std::u16string BookTitle;
    // The encoding LoadTextFile detected; empty for forced Big5 and clipboard books.
    std::optional<std::int32_t> DetectedEncoding;
    // The error that stopped book creation or pagination, None on success.
    EngineError Error = EngineError::None;

    // The character written over bookmarked characters of BookText.
    char16_t BookmarkMarker = u'\uFFFF';
    // A bookmark that was written into BookText: its entry, the character it
    // covers, and the page its marker was recorded on (0 when none was: a
    // single spread records no page, Western layout none for a saved code
    // that names no character).
    struct MarkedBookmark {
        std::size_t entry = 0;
        char16_t original = 0;
        std::int32_t page = 0;
        friend bool operator==(const MarkedBookmark &, const MarkedBookmark &) = default;
    };
    // The marked bookmarks in ascending Position, the order their markers appear in.
    std::vector<MarkedBookmark> MarkedBookmarks;

    friend bool operator==(const Book &, const Book &) = default;
};

// True when the text holds a run of eleven double-byte characters within its
// first 990 characters: such a book gets Chinese layout.
bool IsAsianChar(std::u16string_view text, const AnsiCodePage &codePage);

// The file name shown for a book: the name after the last "/" or "\" up to
// three characters after its last dot (the whole name when it has no dot).
std::u16string bookFileNameFromPath(std::u16string_view path);

// The bookmark-file section of a book: its file name without any ".txt".
std::u16string bookTitleFromFileName(std::u16string_view fileName);

// Builds the Book record from a file path (or, with fromClipboard, from the
// text itself): decode, restore bookmarks, choose the layout, paginate. A
// control (book_progress.h) is told the progress and may stop creation; a
// stopped creation gives a Book with only its names and Error Cancelled.
Book Book_CreatBOOK(std::u16string_view source, bool fromClipboard, const BookSettings &settings,
                    const TextMetrics &metrics, const AnsiCodePage &codePage,
                    const BookmarkSource *bookmarks, const BookCreationControl *control = nullptr);

} // namespace quillmoth
