// The clean-ups' rules are held to a plain rendering of them on random texts
// (text_cleanup_equivalence_test.cpp); these are the cases random texts
// rarely reach.

#include "engine/text_cleanup.h"

#include "test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using quillmoth::testing::repeat;

// Only lines 1 to 51 (the first is line 0) decide whether a Chinese text has
// one paragraph per line and keeps its single empty lines.
TEST(CleanTextChST, LooksForLongLinesOnlyNearTheStart)
{
    const std::u16string longLine = repeat(u"长", 101);
    const std::u16string atLine51 = repeat(u"短\r\n", 51) + longLine + u"\r\n\r\n乙";
    EXPECT_EQ(Book_CleanTextChST(atLine51), atLine51);
    const std::u16string atLine52 = repeat(u"短\r\n", 52) + longLine;
    EXPECT_EQ(Book_CleanTextChST(atLine52 + u"\r\n\r\n乙"), atLine52 + u"\r\n乙");
}

TEST(JoinParagraphsWest, MarksChaptersAndSentenceEnds)
{
    std::vector<std::u16string> lines = {u"a chapter", u"end.", u"go on", u"wow!", u"\"hi\"", u""};
    EXPECT_EQ(Book_JoinParagraphsWest(lines),
              u"\r\n\r\na chapter\r\n\r\n end.\r\n\r\n go on wow!\r\n\r\n \"hi\"\r\n\r\n ");
    EXPECT_EQ(lines[0], u"^^a chapter^^");
    EXPECT_EQ(lines[1], u"end.^^");
    EXPECT_EQ(lines[2], u"go on");
}
