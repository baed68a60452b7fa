#include "engine/book.h"
#include "text/text_ops.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

// Whole books in both layouts (wrapping, page cutting, padding, chapters,
// illustrations) are held by the recorded golden books; these are the edges
// and a property on random texts.

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// Twelve Chinese characters: enough for the book to be laid out as Chinese.
const std::u16string kOpening = u"一二三四五六七八九十一二";

} // namespace

// A short Chinese book is one spread without chapters: runs of empty lines
// shorten to one, bare line feeds become line ends, and a reformat cleans the
// text first.
TEST(MakePagesChST, NormalisesTheLinesOfASingleSpread)
{
    const std::tuple<std::u16string, bool, std::u16string> cases[] = {
        {kOpening + u"\r\n\r\n\r\n\r\n\r\n乙", false, kOpening + u"\r\n\r\n乙"},
        {kOpening + u"\n乙\n丙", false, kOpening + u"\r\n乙\r\n丙"},
        {u"\u3000\u3000" + kOpening + u" ok\n\n\n乙", true, kOpening + u"ok\r\n乙"},
    };
    checkEachCase(cases, [](const auto &c) {
        BookSettings settings = page(1000, 900);
        settings.ReformatParagraphs = std::get<1>(c);
        EXPECT_EQ(layOut(std::get<0>(c), settings).Pages.page(1), std::get<2>(c));
    });
    BookSettings settings = page(1000, 900);
    settings.ListUpChapters = true;
    const Book book = layOut(u"第一章 雨夜来客\r\n" + kOpening, settings);
    EXPECT_EQ(book.PageCount, 2);
    EXPECT_TRUE(book.ChapterTitles.empty());
}

// A narrow page still takes one character per line in either layout, and a
// long Western line of spaces becomes an empty line.
TEST(MakePages, WrapsLongLinesOnNarrowPages)
{
    const Book book = layOut(kOpening + kOpening, page(60, 900));
    ASSERT_TRUE(book.IsCJK);
    EXPECT_EQ(book.CharsPerLine, 1);
    // 24 one-character lines, no spaces to pad with, and the closing line end.
    EXPECT_EQ(text::count(book.Pages.page(1), u"\r\n"), 25u);
    const std::tuple<std::u16string_view, int, std::int64_t, std::u16string_view> cases[] = {
        {u"abc def", 60, 1, u"a\r\nbc\r\nd\r\nef"}, {u"ab\r\n          \r\ncd", 119, 6, u"ab\r\n\r\ncd"},
    };
    checkEachCase(cases, [](const auto &c) {
        const Book western = layOut(std::get<0>(c), page(std::get<1>(c), 900));
        EXPECT_EQ(western.CharsPerLine, std::get<2>(c));
        EXPECT_EQ(western.Pages.page(1), std::get<3>(c));
    });
}

TEST(MakePagesChST, HasNoSixteenBitLimits)
{
    const std::u16string longLine = chinese(40000);
    // 4000 lines, spaces and an empty line: 45 per page.
    EXPECT_EQ(layOut(longLine, page(230, 900)).PageCount, 90);
    const Book tall = layOut(longLine, page(230, 20000), FixedTextMetrics(8, 16, 300));
    EXPECT_EQ(tall.Error, EngineError::None);
    EXPECT_GT(tall.PageCount, 2);
}

// A font that measures nothing is reported, never a crash, in either layout.
TEST(CreatBOOK, ZeroMeasuresAreADivisionByZero)
{
    const std::pair<std::u16string, FixedTextMetrics> cases[] = {
        {kOpening + kOpening, FixedTextMetrics(8, 0, 18)}, {u"Hello", FixedTextMetrics(0, 16, 18)},
        {u"Hello", FixedTextMetrics(8, 16, 0)},
    };
    checkEachCase(cases, [](const auto &c) {
        const Book book = layOut(c.first, page(600, 900), c.second);
        EXPECT_EQ(book.Error, EngineError::DivisionByZero);
        EXPECT_EQ(book.PageCount, 0);
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

// Every character of the text reaches exactly one page, in order, up to the
// end of the last spread, and nothing lies past it; Chinese books fill whole
// spreads.
TEST(MakePages, PaginationNeitherLosesNorDuplicatesCharacters)
{
    std::mt19937 random(3);
    for (int round = 0; round < 120; ++round) {
        const bool chineseText = round % 2 == 0;
        std::u16string text = chineseText ? kOpening : u"";
        for (int i = int(random() % (chineseText ? 3000 : 6000)); i > 0; --i) {
            const auto kind = random() % 12;
            text += kind == 0 ? u'\n' : kind < 3 ? u' ' : kind == 3 ? u'.'
                  : chineseText ? char16_t(u'一' + random() % 500) : char16_t(u'a' + random() % 26);
        }
        BookSettings settings = page(100 + int(random() % 700), 300 + int(random() % 650));
        settings.IllustrationsOn = random() % 2 == 0;
        settings.ReformatParagraphs = random() % 2 == 0;
        settings.ListUpChapters = !chineseText;
        const Book book = layOut(text, settings);
        ASSERT_EQ(book.Error, EngineError::None);
        std::u16string paged;
        for (const auto &pageText : pagesOf(book, book.Pages.size()))
            paged += visibleCharacters(pageText);
        ASSERT_EQ(paged, visibleCharacters(text)) << "round " << round;
        ASSERT_EQ(visibleCharacters(book.Pages.page(book.PageCount + 1)), u"");
        ASSERT_EQ(book.PageCount % 2, 0);
    }
}
