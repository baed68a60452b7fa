#include "engine/text_cleanup.h"

#include "test_support.h"

#include <gtest/gtest.h>

using namespace quillmoth;
using quillmoth::testing::repeat;

TEST(NormalizeLineEnds, ConvertsBareEndsOnlyWhenNoCrLfIsPresent)
{
    EXPECT_EQ(normalizeLineEnds(u"a\nb\n"), u"a\r\nb\r\n");
    EXPECT_EQ(normalizeLineEnds(u"a\rb"), u"a\r\nb");
    EXPECT_EQ(normalizeLineEnds(u"a\r\nb\nc"), u"a\r\nb\nc");
    EXPECT_EQ(normalizeLineEnds(u"a\rb\nc"), u"a\rb\r\nc");  // LF wins over CR
    EXPECT_EQ(normalizeLineEnds(u"abc"), u"abc");
}

TEST(CleanTextChST, RemovesTwoSpaceIndentsInPairs)
{
    EXPECT_EQ(Book_CleanTextChST(u"\u3000\u3000\u3000\u3000甲"), u"甲");
    EXPECT_EQ(Book_CleanTextChST(u"\u3000\u3000\u3000甲"), u"\u3000甲");
    EXPECT_EQ(Book_CleanTextChST(u"\u3000甲"), u"\u3000甲");
}

TEST(CleanTextChST, NormalisesLineEndsAndTrimsEmptyLinesAtBothEnds)
{
    EXPECT_EQ(Book_CleanTextChST(u"\n\n甲\n乙\n\n"), u"甲\r\n乙");
    // Mixed line ends keep the bare LF.
    EXPECT_EQ(Book_CleanTextChST(u"甲\r\n乙\n丙"), u"甲\r\n乙\n丙");
    // Two characters go per leading CR, whatever the second one is.
    EXPECT_EQ(Book_CleanTextChST(u"\r甲乙\r\n丙"), u"乙\r\n丙");
    EXPECT_EQ(Book_CleanTextChST(u"\r甲乙"), u"甲乙");
}

TEST(CleanTextChST, DropsEmptyLinesOfHardWrappedText)
{
    const std::u16string text = u"标题\r\n\r\n\r\n\r\n甲乙\r\n\r\n丙丁\r\n\r\n戊";
    EXPECT_EQ(Book_CleanTextChST(text), u"标题\r\n甲乙\r\n丙丁\r\n戊");
}

TEST(CleanTextChST, KeepsSingleEmptyLinesWhenALineIsLong)
{
    const std::u16string longLine = repeat(u"长", 101);
    const std::u16string text = u"标题\r\n\r\n\r\n\r\n" + longLine + u"\r\n\r\n丙丁";
    EXPECT_EQ(Book_CleanTextChST(text), u"标题\r\n\r\n" + longLine + u"\r\n\r\n丙丁");
    // Exactly 100 characters is not long.
    const std::u16string hundred = repeat(u"长", 100);
    EXPECT_EQ(Book_CleanTextChST(u"题\r\n\r\n" + hundred), u"题\r\n" + hundred);
    // The first line never counts, and neither do lines after the 52nd.
    EXPECT_EQ(Book_CleanTextChST(longLine + u"\r\n\r\n乙"), longLine + u"\r\n乙");
    std::u16string late = repeat(u"短\r\n", 52) + longLine + u"\r\n\r\n乙";
    EXPECT_EQ(Book_CleanTextChST(late), repeat(u"短\r\n", 52) + longLine + u"\r\n乙");
}

TEST(CleanTextChST, RemovesEveryAsciiSpace)
{
    EXPECT_EQ(Book_CleanTextChST(u"他说 Hello World 了"), u"他说HelloWorld了");
}

TEST(CleanTextWest01, OnlyNormalisesWithoutReformat)
{
    EXPECT_EQ(Book_CleanTextWest01(u"a \nb\n\n\n\nc", false), u"a \r\nb\r\n\r\n\r\n\r\nc");
}

TEST(CleanTextWest01, JoinsHardWrappedLinesWithoutEmptyLines)
{
    const std::u16string text =
        u"It was a dark night and the\r\nwind was cold.\r\nChapter two\r\nShe said \"yes\"\r\nand left!";
    EXPECT_EQ(Book_CleanTextWest01(text, true),
              u"It was a dark night and the wind was cold.\r\n\r\n \r\n\r\nChapter two\r\n\r\n"
              u" She said \"yes\"\r\n\r\n and left!\r\n\r\n");
}

TEST(CleanTextWest01, PutsAnEmptyLineAfterEveryLongLine)
{
    const std::u16string longLine = repeat(u"word ", 30);  // 150 characters
    const std::u16string text = u"Short one\r\n" + longLine + u"x";
    EXPECT_EQ(Book_CleanTextWest01(text, true), u"Short one\r\n\r\n" + longLine + u"x");
}

TEST(CleanTextWest01, KeepsLongSingleLineBlocksUnchanged)
{
    const std::u16string block = repeat(u"abcd ", 81) + u"end.";  // 409 characters
    const std::u16string text = block + u"\r\n\r\n\r\n\r\n" + block + u"  \r\n\r\n" + block;
    // Only the shared steps apply: a space before a line end and extra empty lines go.
    EXPECT_EQ(Book_CleanTextWest01(text, true),
              block + u"\r\n\r\n" + block + u" \r\n\r\n" + block);
}

TEST(CleanTextWest01, RejoinsParagraphsOfBlankLineText)
{
    const std::u16string text =
        u"\r\n\r\nCHAPTER I\r\n\r\nThe sea was\r\ngrey.   It was\r\nlate.\r\n\r\n\r\nShe ran!";
    EXPECT_EQ(Book_CleanTextWest01(text, true),
              u"\r\n\r\nCHAPTER I\r\n\r\n The sea was grey.  It was late.\r\n\r\n She ran!\r\n\r\n");
}

TEST(CleanTextWest01, TreatsManyLinesPerBlockAsHardWrappedBlocks)
{
    // More than 20 lines per empty line: the blocks are joined as they are.
    const std::u16string block = repeat(u"line\r\n", 25) + u"last.";
    const std::u16string text = block + u"\r\n\r\n" + block;
    EXPECT_EQ(Book_CleanTextWest01(text, true), block + u"\r\n\r\n " + block + u"\r\n\r\n");
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
