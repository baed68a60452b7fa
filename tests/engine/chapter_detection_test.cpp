#include "engine/chapter_detection.h"

#include <gtest/gtest.h>

using namespace quillmoth;

TEST(FindChapterChST, TakesTheHeadingAndAShortName)
{
    EXPECT_EQ(Book_FindChapterChST(u"第一百二十章\r\n正文"), u"第一百二十章");
    EXPECT_EQ(Book_FindChapterChST(u"前言\r\n第一百二十章 风起云涌之时\r\n正文"),
              u"第一百二十章 风起云涌之时");
    EXPECT_EQ(Book_FindChapterChST(u"第三回\u3000两个名字\r\n"), u"第三回\u3000两个名字");
    EXPECT_EQ(Book_FindChapterChST(u"第二卷 上\r\n"), u"第二卷");
    EXPECT_EQ(Book_FindChapterChST(u"第五节\n小节\r\n"), u"第五节\n小节");
    EXPECT_EQ(Book_FindChapterChST(u"第九章"), u"第九章");
}

TEST(FindChapterChST, OnlyTheFirst第Counts)
{
    EXPECT_EQ(Book_FindChapterChST(u"第二天他走了，天色已经很晚了。\r\n他没有回来。\r\n第三章 归来\r\n"), u"");
    // The first 第 looks twenty characters ahead, into the next lines.
    EXPECT_EQ(Book_FindChapterChST(u"第二天他走了。\r\n第三章 归来\r\n"), u"第二天他走了。\r\n第三章 归来");
    EXPECT_EQ(Book_FindChapterChST(u"没有标题的文字"), u"");
}

TEST(FindChapterChST, NeedsASeparatorAfterTheMarker)
{
    EXPECT_EQ(Book_FindChapterChST(u"第一章节奏\r\n"), u"");
    EXPECT_EQ(Book_FindChapterChST(u"第十回来了\r\n"), u"");
}

TEST(FindChapterChST, PrefersChapterOverEpisodeVolumeAndSection)
{
    EXPECT_EQ(Book_FindChapterChST(u"第一回 第二章 x\r\n"), u"第一回 第二章");
    // The marker must lie within 20 characters of 第.
    EXPECT_EQ(Book_FindChapterChST(u"第一二三四五六七八九十一二三四五六七八九章 "), u"");
    EXPECT_EQ(Book_FindChapterChST(u"第一二三四五六七八九十一二三四五六七八章 "),
              u"第一二三四五六七八九十一二三四五六七八章");
}

TEST(FindChapterChST, KeepsOnlyTheMarkerForLongOrOneCharacterNames)
{
    EXPECT_EQ(Book_FindChapterChST(u"第一章 这是一个非常非常长的章节名字超过了限制\r\n"), u"第一章");
    // A one-character name: the line-end search starts past it and finds the
    // next line's end when that line is short.
    EXPECT_EQ(Book_FindChapterChST(u"第一章 雨\r\n短句\r\n"), u"第一章 雨\r\n短句");
    EXPECT_EQ(Book_FindChapterChST(u"第一章 雨\r\n"), u"第一章");
}

TEST(ExtractLine, FindsChapterHeadingsAtLineStarts)
{
    EXPECT_EQ(ExtractLine(u"Chapter One\r\nText"), u"Chapter One");
    EXPECT_EQ(ExtractLine(u"text\r\nCHAPTER 12\r\nmore"), u"CHAPTER 12");
    EXPECT_EQ(ExtractLine(u" CHAPTERA\r\n"), u"CHAPTERA");
    EXPECT_EQ(ExtractLine(u"chapterZ end\r\n"), u"chapterZ end");
}

TEST(ExtractLine, RejectsOtherPlaces)
{
    EXPECT_EQ(ExtractLine(u"CHAPTERS\r\n"), u"");
    EXPECT_EQ(ExtractLine(u"Chapterb\r\n"), u"");
    EXPECT_EQ(ExtractLine(u"In this chapter we\r\nCHAPTER 2\r\n"), u"");
    EXPECT_EQ(ExtractLine(u"Chapter 3"), u"");  // no line end
    EXPECT_EQ(ExtractLine(u"Chapter"), u"");
    EXPECT_EQ(ExtractLine(u"x\nChapter 4\r\n"), u"");
    EXPECT_EQ(ExtractLine(u"no heading here\r\n"), u"");
}

TEST(SubTitleE, AcceptsNumeralsAndHeadingLines)
{
    for (const char16_t *line : {u"Chapter 12", u"CHAPTER XII", u"chapter One", u"VII", u"XIV",
                                 u"IV", u"XX", u"SECTION 1", u"Section  A", u"SECTIONAB",
                                 u"The chapter Nine"})
        EXPECT_TRUE(SubTitleE(line));
}

TEST(SubTitleE, RejectsEverythingElse)
{
    for (const char16_t *line : {u"Chapter one", u"II", u"III", u"I", u"V", u"X", u"IX",
                                 u"SECTION1", u"SECTION", u"Chapter", u"Chapter ", u"VIIIIIII",
                                 u"A section 1", u"", u"vii"})
        EXPECT_FALSE(SubTitleE(line));
}
