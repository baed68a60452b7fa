#include "engine/book.h"
#include "engine/western_pagination.h"
#include "text/text_ops.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

std::vector<std::size_t> lineCounts(const Book &book)
{
    std::vector<std::size_t> counts;
    for (const auto &text : pagesOf(book))
        counts.push_back(text::count(text, u"\r\n"));
    return counts;
}

} // namespace

TEST(MakePagesWest, MeasuresTheSampleForLineLength)
{
    EXPECT_EQ(kWesternSample.size(), 67u);
    const Book book = layOut(u"Hello", page(600, 900));
    EXPECT_FALSE(book.IsCJK);
    EXPECT_FLOAT_EQ(book.AvgCharWidth, 536.0f / 66.0f);
    EXPECT_EQ(book.CharsPerLine, 65);
    EXPECT_EQ(book.LinesPerPage, 44);
    EXPECT_EQ(book.PageCount, 2);
    EXPECT_EQ(book.Pages.page(1), u"Hello");
}

TEST(MakePagesWest, SplitsShortBareLineFeedTextIntoLines)
{
    const Book book = layOut(u"a\nb\nc\nd\ne\nf\ng", page(600, 136));
    EXPECT_EQ(book.LinesPerPage, 2);
    EXPECT_EQ(pagesOf(book),
              (std::vector<std::u16string>{u"a\r\nb\r\nc\r\n", u"d\r\ne\r\nf\r\n", u"g\r\n", u""}));
}

TEST(MakePagesWest, CleansOnlyTextsLongerThanFiveHundredCharacters)
{
    BookSettings settings = page(600, 900);
    settings.ReformatParagraphs = true;
    const std::u16string text = repeat(u"abc.\n", 100);
    ASSERT_EQ(text.size(), 500u);
    EXPECT_TRUE(layOut(text, settings).Pages.page(1).starts_with(u"abc.\r\nabc.\r\n"));
    EXPECT_TRUE(layOut(text + u"x", settings).Pages.page(1).starts_with(u"abc.\r\n\r\n abc.\r\n"));
}

TEST(MakePagesWest, KeepsTheLastSpreadsExtraPage)
{
    const Book book = layOut(u"a\r\nb\r\nc\r\nd\r\ne\r\nf", page(600, 136));
    EXPECT_EQ(book.PageCount, 2);
    EXPECT_EQ(book.Pages.size(), 3);
    EXPECT_EQ(book.Pages.page(3), u"");
}

TEST(MakePagesWest, WrapsLongLinesAtSpaces)
{
    const Book book = layOut(u"aaaa bbbb cccc", page(119, 900));
    EXPECT_EQ(book.CharsPerLine, 6);
    EXPECT_EQ(book.Pages.page(1), u"aaaa\r\nbbbb\r\ncccc");
}

TEST(MakePagesWest, TakesCharsPerLineAsOneOnNarrowPages)
{
    const Book book = layOut(u"abc def", page(60, 900));
    EXPECT_EQ(book.CharsPerLine, 1);
    EXPECT_EQ(book.Error, EngineError::None);
    EXPECT_EQ(book.Pages.page(1), u"a\r\nbc\r\nd\r\nef");
}

TEST(MakePagesWest, TurnsALongLineOfSpacesIntoAnEmptyLine)
{
    const Book book = layOut(u"ab\r\n          \r\ncd", page(119, 900));
    EXPECT_EQ(book.Error, EngineError::None);
    EXPECT_EQ(book.Pages.page(1), u"ab\r\n\r\ncd");
}

TEST(MakePagesWest, ListsChapterHeadingsThatStartAPageLine)
{
    BookSettings settings = page(600, 136);
    settings.ListUpChapters = true;
    const Book book = layOut(u"CHAPTER I\r\nThe storm came.\r\nIt was cold.\r\nCHAPTER II\r\n"
                             u"Morning.\r\nIn this chapter we\r\nrest.",
                             settings);
    EXPECT_EQ(book.ChapterTitles, (std::vector<std::u16string>{u"CHAPTER I", u"CHAPTER II"}));
    EXPECT_EQ(book.ChapterPages, (std::vector<std::int32_t>{1, 2}));
}

TEST(MakePagesWest, GivesIllustratedPagesFewerLines)
{
    BookSettings settings = page(600, 400);
    settings.PadSize = 100;
    settings.IllustrationsOn = true;
    const FixedTextMetrics tall(8, 16, 100);
    const Book book = layOut(u"0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9", settings, tall);
    EXPECT_EQ(book.LinesPerPage, 2);
    EXPECT_EQ(book.IllustrationTop, 200);
    EXPECT_EQ(lineCounts(book), (std::vector<std::size_t>{3, 2, 3, 2}));
}

TEST(MakePagesWest, EmptyTextIsOneEmptySpread)
{
    const Book book = layOut(u"", page(600, 900));
    EXPECT_FALSE(book.IsCJK);
    EXPECT_EQ(book.PageCount, 2);
    EXPECT_EQ(pagesOf(book), (std::vector<std::u16string>{u"", u""}));
}

TEST(MakePagesWest, ZeroSampleWidthIsADivisionByZero)
{
    const FixedTextMetrics zero(0, 16, 18);
    EXPECT_EQ(layOut(u"Hello", page(600, 900), zero).Error, EngineError::DivisionByZero);
    const FixedTextMetrics flat(8, 16, 0);
    EXPECT_EQ(layOut(u"Hello", page(600, 900), flat).Error, EngineError::DivisionByZero);
}

TEST(MakePagesWest, PaginationNeitherLosesNorDuplicatesCharacters)
{
    std::mt19937 random(5);
    for (int round = 0; round < 60; ++round) {
        std::u16string text;
        const int length = int(random() % 6000);
        for (int i = 0; i < length; ++i) {
            const auto kind = random() % 12;
            text += kind == 0 ? u'\n' : kind < 3 ? u' ' : kind == 3 ? u'.' : char16_t(u'a' + random() % 26);
        }
        BookSettings settings = page(100 + int(random() % 700), 300 + int(random() % 650));
        settings.IllustrationsOn = random() % 2 == 0;
        settings.ReformatParagraphs = random() % 2 == 0;
        settings.ListUpChapters = true;
        const Book book = layOut(text, settings);
        ASSERT_EQ(book.Error, EngineError::None);
        const auto visible = [](std::u16string_view s) {
            std::u16string result;
            for (char16_t c : s)
                if (c != u' ' && c != u'\r' && c != u'\n')
                    result += c;
            return result;
        };
        std::u16string paged;
        for (int number = 1; number <= book.Pages.size(); ++number)
            paged += visible(book.Pages.page(number));
        ASSERT_EQ(paged, visible(text)) << "round " << round;
        ASSERT_EQ(visible(book.Pages.page(book.PageCount + 1)), u"");
    }
}
