#include "dialogs/preference_rules.h"
#include "dialogs/theme_editing.h"

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

using namespace std::literals;

TEST(ThemeEditing, NamesThatCannotBeFileNamesAreRefused)
{
    struct Case {
        std::u16string name;
        std::optional<ThemeNameProblem> problem;
    };
    // 251 + ".thm" is 255 bytes; 84 of 字 are 252 bytes.
    const Case cases[] = {
        {u"  雨夜 2 ", std::nullopt},          {u" \u3000 ", ThemeNameProblem::Empty},
        {u"a/b", ThemeNameProblem::Separator}, {u"a\\b", ThemeNameProblem::Separator},
        {u"a\0b"s, ThemeNameProblem::Separator}, {u".", ThemeNameProblem::DotName},
        {u" .. ", ThemeNameProblem::DotName},
        {std::u16string(251, u'x'), std::nullopt},
        {std::u16string(252, u'x'), ThemeNameProblem::TooLong},
        {std::u16string(84, u'字'), ThemeNameProblem::TooLong},
    };
    for (const Case &test : cases)
        EXPECT_EQ(themeNameProblem(test.name), test.problem) << test.name.size();
    EXPECT_EQ(trimmedThemeName(u"  Sepia "), u"Sepia");
}

TEST(ThemeEditing, FieldsHoldNoCommaOrLineBreak)
{
    EXPECT_TRUE(fitsThemeField(u"/home/reader/Pics/雨.jpg"));
    for (const std::u16string_view text : {u"a,b"sv, u"a\rb"sv, u"a\nb"sv, u"a\0b"sv})
        EXPECT_FALSE(fitsThemeField(text));
}

TEST(ThemeEditing, SliderPositionsAndOpacities)
{
    // The track is as wide as the preview; the thumb is 16 pixels wide.
    EXPECT_EQ(opacityPercent(300, 316), 100);
    EXPECT_EQ(sliderLeft(85, 316), 255);
    EXPECT_EQ(opacityPercent(sliderLeft(85, 316), 316), 85);
}

TEST(ThemeEditing, SavedRecordsDropOpacitiesWithoutPictures)
{
    ThemeRecord theme;
    theme.BgOpacity = 40;
    theme.CornerOpacity = 70;
    theme.CornerImagePath = "/pics/corner.png";
    const ThemeRecord saved = themeToSave(theme);
    EXPECT_EQ(saved.BgOpacity, -1);
    EXPECT_EQ(saved.CornerOpacity, 70);
}

TEST(PreferenceRules, SettingsSelectTheirOptions)
{
    EXPECT_EQ(coverStyleOption(u"FadeIn"), 3);
    EXPECT_EQ(coverStyleOption(u"Sideways"), 0);
    EXPECT_EQ(padSizeOption(u"90"), 7);
    EXPECT_EQ(padSizeOption(u"95"), 8);
    EXPECT_EQ(languageOption(u"User"), 12);
    EXPECT_EQ(languageOption(u"Klingon"), 9);
}

} // namespace
} // namespace quillmoth
