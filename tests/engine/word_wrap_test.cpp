#include "engine/word_wrap.h"

#include "../text/text_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;
using quillmoth::testing::checkEachCase;

TEST(WordWrapMixedChar, WrapsTrimmedLinesAtSpacesOrCutsWords)
{
    struct Case {
        std::u16string_view line;
        std::int64_t width;
        bool ok;
        std::u16string_view wrapped;
    };
    const Case cases[] = {
        // The first piece may be one longer than the width when the space sits
        // just past it.
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
    checkEachCase(cases, [](const Case &c) {
        std::u16string line(c.line);
        bool ok = !c.ok;
        WordWrapMixedChar(line, c.width, ok);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(line, c.wrapped);
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

        std::u16string expected;
        for (char16_t c : line)
            if (c != u' ')
                expected += c;
        std::u16string actual;
        std::size_t start = 0;
        while (ok) {
            const std::size_t end = wrapped.find(u"\r\n", start);
            const std::u16string piece =
                wrapped.substr(start, end == std::u16string::npos ? end : end - start);
            ASSERT_FALSE(piece.empty()) << "round " << round;
            ASSERT_LE(std::int64_t(piece.size()), width + 1) << "round " << round;
            for (char16_t c : piece)
                if (c != u' ')
                    actual += c;
            if (end == std::u16string::npos)
                break;
            start = end + 2;
        }
        ASSERT_EQ(actual, expected) << "round " << round;
    }
}
