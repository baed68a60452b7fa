#include "engine/chapter_detection.h"
#include "engine/word_wrap.h"
#include "text/text_ops.h"

#include "../text/text_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;
using quillmoth::testing::checkEachCase;

// The line rules of layout: chapter headings and word wrapping.

using TitleCase = std::pair<std::u16string_view, std::u16string_view>;

TEST(FindChapterChST, TakesTheFirst第HeadingAndAShortName)
{
    const TitleCase cases[] = {
        {u"前言\r\n第一百二十章 风起云涌之时\r\n正文", u"第一百二十章 风起云涌之时"}, {u"第二卷 上\r\n", u"第二卷"},
        {u"第五节\n小节\r\n", u"第五节\n小节"}, {u"没有标题的文字", u""},
        // Only the first 第 counts, and it looks twenty characters ahead, into the next lines.
        {u"第二天他走了，天色已经很晚了。\r\n他没有回来。\r\n第三章 归来\r\n", u""},
        {u"第二天他走了。\r\n第三章 归来\r\n", u"第二天他走了。\r\n第三章 归来"},
        // The marker needs a separator after it; 章 wins over 回, 卷 and 节, and
        // must lie within 20 characters of 第.
        {u"第一章节奏\r\n", u""}, {u"第一回 第二章 x\r\n", u"第一回 第二章"},
        {u"第一二三四五六七八九十一二三四五六七八九章 ", u""},
        {u"第一二三四五六七八九十一二三四五六七八章 ", u"第一二三四五六七八九十一二三四五六七八章"},
        // Long names are left out. The line-end search starts past a
        // one-character name and finds the next line's end when that line is short.
        {u"第一章 这是一个非常非常长的章节名字超过了限制\r\n", u"第一章"},
        {u"第一章 雨\r\n短句\r\n", u"第一章 雨\r\n短句"}, {u"第一章 雨\r\n", u"第一章"},
    };
    checkEachCase(cases, [](const TitleCase &c) { EXPECT_EQ(Book_FindChapterChST(c.first), c.second); });
}

TEST(ExtractLine, FindsChapterHeadingsOnlyAtLineStarts)
{
    const TitleCase cases[] = {
        {u"Chapter One\r\nText", u"Chapter One"}, {u" CHAPTERA\r\n", u"CHAPTERA"}, {u"chapterZ end\r\n", u"chapterZ end"},
        {u"CHAPTERS\r\n", u""}, {u"Chapterb\r\n", u""}, {u"In this chapter we\r\nCHAPTER 2\r\n", u""},
        {u"Chapter 3", u""} /* no line end */, {u"x\nChapter 4\r\n", u""},
    };
    checkEachCase(cases, [](const TitleCase &c) { EXPECT_EQ(ExtractLine(c.first), c.second); });
}

TEST(SubTitleE, AcceptsNumeralsAndHeadingLinesOnly)
{
    for (const char16_t *line : {u"CHAPTER XII", u"chapter One", u"VII", u"IV", u"XX",
                                 u"Section  A", u"SECTIONAB", u"The chapter Nine"})
        EXPECT_TRUE(SubTitleE(line));
    for (const char16_t *line : {u"Chapter one", u"III", u"X", u"SECTION1", u"Chapter ",
                                 u"VIIIIIII", u"A section 1", u"", u"vii"})
        EXPECT_FALSE(SubTitleE(line));
}

TEST(WordWrapMixedChar, WrapsTrimmedLinesAtSpacesOrCutsWords)
{
    // The line, the width, whether it wrapped, and the line after.
    const std::tuple<std::u16string_view, std::int64_t, bool, std::u16string_view> cases[] = {
        // The first piece may be one longer than the width when the space sits
        // just past it; words are cut without losing characters; a space
        // already placed is no break.
        {u"aaaa bbbb cccc", 6, true, u"aaaa\r\nbbbb\r\ncccc"}, {u"abcdefghij", 4, true, u"abc\r\ndefg\r\nhij"},
        {u"a bcdefghijk", 3, true, u"a\r\nbcd\r\nefg\r\nhijk"}, {u"aa   bb", 2, true, u"aa \r\n bb"},
        // An empty line and a zero width are reported, the line trimmed; a
        // trimmed line that now fits still goes through the wrap.
        {u"        ", 3, false, u""}, {u"  ab  ", 0, false, u"ab"},
        {u"ab cd      ", 10, true, u"ab\r\ncd"}, {u"abcdef", 1, true, u"a\r\nb\r\nc\r\nd\r\nef"},
    };
    checkEachCase(cases, [](const auto &c) {
        std::u16string line(std::get<0>(c));
        bool ok = !std::get<2>(c);
        WordWrapMixedChar(line, std::get<1>(c), ok);
        EXPECT_EQ(ok, std::get<2>(c));
        EXPECT_EQ(line, std::get<3>(c));
    });
}

// Wrapping never loses, adds or reorders a non-space character, every piece
// holds something and no piece is longer than the width plus one.
TEST(WordWrapMixedChar, PreservesCharactersForRandomLines)
{
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::u16string line;
        for (int i = 1 + int(random() % 80); i > 0; --i)
            line += (random() % 4 == 0) ? u' ' : char16_t(u'a' + random() % 26);
        const std::int64_t width = 1 + std::int64_t(random() % 12);
        std::u16string wrapped = line;
        bool ok = false;
        WordWrapMixedChar(wrapped, width, ok);
        ASSERT_TRUE(ok || text::trimSpaces(line).empty()) << "round " << round;
        std::u16string pieces;
        text::forEachPart(wrapped, u"\r\n", [&](std::u16string_view piece) {
            EXPECT_FALSE(piece.empty()) << "round " << round;
            EXPECT_LE(std::int64_t(piece.size()), width + 1) << "round " << round;
            pieces += piece;
        });
        text::removeAll(line, u' ');
        text::removeAll(pieces, u' ');
        ASSERT_EQ(pieces, line) << "round " << round;
    }
}
