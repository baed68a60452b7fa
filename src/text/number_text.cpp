#include "text/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillmoth::text {
namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The characters the rules skip before a number (and, for a whole number, after it).
bool isSkipped(char16_t c, NumberRules rules)
{
    return rules == NumberRules::SettingsFile ? isBlank(c) : c == u' ';
}

struct ParsedNumber {
    double value = 0;
    std::size_t end = 0;      // index after the number, 0 when there is none
    bool outOfRange = false;  // only under the bookmark rules, whose value is then 0
};

// Reads a number at the start of `text` after the characters the rules skip.
ParsedNumber parseNumber(std::u16string_view text, NumberRules rules)
{
    const bool settings = rules == NumberRules::SettingsFile;
    // A run of a million digits must stay cheap in a settings file: beyond
    // this length the whole part can only be out of range anyway.
    const std::size_t longestNumber = settings ? 400 : npos;
    const std::size_t longestExponent = settings ? 6 : npos;

    std::size_t i = 0;
    while (i < text.size() && isSkipped(text[i], rules))
        ++i;
    std::string ascii;
    if (settings) {
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            if (text[i] == u'-')
                ascii += '-';
            ++i;
        }
    } else {
        if (i < text.size() && text[i] == u'+')
            ++i;
        if (i < text.size() && text[i] == u'-') {
            ascii += '-';
            ++i;
        }
    }
    bool digits = false;
    bool tooLong = false;
    while (i < text.size() && isDigit(text[i])) {
        if (ascii.size() < longestNumber)
            ascii += char(text[i]);
        else
            tooLong = true;
        digits = true;
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        ascii += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            if (ascii.size() < longestNumber)
                ascii += char(text[i]);
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return {};
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++]);
        const std::size_t firstDigit = j;
        while (j < text.size() && isDigit(text[j]) && j - firstDigit < longestExponent)
            exponent += char(text[j++]);
        if (j > firstDigit) {
            ascii += exponent;
            i = j;
            while (i < text.size() && isDigit(text[i]))
                ++i;
        }
    }
    const double infinity = std::numeric_limits<double>::infinity();
    if (tooLong)
        return {ascii.front() == '-' ? -infinity : infinity, i};
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!settings)
            return {0, i, true};
        // Too small a magnitude reads as 0, too large as infinity.
        const bool tiny = ascii.find("e-") != std::string::npos;
        value = tiny ? 0.0 : ascii.front() == '-' ? -infinity : infinity;
    } else if (result.ec != std::errc()) {
        return {};
    }
    return {value, i};
}

} // namespace

double leadingNumber(std::u16string_view text, NumberRules rules)
{
    return parseNumber(text, rules).value;
}

std::optional<double> wholeNumber(std::u16string_view text, NumberRules rules)
{
    const ParsedNumber number = parseNumber(text, rules);
    if (number.end == 0 || number.outOfRange)
        return std::nullopt;
    for (std::size_t i = number.end; i < text.size(); ++i) {
        if (!isSkipped(text[i], rules))
            return std::nullopt;
    }
    return number.value;
}

std::optional<std::int32_t> roundToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < double(std::numeric_limits<std::int32_t>::min()) ||
        rounded > double(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return std::int32_t(rounded);
}

namespace {

template <typename Number>
std::u16string decimalText(Number value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::u16string(buffer.data(), result.ptr);
}

} // namespace

std::u16string formatNumber(double value) { return decimalText(value); }

std::u16string formatFloat(float value) { return decimalText(value); }

std::u16string formatInteger(std::int64_t value) { return decimalText(value); }

} // namespace quillmoth::text
