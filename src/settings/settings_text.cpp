#include "settings/settings_text.h"

#include "engine/code_page.h"

#include <unicode/uchar.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillmoth::settings {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

struct ParsedNumber {
    double value = 0;
    std::size_t end = 0;  // index after the number, 0 when there is none
};

// Reads a number at the start of `text` after blanks.
ParsedNumber parseNumber(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string ascii;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            ascii += '-';
        ++i;
    }
    bool digits = false;
    bool tooLong = false;
    // A run of a million digits must stay cheap: beyond this length the whole
    // part can only be out of range anyway.
    constexpr std::size_t kLongestNumber = 400;
    while (i < text.size() && isDigit(text[i])) {
        if (ascii.size() < kLongestNumber)
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
            if (ascii.size() < kLongestNumber)
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
        while (j < text.size() && isDigit(text[j]) && j - firstDigit < 6)
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
        // Too small a magnitude reads as 0, too large as infinity.
        const bool tiny = ascii.find("e-") != std::string::npos;
        value = tiny ? 0.0 : ascii.front() == '-' ? -infinity : infinity;
    }
    else if (result.ec != std::errc())
        return {};
    return {value, i};
}

} // namespace

std::filesystem::path pathFromText(std::u16string_view text)
{
    return std::filesystem::path(utf8FromUtf16(text));
}

std::u16string textFromPath(const std::filesystem::path &path)
{
    return utf16FromUtf8(path.native());
}

bool equalFoldingCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] &&
            u_foldCase(a[i], U_FOLD_CASE_DEFAULT) != u_foldCase(b[i], U_FOLD_CASE_DEFAULT))
            return false;
    }
    return true;
}

bool lessFoldingCase(std::u16string_view a, std::u16string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const UChar32 x = u_foldCase(a[i], U_FOLD_CASE_DEFAULT);
        const UChar32 y = u_foldCase(b[i], U_FOLD_CASE_DEFAULT);
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

double leadingNumber(std::u16string_view text)
{
    return parseNumber(text).value;
}

std::optional<double> wholeNumber(std::u16string_view text)
{
    const ParsedNumber number = parseNumber(text);
    if (number.end == 0)
        return std::nullopt;
    for (std::size_t i = number.end; i < text.size(); ++i) {
        if (!isBlank(text[i]))
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

std::u16string formatNumber(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::u16string(buffer.data(), result.ptr);
}

std::u16string formatFloat(float value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::u16string(buffer.data(), result.ptr);
}

std::u16string formatInteger(std::int64_t value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::u16string(buffer.data(), result.ptr);
}

} // namespace quillmoth::settings
