#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers as the stored files write and read them.
namespace quillmoth::text {

// The settings files and the bookmark file have always read their numbers
// by slightly different rules. Files written under each must keep reading
// the same, so both sets of rules are kept:
//
//                     SettingsFile                   BookmarkFile
//   before it         spaces, tabs, CR and LF        spaces only
//   sign              one "+" or "-"                 "+", then "-", each optional
//   digits            the first 400 characters and   all of them
//                     six exponent digits count
//   beyond a double   -inf or +inf (0 when tiny)     no number (read as 0)
//
// Both take digits with "." as the decimal point and an optional exponent.
enum class NumberRules { SettingsFile, BookmarkFile };

// The number a text starts with; 0 when it does not start with one.
double leadingNumber(std::u16string_view text, NumberRules rules = NumberRules::SettingsFile);

// The whole text as a number, blanks around it allowed (the same blanks the
// rules skip before it, and after it as well); nothing when any other
// character is present or no digit is.
std::optional<double> wholeNumber(std::u16string_view text,
                                  NumberRules rules = NumberRules::SettingsFile);

// The nearest 32-bit integer, halves to the even neighbour; nothing when the
// value does not fit.
std::optional<std::int32_t> roundToInt32(double value);

// The shortest decimal form of a number ("100", "85.5", "-1").
std::u16string formatNumber(double value);
std::u16string formatFloat(float value);

// Decimal text of an integer.
std::u16string formatInteger(std::int64_t value);

} // namespace quillmoth::text
