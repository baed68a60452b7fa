// Feeds any bytes through decoding and book creation with fixed metrics and
// settings taken from the first bytes, and checks the record's invariants.

#include "engine/book.h"
#include "engine/book_progress.h"
#include "engine/bookmark_source.h"
#include "engine/chapter_detection.h"
#include "engine/text_cleanup.h"
#include "engine/text_metrics.h"
#include "engine/word_wrap.h"
#include "text/code_page.h"
#include "text/work_meter.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quillmoth;

namespace {

constexpr std::size_t kHeaderSize = 19;

class InputBookmarks final : public BookmarkSource {
public:
    explicit InputBookmarks(const std::uint8_t *bytes) : m_bytes(bytes) {}
    std::optional<BookmarkValues> bookmarkValues(std::u16string_view) const override
    {
        BookmarkValues values;
        for (std::size_t index = 0; index < values.size(); ++index) {
            if (m_bytes[2 * index] == 0)
                continue;
            const int position = m_bytes[2 * index] * 4 - 2;  // some before the text, some past it
            const int code = std::int8_t(m_bytes[2 * index + 1]) * 300;
            const std::string value = std::to_string(position) + "," + std::to_string(code);
            values[index] = std::u16string(value.begin(), value.end());
        }
        return values;
    }

private:
    const std::uint8_t *m_bytes;
};

class SmallStrideMeter final : public text::WorkMeter {
public:
    explicit SmallStrideMeter(std::size_t stride) : WorkMeter(stride) {}

protected:
    void reachedFraction(double) override {}
};

const AnsiCodePage &codePage(int choice)
{
    static const AnsiCodePage gbk = *AnsiCodePage::named("CP936");
    static const AnsiCodePage big5 = *AnsiCodePage::named("CP950");
    static const AnsiCodePage latin = *AnsiCodePage::named("CP1252");
    return choice == 0 ? gbk : choice == 1 ? big5 : latin;
}

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < kHeaderSize)
        return 0;
    const std::uint8_t flags = data[0];
    BookSettings settings;
    settings.ReformatParagraphs = flags & 1;
    settings.ListUpChapters = flags & 2;
    settings.IllustrationsOn = flags & 4;
    settings.ForceBIG5 = (flags & 0x18) == 0x18;
    const bool withBookmarks = flags & 0x20;
    settings.PageWidth = (data[1] | data[2] << 8) % 2000;
    settings.PageHeight = (data[3] | data[4] << 8) % 2000;
    const FixedTextMetrics metrics(data[5] % 16, data[6] % 32, data[7] % 64);
    settings.LineSpace = data[8] % 6;
    settings.PadSize = 60 + data[9] % 41;
    const AnsiCodePage &ansi = codePage(data[10] % 3);
    const std::uint8_t *bookmarkBytes = data + 11;  // eight bytes

    static const std::string path = "/dev/shm/quillmoth-fuzz-" + std::to_string(::getpid()) + ".txt";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char *>(data + kHeaderSize),
                   std::streamsize(size - kHeaderSize));
    }
    const InputBookmarks bookmarks(bookmarkBytes);
    std::u16string pathText(path.begin(), path.end());
    const Book book = Book_CreatBOOK(pathText, false, settings, metrics, ansi,
                                     withBookmarks ? &bookmarks : nullptr);

    check(!book.IsBusy, "busy after creation");
    check(book.PageCount % 2 == 0, "odd page count");
    check(book.PageCount >= 0, "negative page count");
    check(book.BookmarkCount == int(book.BookmarkPages.size()) || book.Error != EngineError::None,
          "bookmark count");
    check(book.ChapterTitles.size() == book.ChapterPages.size(), "chapter list");
    std::vector<std::int32_t> placed;
    for (const Book::MarkedBookmark &marked : book.MarkedBookmarks) {
        if (marked.page != 0)
            placed.push_back(marked.page);
    }
    check(placed == book.BookmarkPages, "marked bookmarks and recorded pages differ");
    if (book.Error == EngineError::None) {
        check(book.Pages.size() >= book.PageCount, "fewer pages than counted");
        check(book.CharsPerLine >= 1, "chars per line");
        for (int page = 1; page <= book.Pages.size(); ++page) {
            const std::u16string_view text = book.Pages.page(page);
            if (!book.MarkedBookmarks.empty())
                check(text.find(book.BookmarkMarker) == std::u16string_view::npos,
                      "marker left on a page");
            Book_FindChapterChST(text);
            ExtractLine(text);
            SubTitleE(text.substr(0, 40));
        }
    }

    // Watched creation gives the same book; a clock that jumps a second at
    // every look makes every report a progress call.
    std::chrono::steady_clock::time_point now{};
    BookCreationControl control;
    control.clock = [&] { return now += std::chrono::seconds(1); };
    double last = 0;
    control.onProgress = [&](double fraction) {
        check(fraction >= last && fraction <= 1, "progress went back or past the end");
        last = fraction;
    };
    const Book watched = Book_CreatBOOK(pathText, false, settings, metrics, ansi,
                                        withBookmarks ? &bookmarks : nullptr, &control);
    check(watched == book, "watching changed the book");

    // The clean-ups in parts of a few units give the text they give in one go.
    SmallStrideMeter meter(1 + data[6] % 7);
    std::u16string spare;
    const std::u16string sample = book.BookText.substr(0, 3000);
    check(Book_CleanTextWest01(sample, settings.ReformatParagraphs, spare, &meter) ==
              Book_CleanTextWest01(sample, settings.ReformatParagraphs),
          "watched Western clean-up differs");
    check(Book_CleanTextChST(sample, &meter) == Book_CleanTextChST(sample),
          "watched Chinese clean-up differs");

    // The same text as a clipboard book, and a direct wrap of its start.
    const Book clipboard = Book_CreatBOOK(book.BookText.substr(0, 4000), true, settings, metrics,
                                          ansi, nullptr);
    check(clipboard.PageCount % 2 == 0, "odd clipboard page count");
    std::u16string line = book.BookText.substr(0, 300);
    bool ok = false;
    WordWrapMixedChar(line, 1 + data[5] % 20, ok);
    return 0;
}
