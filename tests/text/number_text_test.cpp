#include "text/number_text.h"

#include "text_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace quillmoth;
using text::NumberRules;
using quillmoth::testing::checkEachCase;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Where the settings files' and the bookmark file's rules agree, and where not.
TEST(LeadingNumber, ReadsByEachFilesRules)
{
    const std::tuple<std::u16string_view, double, double> cases[] = {
        {u"  -7.25abc", -7.25, -7.25}, {u"+5", 5, 5}, {u".5", 0.5, 0.5}, {u"5.", 5, 5}, {u"1e3,65", 1000, 1000},
        {u"2E-2", 0.02, 0.02}, {u"3e+", 3, 3}, {u"12 34", 12, 12}, {u"", 0, 0}, {u"inf", 0, 0}, {u"++5", 0, 0},
        {u"\uFF15", 0, 0} /* a full-width digit is no digit */, {u"1e-400", 0, 0},
        // Where the rules have always differed; the settings files read six exponent digits.
        {u"\t5", 5, 0}, {u"\r\n5", 5, 0}, {u"+-5", 0, -5}, {u"1e999", kInfinity, 0}, {u"-1e999", -kInfinity, 0},
        {u"1e0000001", 1, 10},
    };
    checkEachCase(cases, [](const auto &c) {
        EXPECT_EQ(text::leadingNumber(std::get<0>(c)), std::get<1>(c));
        EXPECT_EQ(text::leadingNumber(std::get<0>(c), NumberRules::BookmarkFile), std::get<2>(c));
    });
}

TEST(LeadingNumber, LongRunsOfDigits_StayCheapInSettingsAndExactInBookmarks)
{
    const std::u16string huge(1000000, u'9');
    EXPECT_EQ(text::leadingNumber(huge), kInfinity);
    EXPECT_EQ(text::leadingNumber(u"-" + huge), -kInfinity);
    EXPECT_EQ(text::leadingNumber(huge, NumberRules::BookmarkFile), 0);
    // Leading zeros count as digits in the settings files, not in a bookmark.
    const std::u16string padded = std::u16string(500, u'0') + u"7";
    EXPECT_EQ(text::leadingNumber(padded), kInfinity);
    EXPECT_EQ(text::leadingNumber(padded, NumberRules::BookmarkFile), 7);
}

TEST(WholeNumber, AcceptsOnlyANumberWithTheRulesBlanks)
{
    const std::tuple<std::u16string_view, std::optional<double>, std::optional<double>> cases[] = {
        {u"  -19004  ", -19004, -19004}, {u"", std::nullopt, std::nullopt}, {u"12a", std::nullopt, std::nullopt},
        {u"1 2", std::nullopt, std::nullopt}, {u"\t7\r\n", 7, std::nullopt}, {u"1e999", kInfinity, std::nullopt},
    };
    checkEachCase(cases, [](const auto &c) {
        EXPECT_EQ(text::wholeNumber(std::get<0>(c)), std::get<1>(c));
        EXPECT_EQ(text::wholeNumber(std::get<0>(c), NumberRules::BookmarkFile), std::get<2>(c));
    });
}

TEST(RoundToInt32, RoundsHalvesToEvenAndRejectsWhatDoesNotFit)
{
    const std::pair<double, std::optional<std::int32_t>> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2147483647.0, 2147483647}, {-2147483648.0, -2147483647 - 1},
        {2147483647.6, std::nullopt}, {kInfinity, std::nullopt}, {std::nan(""), std::nullopt},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(text::roundToInt32(value), expected) << value;
}

TEST(FormatNumber, WritesTheShortestFormThatReadsBack)
{
    EXPECT_EQ(text::formatNumber(100), u"100");
    EXPECT_EQ(text::formatNumber(85.5), u"85.5");
    EXPECT_EQ(text::formatFloat(0.1f), u"0.1");
    EXPECT_EQ(text::formatInteger(-19004), u"-19004");
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> wide(-1e12, 1e12);
    for (int i = 0; i < 2000; ++i) {
        const double value = i % 2 == 0 ? wide(random) : std::ldexp(wide(random), -60);
        const std::u16string written = text::formatNumber(value);
        ASSERT_EQ(text::leadingNumber(written), value) << i;
        ASSERT_EQ(text::leadingNumber(written, NumberRules::BookmarkFile), value) << i;
        const auto single = float(value);
        ASSERT_EQ(float(text::leadingNumber(text::formatFloat(single))), single) << i;
    }
}
