#include "engine/word_wrap.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;

namespace {

std::u16string wrap(std::u16string line, std::int64_t width, bool expectedOk = true)
{
    bool ok = !expectedOk;
    WordWrapMixedChar(line, width, ok);
    EXPECT_EQ(ok, expectedOk);
    return line;
}

} // namespace

TEST(WordWrapMixedChar, BreaksAtTheLastSpaceWithinReach)
{
    EXPECT_EQ(wrap(u"aaaa bbbb cccc", 6), u"aaaa\r\nbbbb\r\ncccc");
    // The first piece may be one longer than the width when the space sits
    // just past it.
    EXPECT_EQ(wrap(u"abcde fgh ij", 4), u"abcde\r\nfgh\r\nij");
}

TEST(WordWrapMixedChar, CutsWordsWithoutLosingCharacters)
{
    EXPECT_EQ(wrap(u"abcdefghij", 4), u"abc\r\ndefg\r\nhij");
    // A space already placed does not count as a break.
    EXPECT_EQ(wrap(u"a bcdefghijk", 3), u"a\r\nbcd\r\nefg\r\nhijk");
}

TEST(WordWrapMixedChar, KeepsExtraSpacesAtThePieceStart)
{
    EXPECT_EQ(wrap(u"aa   bb", 2), u"aa \r\n bb");
}

TEST(WordWrapMixedChar, TrimsAndReportsEmptyLinesAndZeroWidth)
{
    EXPECT_EQ(wrap(u"        ", 3, false), u"");
    EXPECT_EQ(wrap(u"  ab  ", 0, false), u"ab");
    // A trimmed line that now fits still goes through the wrap.
    EXPECT_EQ(wrap(u"ab cd      ", 10), u"ab\r\ncd");
}

TEST(WordWrapMixedChar, EndsAtWidthOne)
{
    EXPECT_EQ(wrap(u"abc", 1), u"a\r\nbc");
    EXPECT_EQ(wrap(u"abcdef", 1), u"a\r\nb\r\nc\r\nd\r\nef");
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
