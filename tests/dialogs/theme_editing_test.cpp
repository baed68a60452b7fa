#include "dialogs/preference_rules.h"
#include "dialogs/theme_editing.h"

#include "../platform/app_test_support.h"

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
    EXPECT_EQ(opacityPercent(3, 216), 2); // 1.5 and 2.5 round to the even 2
    EXPECT_EQ(opacityPercent(5, 216), 2);
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

TEST(PreferenceRules, PathsCompareHoweverTheyAreSpelled)
{
    testing::ScratchFolder scratch;
    const std::filesystem::path root = scratch.path(), picture = root / "Settings" / "UIbg.jpg";
    testing::writeFile(picture, "jpeg");
    for (const std::u16string_view spelling :
         {u"Settings/UIbg.jpg", u"Settings\\UIbg.jpg", u"./Settings/../Settings/UIbg.jpg"})
        EXPECT_TRUE(isSamePath(pathFromTypedText(spelling), picture, root)) << spelling.size();
    EXPECT_FALSE(isSamePath(pathFromTypedText(u"Settings/Other.jpg"), picture, root));
    EXPECT_FALSE(isSamePath({}, picture, root));
}

TEST(PreferenceRules, OnlyThumbnailFilesAreDeleted)
{
    testing::ScratchFolder scratch;
    const std::filesystem::path thumbs = scratch.path() / "CoverThumbs";
    testing::writeFile(thumbs / "Novel.jpg", "jpeg");
    testing::writeFile(thumbs / "Book.TXT", "jpeg");
    testing::writeFile(thumbs / "kept" / "inside.jpg", "jpeg");
    testing::writeFile(scratch.path() / "elsewhere.jpg", "jpeg");
    std::filesystem::create_symlink(scratch.path() / "elsewhere.jpg", thumbs / "link.jpg");
    EXPECT_TRUE(hasThumbnailFiles(thumbs));
    EXPECT_EQ(deleteThumbnailFiles(thumbs), 2);
    EXPECT_FALSE(hasThumbnailFiles(thumbs));
    EXPECT_TRUE(std::filesystem::exists(thumbs / "kept" / "inside.jpg"));
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "elsewhere.jpg"));
    EXPECT_TRUE(std::filesystem::is_symlink(thumbs / "link.jpg"));
}

} // namespace
} // namespace quillmoth
