#include "text/code_page.h"

#include "text/text_ops.h"
#include "text/work_meter.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

namespace quillmoth {
namespace {

struct ConverterCloser {
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Every invalid or unmapped byte sequence becomes U+FFFD, whatever
// substitution character the converter would pick on its own.
void substituteReplacementCharacter(const void *, UConverterToUnicodeArgs *args, const char *,
                                    int32_t, UConverterCallbackReason reason, UErrorCode *error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    static const UChar kReplacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

ConverterPtr openDecoder(const std::string &converterName)
{
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(converterName.c_str(), &error));
    if (U_FAILURE(error))
        return nullptr;
    ucnv_setToUCallBack(converter.get(), substituteReplacementCharacter, nullptr, nullptr, nullptr,
                        &error);
    return converter;
}

// The converter keeps a character cut at the end of one part and finishes it
// with the next, so decoding part by part gives the text of a single call.
std::u16string decodeWith(UConverter *converter, std::string_view bytes, text::WorkMeter *meter)
{
    // Touching fresh memory, decoding and handing memory back take times of
    // about these proportions.
    text::MeterSteps steps(meter, {3, 2, 2});
    steps.next();
    // No code page makes more UTF-16 units than it has bytes.
    std::u16string text;
    text::resizeWatched(text, bytes.size() + 4, meter);
    steps.next();
    const char *source = bytes.data();
    const char *sourceLimit = bytes.data() + bytes.size();
    const std::size_t part = meter ? meter->stride() : bytes.size();
    UChar *target = reinterpret_cast<UChar *>(text.data());
    UChar *targetStart = target;
    for (;;) {
        const char *partLimit =
            std::size_t(sourceLimit - source) > part ? source + part : sourceLimit;
        const bool last = partLimit == sourceLimit;
        UErrorCode error = U_ZERO_ERROR;
        UChar *targetLimit = targetStart + text.size();
        ucnv_toUnicode(converter, &target, targetLimit, &source, partLimit, nullptr, last, &error);
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            const auto written = std::size_t(target - targetStart);
            text.resize(text.size() * 2);
            targetStart = reinterpret_cast<UChar *>(text.data());
            target = targetStart + written;
            continue;
        }
        if (last || U_FAILURE(error))
            break;
        meter->reached(std::size_t(source - bytes.data()), bytes.size());
    }
    text.resize(std::size_t(target - targetStart));
    // Double-byte text fills about half of the first guess; hand the rest back.
    if (text.capacity() > text.size() + text.size() / 4 + 64) {
        steps.next();
        if (meter == nullptr)
            text.shrink_to_fit();
        else
            text = text::copyOf(text, meter);
    }
    return text;
}

std::string upperAscii(std::string_view text)
{
    std::string result(text);
    for (auto &c : result)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

// ICU names for the Windows code pages whose plain "windows-nnn" alias is
// ambiguous or missing.
std::string converterNameFor(std::string_view name)
{
    const std::string upper = upperAscii(name);
    if (upper == "CP936" || upper == "GBK")
        return "windows-936-2000";
    if (upper == "CP950" || upper == "BIG5")
        return "windows-950-2000";
    if (upper == "CP949")
        return "windows-949-2000";
    if (upper == "CP932")
        return "ibm-943_P15A-2003";
    if (upper.size() > 2 && upper.starts_with("CP") &&
        std::all_of(upper.begin() + 2, upper.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return "windows-" + upper.substr(2);
    return std::string(name);
}

bool converterExists(const std::string &converterName)
{
    return openDecoder(converterName) != nullptr;
}

struct CodeTables {
    std::shared_ptr<std::array<std::int16_t, 65536>> codes;
    std::shared_ptr<std::bitset<65536>> doubleByte;
};

CodeTables buildCodeTables(const std::string &converterName)
{
    CodeTables tables{std::make_shared<std::array<std::int16_t, 65536>>(),
                      std::make_shared<std::bitset<65536>>()};
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(converterName.c_str(), &error));
    tables.codes->fill(63);
    if (U_FAILURE(error))
        return tables;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &error);
    for (std::uint32_t unit = 0; unit < 65536; ++unit) {
        const UChar character = UChar(unit);
        char bytes[8];
        error = U_ZERO_ERROR;
        ucnv_resetFromUnicode(converter.get());
        const int32_t length =
            ucnv_fromUChars(converter.get(), bytes, sizeof bytes, &character, 1, &error);
        if (U_FAILURE(error) || length < 1 || length > 2)
            continue;
        const auto first = static_cast<unsigned char>(bytes[0]);
        if (length == 1) {
            (*tables.codes)[unit] = std::int16_t(first);
        } else {
            const auto second = static_cast<unsigned char>(bytes[1]);
            (*tables.codes)[unit] = static_cast<std::int16_t>(std::uint16_t(first << 8 | second));
            tables.doubleByte->set(unit);
        }
    }
    return tables;
}

} // namespace

AnsiCodePage::AnsiCodePage(std::string name, std::string converterName)
    : m_name(std::move(name)), m_converterName(std::move(converterName))
{
    auto tables = buildCodeTables(m_converterName);
    m_codes = std::move(tables.codes);
    m_doubleByte = std::move(tables.doubleByte);
}

std::string AnsiCodePage::nameForLocale(std::string_view locale)
{
    if (locale.starts_with("zh_TW") || locale.starts_with("zh_HK") || locale.starts_with("zh_MO"))
        return "CP950";
    if (locale.starts_with("ja"))
        return "CP932";
    if (locale.starts_with("ko"))
        return "CP949";
    return "CP936";
}

std::string AnsiCodePage::localeFromEnvironment()
{
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char *value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

AnsiCodePage AnsiCodePage::fromEnvironment()
{
    return *named(nameForLocale(localeFromEnvironment()));
}

std::optional<AnsiCodePage> AnsiCodePage::named(std::string_view name)
{
    std::string converterName = converterNameFor(name);
    if (!converterExists(converterName)) {
        // "CP1252" and friends: ICU knows some code pages only by other names.
        const std::string upper = upperAscii(name);
        if (!upper.starts_with("CP"))
            return std::nullopt;
        converterName = "ibm-" + upper.substr(2);
        if (!converterExists(converterName))
            return std::nullopt;
    }
    const std::string upper = upperAscii(name);
    return AnsiCodePage(upper.starts_with("CP") ? upper : std::string(name), converterName);
}

std::u16string AnsiCodePage::decode(std::string_view bytes, text::WorkMeter *meter) const
{
    return decodeWithConverter(m_converterName, bytes, meter).value_or(std::u16string());
}

std::optional<std::u16string> AnsiCodePage::characterForCode(std::int64_t code) const
{
    if (code < -32768 || code > 65535)
        return std::nullopt;
    const auto value = static_cast<std::uint32_t>(code < 0 ? code + 65536 : code);
    std::string bytes;
    if (value > 255)
        bytes.push_back(char(value >> 8));
    bytes.push_back(char(value & 0xFF));
    return decode(bytes);
}

std::optional<std::u16string> decodeWithConverter(std::string_view converterName,
                                                  std::string_view bytes, text::WorkMeter *meter)
{
    ConverterPtr converter = openDecoder(std::string(converterName));
    if (!converter)
        return std::nullopt;
    return decodeWith(converter.get(), bytes, meter);
}

std::string utf8FromUtf16(std::u16string_view text)
{
    std::string utf8(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), int32_t(utf8.size()), &length,
                       reinterpret_cast<const UChar *>(text.data()), int32_t(text.size()), 0xFFFD,
                       nullptr, &error);
    utf8.resize(U_SUCCESS(error) ? std::size_t(length) : 0);
    return utf8;
}

std::u16string utf16FromUtf8(std::string_view bytes)
{
    // A UTF-8 text never needs more UTF-16 units than it has bytes; no
    // converter is opened, so many short names (a folder listing) stay cheap.
    std::u16string text(bytes.size(), u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar *>(text.data()), int32_t(text.size()), &length,
                         bytes.data(), int32_t(bytes.size()), 0xFFFD, nullptr, &error);
    text.resize(U_SUCCESS(error) ? std::size_t(length) : 0);
    return text;
}

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the UTF-8 sequence a lead byte starts; 0 when it starts none.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

std::u16string utf16FromBytesEscaped(std::string_view bytes)
{
    std::u16string text = utf16FromUtf8(bytes);
    if (utf8FromUtf16(text) == bytes)
        return text; // valid UTF-8, the usual case
    text.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(bytes[i]));
        if (length != 0 && i + length <= bytes.size()) {
            // A sequence is valid when it converts both ways unchanged, which
            // leaves overlong forms and encoded surrogates to the converter.
            const std::string_view piece = bytes.substr(i, length);
            std::u16string decoded = utf16FromUtf8(piece);
            if (utf8FromUtf16(decoded) == piece) {
                text += decoded;
                i += length;
                continue;
            }
        }
        text += char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i]));
        ++i;
    }
    return text;
}

std::string bytesFromUtf16Escaped(std::u16string_view text)
{
    std::string bytes;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool escaped = unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF &&
                             !(i > 0 && isHighSurrogate(text[i - 1]));
        if (!escaped)
            continue;
        bytes += utf8FromUtf16(text.substr(runStart, i - runStart));
        bytes += char(unit - kEscapeBase);
        runStart = i + 1;
    }
    bytes += utf8FromUtf16(text.substr(runStart));
    return bytes;
}

std::optional<std::string> AnsiCodePage::encode(std::u16string_view text) const
{
    std::string bytes;
    for (const char16_t character : text) {
        // Double-byte characters come as negative 16-bit numbers.
        const int code = charCode(character) & 0xFFFF;
        if (code > 0xFF)
            bytes += char(code >> 8);
        bytes += char(code & 0xFF);
    }
    // "?" stands for what the code page cannot hold: it must decode back.
    if (decode(bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace quillmoth
