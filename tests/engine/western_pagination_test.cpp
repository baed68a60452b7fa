#include "engine/book.h"
#include "engine/western_pagination.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

// Whole Western books (line length, chapters, illustrations) are held by the
// recorded golden books; these are the edges and a property on random texts.

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// Every page up to the end of the last spread, also past PageCount.
std::vector<std::u16string> spreadPages(const Book &book)
{
    std::vector<std::u16string> pages;
    for (int number = 1; number <= book.Pages.size(); ++number)
        pages.emplace_back(book.Pages.page(number));
    return pages;
}

} // namespace

// Past PageCount the last spread's other page stays, as an empty page or the
// odd last page.
TEST(MakePagesWest, CutsPagesOfLinesAndKeepsTheLastSpreadsExtraPage)
{
    const std::tuple<std::u16string, int, std::vector<std::u16string>> cases[] = {
        {u"a\nb\nc\nd\ne\nf\ng", 4, {u"a\r\nb\r\nc\r\n", u"d\r\ne\r\nf\r\n", u"g\r\n", u""}},
        {u"a\r\nb\r\nc\r\nd\r\ne\r\nf", 2, {u"a\r\nb\r\nc\r\n", u"d\r\ne\r\nf\r\n", u""}},
    };
    checkEachCase(cases, [](const auto &c) {
        const Book book = layOut(std::get<0>(c), page(600, 136));
        EXPECT_EQ(book.LinesPerPage, 2);
        EXPECT_EQ(book.PageCount, std::get<1>(c));
        EXPECT_EQ(spreadPages(book), std::get<2>(c));
    });
}

TEST(MakePagesWest, CleansOnlyTextsLongerThanFiveHundredCharacters)
{
    BookSettings settings = page(600, 900);
    settings.ReformatParagraphs = true;
    const std::u16string text = repeat(u"abc.\n", 100);
    EXPECT_TRUE(layOut(text, settings).Pages.page(1).starts_with(u"abc.\r\nabc.\r\n"));
    EXPECT_TRUE(layOut(text + u"x", settings).Pages.page(1).starts_with(u"abc.\r\n\r\n abc.\r\n"));
}

// A narrow page still takes one character per line, and a long line of spaces
// becomes an empty line.
TEST(MakePagesWest, WrapsLongLines)
{
    const std::tuple<std::u16string_view, int, std::int64_t, std::u16string_view> cases[] = {
        {u"abc def", 60, 1, u"a\r\nbc\r\nd\r\nef"},
        {u"ab\r\n          \r\ncd", 119, 6, u"ab\r\n\r\ncd"},
    };
    checkEachCase(cases, [](const auto &c) {
        const Book book = layOut(std::get<0>(c), page(std::get<1>(c), 900));
        EXPECT_EQ(book.Error, EngineError::None);
        EXPECT_EQ(book.CharsPerLine, std::get<2>(c));
        EXPECT_EQ(book.Pages.page(1), std::get<3>(c));
    });
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
        std::u16string paged;
        for (const auto &pageText : spreadPages(book))
            paged += visibleCharacters(pageText);
        ASSERT_EQ(paged, visibleCharacters(text)) << "round " << round;
        ASSERT_EQ(visibleCharacters(book.Pages.page(book.PageCount + 1)), u"");
    }
}
