#include "engine/book.h"
#include "text/text_ops.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

// Whole Chinese books (wrapping, padding, chapters, illustrations) are held by
// the recorded golden books; these are the edges and a property on random texts.

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// Twelve Chinese characters: enough for the book to be laid out as Chinese.
const std::u16string kOpening = u"一二三四五六七八九十一二";

std::u16string lines(std::initializer_list<std::u16string_view> items)
{
    return text::join(std::vector<std::u16string_view>(items), u"\r\n");
}

} // namespace

// A short book is one spread without chapters: runs of empty lines shorten to
// one, bare line feeds become line ends, and a reformat cleans the text first.
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

// With two lines per page each page takes three; an empty line that would
// begin a page is dropped, one inside a page kept.
TEST(MakePagesChST, DropsOnlyAnEmptyFirstLineOfAPage)
{
    const std::pair<std::u16string, std::vector<std::u16string>> cases[] = {
        {lines({kOpening, u"乙", u"丙", u"", u"丁", u"戊", u"己", u"庚"}),
         {kOpening + u"\r\n乙\r\n丙\r\n", u"丁\r\n戊\r\n", u"己\r\n庚\r\n", u""}},
        {lines({kOpening, u"", u"乙", u"丙", u"丁"}), {kOpening + u"\r\n\r\n乙\r\n", u"丙\r\n丁\r\n"}},
    };
    checkEachCase(cases, [](const auto &c) {
        const Book book = layOut(c.first, page(1000, 136));
        EXPECT_EQ(book.LinesPerPage, 2);
        EXPECT_EQ(pagesOf(book), c.second);
        EXPECT_EQ(book.Pages.size(), book.PageCount);
    });
}

TEST(MakePagesChST, TakesCharsPerLineAsOneOnNarrowPages)
{
    const Book book = layOut(kOpening + kOpening, page(60, 900));
    ASSERT_TRUE(book.IsCJK);
    EXPECT_EQ(book.CharsPerLine, 1);
    // 24 one-character lines, no spaces to pad with, and the closing line end.
    EXPECT_EQ(text::count(book.Pages.page(1), u"\r\n"), 25u);
}

TEST(MakePagesChST, HasNoSixteenBitLimits)
{
    const std::u16string longLine = chinese(40000);
    const Book book = layOut(longLine, page(230, 900));
    EXPECT_EQ(book.Error, EngineError::None);
    EXPECT_EQ(book.PageCount, 90);  // 4000 lines, spaces and an empty line: 45 per page
    const FixedTextMetrics huge(8, 16, 300);
    const Book tall = layOut(longLine, page(230, 20000), huge);
    EXPECT_EQ(tall.Error, EngineError::None);
    EXPECT_GT(tall.PageCount, 2);
}

// A font that measures nothing is reported, never a crash, in either layout.
TEST(CreatBOOK, ZeroMeasuresAreADivisionByZero)
{
    const std::pair<std::u16string, FixedTextMetrics> cases[] = {
        {kOpening + kOpening, FixedTextMetrics(8, 0, 18)},
        {u"Hello", FixedTextMetrics(0, 16, 18)},
        {u"Hello", FixedTextMetrics(8, 16, 0)},
    };
    checkEachCase(cases, [](const auto &c) {
        const Book book = layOut(c.first, page(600, 900), c.second);
        EXPECT_EQ(book.Error, EngineError::DivisionByZero);
        EXPECT_EQ(book.PageCount, 0);
    });
}

// Every character of the text reaches exactly one page, in order.
TEST(MakePagesChST, PaginationNeitherLosesNorDuplicatesCharacters)
{
    std::mt19937 random(3);
    for (int round = 0; round < 60; ++round) {
        std::u16string text = kOpening;
        const int length = int(random() % 3000);
        for (int i = 0; i < length; ++i) {
            const auto kind = random() % 10;
            text += kind == 0 ? u'\n' : kind == 1 ? u' ' : char16_t(u'一' + random() % 500);
        }
        BookSettings settings = page(200 + int(random() % 600), 300 + int(random() % 650));
        settings.IllustrationsOn = random() % 2 == 0;
        settings.ReformatParagraphs = random() % 2 == 0;
        const Book book = layOut(text, settings);
        ASSERT_EQ(book.Error, EngineError::None);
        std::u16string paged;
        for (const auto &pageText : pagesOf(book))
            paged += visibleCharacters(pageText);
        ASSERT_EQ(paged, visibleCharacters(text)) << "round " << round;
        ASSERT_EQ(book.PageCount % 2, 0);
    }
}
