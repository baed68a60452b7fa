#include "text/text_paths.h"

#include <gtest/gtest.h>

using namespace quillmoth;

TEST(TextPaths, EveryCharacterSurvivesTheTripThroughAPath)
{
    const std::u16string_view names[] = {
        u"Novel.txt", u"/books/山居秋暝录.txt", u"Settings/Themes/.thm", u"\u0E01\u2603 a.txt",
        u"\U0001F600.txt", u"", u"C:\\Books\\a.txt",
    };
    for (const std::u16string_view name : names) {
        const std::filesystem::path path = text::pathFromText(name);
        EXPECT_EQ(text::textFromPath(path), name);
    }
    EXPECT_EQ(text::pathFromText(u"山").native(), "\xE5\xB1\xB1");
    EXPECT_EQ(text::pathFromText(u"/a/b.txt").filename(), "b.txt");
}

TEST(TextPaths, UnpairedSurrogatesAndBadBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(text::pathFromText(u"a\xD800" "b").native(), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(text::textFromPath(std::filesystem::path("a\xFF" "b")), u"a\uFFFD" "b");
}
