// open_book: how long opening a huge book takes compared with only decoding
// it, how much memory the open needs at its peak, and how long the reading
// pad takes from the open request to the first spread on screen.
//
// Two books of about 20 MB are generated from the sample texts: a Chinese
// GBK novel with chapters and an English UTF-8 hard-wrapped book. For each,
// the reference is reading the file and decoding it with ICU; the open is
// book creation with paragraph reformatting and the chapter list on.

#include "engine/book.h"
#include "engine/text_metrics.h"
#include "text/code_page.h"
#include "text/text_decoding.h"

#include <unicode/ucnv.h>

#ifdef QUILLMOTH_WITH_QT
#include "text/app_folder.h"
#include "reader/reader.h"
#include "settings/language_table.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#endif

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

using namespace quillmoth;

// Every allocation is counted, so the peak of an open is exact.
namespace {
std::atomic<std::size_t> g_allocated{0};
std::atomic<std::size_t> g_peak{0};

void *countedAllocate(std::size_t size)
{
    void *block = std::malloc(size + 16);
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t *>(block) = size;
    const std::size_t now = g_allocated.fetch_add(size) + size;
    std::size_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char *>(block) + 16;
}

void countedFree(void *pointer)
{
    if (pointer == nullptr)
        return;
    void *block = static_cast<char *>(pointer) - 16;
    g_allocated.fetch_sub(*static_cast<std::size_t *>(block));
    std::free(block);
}
} // namespace

void *operator new(std::size_t size) { return countedAllocate(size); }
void *operator new[](std::size_t size) { return countedAllocate(size); }
void operator delete(void *pointer) noexcept { countedFree(pointer); }
void operator delete[](void *pointer) noexcept { countedFree(pointer); }
void operator delete(void *pointer, std::size_t) noexcept { countedFree(pointer); }
void operator delete[](void *pointer, std::size_t) noexcept { countedFree(pointer); }

namespace {

constexpr std::size_t kTargetBytes = 20u << 20;
const std::filesystem::path kSourceDir = QUILLMOTH_SOURCE_DIR;

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    std::string bytes(std::filesystem::file_size(path), '\0');
    stream.read(bytes.data(), std::streamsize(bytes.size()));
    return bytes;
}

std::string encode(const char *converterName, std::u16string_view text)
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter *converter = ucnv_open(converterName, &error);
    std::string bytes(text.size() * 4 + 16, '\0');
    const int32_t length =
        ucnv_fromUChars(converter, bytes.data(), int32_t(bytes.size()),
                        reinterpret_cast<const UChar *>(text.data()), int32_t(text.size()), &error);
    ucnv_close(converter);
    bytes.resize(std::size_t(length));
    return bytes;
}

// Deterministic shuffling, so the generated books read less repetitively.
struct Random {
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::size_t next(std::size_t bound)
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return std::size_t(state >> 33) % bound;
    }
};

std::vector<std::u16string> paragraphsOf(std::u16string_view text, std::u16string_view separator,
                                         bool (*isHeading)(std::u16string_view))
{
    std::vector<std::u16string> paragraphs;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos)
            end = text.size();
        const std::u16string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && !isHeading(paragraph))
            paragraphs.emplace_back(paragraph);
        start = end + separator.size();
    }
    return paragraphs;
}

std::u16string chineseNumber(std::size_t number)
{
    static const std::u16string digits = u"零一二三四五六七八九";
    std::u16string text;
    for (char c : std::to_string(number))
        text += digits[std::size_t(c - '0')];
    return text;
}

std::filesystem::path generateChineseBook(const std::filesystem::path &folder)
{
    const std::u16string sample =
        decodeWithConverter("windows-936-2000", readFile(kSourceDir / "resources/books/山居秋暝录.txt"))
            .value();
    const auto paragraphs = paragraphsOf(sample, u"\r\n", [](std::u16string_view p) {
        return p.starts_with(u"第") || p.find(u'\u3000') != 0;
    });
    Random random;
    std::u16string book = u"山居秋暝录（长篇）\r\n\r\n";
    std::size_t chapter = 1;
    while (book.size() * 2 < kTargetBytes) {
        book += u"第" + chineseNumber(chapter++) + u"章\u3000山中岁月\r\n\r\n";
        for (int i = 0; i < 40; ++i)
            book += paragraphs[random.next(paragraphs.size())] + u"\r\n\r\n";
    }
    const auto path = folder / "open_book_chinese.txt";
    std::ofstream(path, std::ios::binary) << encode("windows-936-2000", book);
    return path;
}

std::filesystem::path generateEnglishBook(const std::filesystem::path &folder)
{
    const std::u16string sample =
        decodeWithConverter("UTF-8", readFile(kSourceDir / "resources/books/The Lighthouse Keeper.txt"))
            .value();
    const auto paragraphs = paragraphsOf(sample, u"\r\n\r\n", [](std::u16string_view p) {
        return p.starts_with(u"CHAPTER") || p.size() < 40;
    });
    Random random;
    std::u16string book;
    std::size_t chapter = 1;
    while (book.size() < kTargetBytes) {
        const std::string heading = "CHAPTER " + std::to_string(chapter++) + "\r\n\r\n";
        book += std::u16string(heading.begin(), heading.end());
        for (int i = 0; i < 40; ++i)
            book += paragraphs[random.next(paragraphs.size())] + u"\r\n\r\n";
    }
    const auto path = folder / "open_book_english.txt";
    std::ofstream(path, std::ios::binary) << encode("UTF-8", book);
    return path;
}

// The same-run reference: read the file and decode it with ICU, nothing else.
std::size_t decodeOnly(const std::filesystem::path &path, const char *converterName)
{
    const std::string bytes = readFile(path);
    UErrorCode error = U_ZERO_ERROR;
    UConverter *converter = ucnv_open(converterName, &error);
    std::u16string text(bytes.size() + 1, u'\0');
    const int32_t length =
        ucnv_toUChars(converter, reinterpret_cast<UChar *>(text.data()), int32_t(text.size()),
                      bytes.data(), int32_t(bytes.size()), &error);
    ucnv_close(converter);
    return std::size_t(length);
}

// CPU time of this process: a run that waits for a core on a busy machine is
// not charged for the wait, while page faults still count.
double cpuMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

template <typename Work>
double timedMilliseconds(Work work)
{
    const double start = cpuMilliseconds();
    work();
    return cpuMilliseconds() - start;
}

#ifdef QUILLMOTH_WITH_QT
// From the open request to the first spread on the pad: the book made on the
// worker thread with real font metrics, then the background and the first two
// pages drawn. CPU time of both threads; the wall time is printed beside it.
std::pair<double, double> firstSpread(const std::u16string &source, const AnsiCodePage &codePage)
{
    QTemporaryDir scratch;
    const AppFolder folder(std::filesystem::path(scratch.path().toStdU16String()));
    folder.createMissingFolders();
    ThemeRecord theme;
    theme.ReformatParagraphs = true;
    theme.ListUpChapters = true;
    UISettings settings;
    const LanguageTable language;
    Reader pad(ReaderContext{folder, theme, settings, language, codePage});
    pad.resize(1263, 912);
    pad.Initialize_Reader();
    bool shown = false;
    QObject::connect(&pad, &Reader::bookShown, [&shown] { shown = true; });
    QElapsedTimer wall;
    wall.start();
    const double start = cpuMilliseconds();
    pad.Book_CreatBOOK(source, false);
    if (!QTest::qWaitFor([&shown] { return shown; }, 60000))
        return {1e300, 0};
    return {cpuMilliseconds() - start, double(wall.nsecsElapsed()) / 1e6};
}
#endif

void measure(const char *name, const std::filesystem::path &path, const char *converterName,
             const AnsiCodePage &codePage, int runs)
{
    BookSettings settings;
    settings.ReformatParagraphs = true;
    settings.ListUpChapters = true;
    const FixedTextMetrics metrics(8, 16, 18);
    std::u16string source;
    for (char c : path.string())
        source += char16_t(static_cast<unsigned char>(c));

    // Decode and open take turns, so both meet the same load on a shared
    // machine; the fastest run of each is the least disturbed one.
    std::size_t characters = 0;
    double decode = 1e300;
    double open = 1e300;
    Book book;
    for (int run = 0; run < runs; ++run) {
        decode = std::min(decode, timedMilliseconds([&] { characters = decodeOnly(path, converterName); }));
        book = Book();
        open = std::min(open, timedMilliseconds([&] {
                            book = Book_CreatBOOK(source, false, settings, metrics, codePage, nullptr);
                        }));
    }

    book = Book();
    const std::size_t baseline = g_allocated.load();
    g_peak.store(baseline);
    book = Book_CreatBOOK(source, false, settings, metrics, codePage, nullptr);
    const double peakMegabytes = double(g_peak.load() - baseline) / (1 << 20);
    const double utf16Megabytes = double(book.BookText.size() * 2) / (1 << 20);

    std::printf("open_book %s: decode %.1f ms, open %.1f ms, ratio %.2f, peak %.1f MB (%.2fx UTF-16)\n",
                name, decode, open, open / decode, peakMegabytes, peakMegabytes / utf16Megabytes);
#ifdef QUILLMOTH_WITH_QT
    book = Book();
    double spread = 1e300;
    double spreadWall = 0;
    for (int run = 0; run < std::min(runs, 3); ++run) {
        const auto [cpu, elapsed] = firstSpread(source, codePage);
        if (cpu < spread) {
            spread = cpu;
            spreadWall = elapsed;
        }
    }
    std::printf("open_book %s: first spread %.1f ms (wall %.1f ms), ratio %.2f\n", name, spread,
                spreadWall, spread / decode);
#endif
    std::fprintf(stderr,
                 "  %s: %zu characters, %d pages, %zu chapters, error %d, file %.1f MB, UTF-16 %.1f MB\n",
                 name, characters, book.PageCount, book.ChapterTitles.size(), int(book.Error),
                 double(std::filesystem::file_size(path)) / (1 << 20), utf16Megabytes);
}

} // namespace

int main(int argc, char **argv)
{
#ifdef QUILLMOTH_WITH_QT
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
#endif
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const auto folder = std::filesystem::temp_directory_path() / "quillmoth-bench";
    std::filesystem::create_directories(folder);
    const AnsiCodePage gbk = *AnsiCodePage::named("CP936");
    measure("chinese-gbk", generateChineseBook(folder), "windows-936-2000", gbk, runs);
    measure("english-utf8", generateEnglishBook(folder), "UTF-8", gbk, runs);
    std::filesystem::remove_all(folder);
    return 0;
}
