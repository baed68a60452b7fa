#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quillmoth {

namespace text {
class WorkMeter;
}

// The "system ANSI code page" of the program: the multi-byte code page that
// ANSI book files are decoded in and that gives every character its decimal
// code. It is a setting chosen once from the locale, never from the operating
// system, so the same book lays out the same way everywhere.
class AnsiCodePage {
public:
    // The code page for a locale name: CP950 for zh_TW, zh_HK and zh_MO, CP932
    // for ja, CP949 for ko, CP936 (GBK) for everything else.
    static std::string nameForLocale(std::string_view locale);

    // The locale the program runs in: LC_ALL, else LC_CTYPE, else LANG.
    static std::string localeFromEnvironment();

    // The code page of the current locale.
    static AnsiCodePage fromEnvironment();

    // A code page by its Windows name ("CP936", "CP950", "CP1252", ...) or an
    // ICU converter name; empty when no converter knows it.
    static std::optional<AnsiCodePage> named(std::string_view name);

    // The name it was opened with, upper-cased for "CPnnnn" names.
    const std::string &name() const { return m_name; }

    // The ICU converter behind it.
    const std::string &converterName() const { return m_converterName; }

    // Decodes bytes of this code page; invalid sequences become U+FFFD. With a
    // meter the bytes are decoded a part at a time, to the same text.
    std::u16string decode(std::string_view bytes, text::WorkMeter *meter = nullptr) const;

    // The character's decimal code: a two-byte code read as a signed 16-bit
    // number (lead byte high), the byte value of a single-byte character, and
    // 63 ("?") for a character the code page cannot encode.
    int charCode(char16_t character) const { return (*m_codes)[character]; }

    // True when the code page encodes the character in two bytes.
    bool isDoubleByte(char16_t character) const { return m_doubleByte->test(character); }

    // The text that a code stands for: the code's one or two bytes decoded in
    // this code page. Codes from -32768 to 65535 are valid; a negative code is
    // the signed reading of a two-byte code.
    std::optional<std::u16string> characterForCode(std::int64_t code) const;

    // The bytes of text in this code page, or nothing when a character has
    // none (it would not come back as it is).
    std::optional<std::string> encode(std::u16string_view text) const;

private:
    AnsiCodePage(std::string name, std::string converterName);

    std::string m_name;
    std::string m_converterName;
    std::shared_ptr<const std::array<std::int16_t, 65536>> m_codes;
    std::shared_ptr<const std::bitset<65536>> m_doubleByte;
};

// Decodes bytes with the named ICU converter ("UTF-8", "windows-950-2000", ...);
// invalid sequences become U+FFFD. Empty when the converter does not exist.
// With a meter the bytes are decoded a part at a time, to the same text.
std::optional<std::u16string> decodeWithConverter(std::string_view converterName,
                                                   std::string_view bytes,
                                                   text::WorkMeter *meter = nullptr);

// UTF-8 of UTF-16 text; unpaired surrogates become U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

// UTF-16 of UTF-8 bytes; invalid sequences become U+FFFD.
std::u16string utf16FromUtf8(std::string_view bytes);

// Bytes that are mostly UTF-8 as text that can be turned back into exactly
// those bytes: each byte that is not part of a UTF-8 sequence becomes one lone
// low surrogate, U+DC80 to U+DCFF, which valid text never holds.
std::u16string utf16FromBytesEscaped(std::string_view bytes);
// The bytes such text came from: escapes back to their bytes, the rest UTF-8.
std::string bytesFromUtf16Escaped(std::u16string_view text);

} // namespace quillmoth
