#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Small text helpers shared by the settings stores: paths, case folding and
// the number reading the stored files need.
namespace quillmoth::settings {

// A path from stored text, and the text that stores a path.
std::filesystem::path pathFromText(std::u16string_view text);
std::u16string textFromPath(const std::filesystem::path &path);

// True when the two texts are equal after simple case folding.
bool equalFoldingCase(std::u16string_view a, std::u16string_view b);

// Less-than after simple case folding, for listing names the way a
// case-insensitive file system does.
bool lessFoldingCase(std::u16string_view a, std::u16string_view b);

// The leading number of a text, the way stored numbers have always been read:
// blanks skipped, an optional sign, digits with "." as decimal point and an
// optional exponent; 0 when the text does not start with a number.
double leadingNumber(std::u16string_view text);

// The whole text (blanks around it allowed) as a number; nothing when any
// other character is present or no digit is.
std::optional<double> wholeNumber(std::u16string_view text);

// The nearest 32-bit integer, halves to the even neighbour; nothing when the
// value does not fit.
std::optional<std::int32_t> roundToInt32(double value);

// The shortest decimal form of a number ("100", "85.5", "-1").
std::u16string formatNumber(double value);
std::u16string formatFloat(float value);

// Decimal text of an integer.
std::u16string formatInteger(std::int64_t value);

} // namespace quillmoth::settings
