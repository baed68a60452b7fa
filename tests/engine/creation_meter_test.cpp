// Progress and cancellation of book creation, watched through its control.

#include "engine/book.h"
#include "engine/book_progress.h"
#include "engine/bookmark_markers.h"
#include "engine/cjk_pagination.h"
#include "engine/layout_text.h"
#include "engine/western_pagination.h"
#include "text/text_paths.h"
#include "text/work_meter.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;
using namespace quillmoth::testing;
using Clock = std::chrono::steady_clock;

namespace {

// One way of creating a book, from a file or from the clipboard.
struct Source {
    const char *name;
    bool fromClipboard, chinese, forceBig5;
};

constexpr Source kSources[] = {{"ChineseFile", false, true, false}, {"WesternFile", false, false, false},
                               {"ChineseClipboard", true, true, false}, {"WesternClipboard", true, false, false},
                               {"ForcedBig5File", false, false, true}};

// Creates the source's book with a clock that moves on 7 ms at every look.
class CreationControl : public ::testing::TestWithParam<Source> {
protected:
    CreationControl()
    {
        settings.ReformatParagraphs = settings.ListUpChapters = settings.IllustrationsOn = true;
        settings.ForceBIG5 = GetParam().forceBig5;
        control.cancel = &cancel;
        control.clock = [this] { return ++clockCalls, now += std::chrono::milliseconds(7); };
    }

    Book create(const BookCreationControl *with) const
    {
        return Book_CreatBOOK(path, GetParam().fromClipboard, settings, fixedMetrics(), gbk(), &bookmarks, with);
    }

    const ScratchFolder folder;
    const std::u16string text = GetParam().chinese ? chineseBook(80) : westernBook(40);
    const std::u16string path =
        GetParam().fromClipboard ? text : text::textFromPath(folder.write("Book.txt", gbkBytes(text)));
    BookSettings settings = page(600, 900);
    const FakeBookmarks bookmarks{u"Book", {u"5000,-19004", u"30000,65"}};
    std::atomic<bool> cancel{false};
    BookCreationControl control;
    Clock::time_point now{};
    int clockCalls = 0;
};

} // namespace

// Watching changes nothing in the book and looks at the clock only when there
// is progress to report.
TEST_P(CreationControl, Progress_RisesNoMoreOftenThanTheIntervalAndNearlyReachesTheEnd)
{
    const Book plain = create(nullptr);
    EXPECT_EQ(create(&control), plain);
    EXPECT_EQ(clockCalls, 0);

    std::vector<std::pair<Clock::time_point, double>> calls;
    control.onProgress = [&](double fraction) { calls.emplace_back(now, fraction); };
    EXPECT_EQ(create(&control), plain);
    ASSERT_GE(calls.size(), 3u);
    Clock::time_point previous{};
    double fraction = 0;
    for (const auto &[time, value] : calls) {
        EXPECT_GE(time - std::exchange(previous, time), kProgressInterval);
        EXPECT_GE(value, std::exchange(fraction, value));
        EXPECT_LE(value, 1.0);
    }
    EXPECT_GT(fraction, 0.9);
    // About one look in a thousand characters, not one for every unit of work.
    EXPECT_LT(clockCalls, int(text.size() / 300));
}

// Cancelled before the start or from the first progress call, creation stops
// at once.
TEST_P(CreationControl, Cancel_StopsAtOnce)
{
    cancel = true;
    control.onProgress = [](double) { ADD_FAILURE() << "progress after cancelling"; };
    EXPECT_EQ(create(&control).Error, EngineError::Cancelled);
    EXPECT_LE(clockCalls, 1);

    cancel = false;
    int progressCalls = 0, clockCallsAtCancel = 0;
    control.onProgress = [&](double) {
        ++progressCalls;
        clockCallsAtCancel = clockCalls;
        cancel = true;
    };
    EXPECT_EQ(create(&control).Error, EngineError::Cancelled);
    EXPECT_EQ(progressCalls, 1);
    EXPECT_EQ(clockCalls, clockCallsAtCancel);
}

INSTANTIATE_TEST_SUITE_P(Sources, CreationControl, ::testing::ValuesIn(kSources),
                         [](const auto &test) { return std::string(test.param.name); });

// Bookmark marking, layout and page cutting in small parts give the same book,
// in both layouts.
TEST(CreationMeter, WatchedPaginationGivesTheSameBook)
{
    static const std::u16string pieces[] = {
        u"\r\n", u"\r\n\r\n", u"\r\n\r\n\r\n", u" ", u"   ", u"the sea ", u"CHAPTER 2\r\n", u".",
        u"第三章 夜\r\n", u"\u3000\u3000", u"山水清音", u"\n", u"\"", u"x"};
    std::mt19937 random(53);
    for (int round = 0; round < 300; ++round) {
        Book base;
        base.BookTitle = u"T";
        for (int i = int(random() % 400); i > 0; --i) {
            base.BookText += pieces[random() % std::size(pieces)];
            if (random() % 25 == 0)
                base.BookText += random() % 2 ? chinese(40 + random() % 200) : repeat(u"word ", 20 + int(random() % 60));
        }
        const std::string position = std::to_string(1 + random() % (base.BookText.size() + 1)) + ",65";
        const FakeBookmarks bookmarks(u"T", {std::u16string(position.begin(), position.end())});
        CountingMeter meter(1 + random() % 40);
        Book marked = base;
        loadBookmarks(base, bookmarks);
        loadBookmarks(marked, bookmarks, &meter);
        ASSERT_EQ(marked, base);
        base.LinesPerPage = 3 + random() % 30;

        BookSettings settings = page(200 + int(random() % 600), 500);
        for (bool *option : {&settings.ReformatParagraphs, &settings.ListUpChapters, &settings.IllustrationsOn})
            *option = random() % 2;
        for (const bool chinese : {true, false}) {
            Book plain = base, watched = base;
            const auto paginate = chinese ? Book_MakePagesChST : Book_MakePagesWest;
            ASSERT_EQ(paginate(watched, settings, fixedMetrics(), gbk(), &meter),
                      paginate(plain, settings, fixedMetrics(), gbk(), nullptr));
            ASSERT_EQ(watched, plain) << round << (chinese ? " Chinese" : " Western");
        }
        // The line count, which pages rarely show.
        const LaidOutText plainLines = layOutChineseText(base.BookText, 7);
        const LaidOutText watchedLines = layOutChineseText(base.BookText, 7, &meter);
        ASSERT_EQ(watchedLines.store, plainLines.store);
        ASSERT_EQ(watchedLines.lineCount, plainLines.lineCount);
    }
}
