#include "engine/word_wrap.h"
#include "text/text_ops.h"

#include "../text/text_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;
using quillmoth::testing::checkEachCase;

TEST(WordWrapMixedChar, WrapsTrimmedLinesAtSpacesOrCutsWords)
{
    // The line, the width, whether it wrapped, and the line after.
    const std::tuple<std::u16string_view, std::int64_t, bool, std::u16string_view> cases[] = {
        // The first piece may be one longer than the width when the space sits just past it.
        {u"aaaa bbbb cccc", 6, true, u"aaaa\r\nbbbb\r\ncccc"},
        // Words are cut without losing characters; a space already placed is no break.
        {u"abcdefghij", 4, true, u"abc\r\ndefg\r\nhij"},
        {u"a bcdefghijk", 3, true, u"a\r\nbcd\r\nefg\r\nhijk"},
        {u"aa   bb", 2, true, u"aa \r\n bb"},
        // An empty line and a zero width are reported, the line trimmed.
        {u"        ", 3, false, u""},
        {u"  ab  ", 0, false, u"ab"},
        // A trimmed line that now fits still goes through the wrap.
        {u"ab cd      ", 10, true, u"ab\r\ncd"},
        {u"abcdef", 1, true, u"a\r\nb\r\nc\r\nd\r\nef"},
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
        const int length = 1 + int(random() % 80);
        for (int i = 0; i < length; ++i)
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
