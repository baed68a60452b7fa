#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoth {

class AnsiCodePage;

namespace text {
class WorkMeter;
}

// The encoding of a book file, both asked for and detected by LoadTextFile.
// The numbers are the ones the program has always used.
enum TextEncoding : std::int32_t {
    kDetectEncoding = -1,
    kAnsi = 0,
    kUtf8WithMark = 1,
    kUtf8 = 2,
    kUtf16LittleEndian = 3,
    kUtf16BigEndian = 4,
    kUtf32LittleEndian = 5,
    kUtf32BigEndian = 6,
};

// Files this large or larger are not read at all.
inline constexpr std::uintmax_t kLargestReadableFile = 0x7FFFFFFF;

// The whole file, or nothing when it cannot be read or is too large to be a book.
std::optional<std::string> readWholeFile(const std::filesystem::path &path,
                                         text::WorkMeter *meter = nullptr);

// The encoding of a file's bytes: the one its byte-order mark stands for
// (`markLength` is set to the mark's length), else kUtf8 when the bytes are
// UTF-8 with a byte above 127, else kAnsi.
std::int32_t detectTextEncoding(std::string_view bytes, std::size_t &markLength,
                                text::WorkMeter *meter = nullptr);

// A piece (a line, a field) of a file that may mix UTF-8 with the ANSI code
// page, read as it is written.
struct MixedPiece {
    std::u16string text;
    // Its bytes must be written back as they came: the file has UTF-8 in it,
    // or the code page does not give these bytes back.
    bool stray = false;
};

// Reads each piece as it is written, so that one stray byte another program
// left does not change how the rest reads: ASCII and UTF-8 as UTF-8, any
// other piece in the code page.
std::vector<MixedPiece> readMixedPieces(std::span<const std::string_view> pieces,
                                        const AnsiCodePage &codePage);

// Reads a book file. With kDetectEncoding the encoding is detected from a
// byte-order mark, a UTF-8 test or else taken as ANSI, and written back;
// with a definite encoding the file is decoded as told. Any failure gives "".
// A meter watches the reading, the test and the decoding.
std::u16string LoadTextFile(const std::filesystem::path &path, std::int32_t &encoding,
                            const AnsiCodePage &codePage, text::WorkMeter *meter = nullptr);

// Recognises a byte-order mark in the first four bytes of a file (missing
// bytes are 0); returns the mark's length and sets the encoding it stands for.
int DetectBOM(std::span<const std::uint8_t, 4> firstBytes, std::int32_t &encoding);

// 2 when the bytes are well-formed UTF-8 with at least one byte above 127,
// otherwise 0.
int IsUTF8Bytes(std::span<const std::uint8_t> bytes, text::WorkMeter *meter = nullptr);

// (b AND 127) * 2 as a byte: one step of counting a lead byte's 1-bits.
inline std::uint8_t ShiftLeftByte(std::uint8_t b)
{
    return static_cast<std::uint8_t>((b & 127) * 2);
}

// Decodes bytes that LoadTextFile has already read, as `encoding` (0 to 6) says.
std::u16string decodeBookBytes(std::string_view bytes, std::int32_t encoding,
                               const AnsiCodePage &codePage, text::WorkMeter *meter = nullptr);

// Reads a whole file in a named character set ("big5", "utf-8", or any
// converter name). With limit set only the first `count` characters are kept.
// A missing file, an unreadable one or an unknown character set gives "".
std::u16string ReadTextFile(const std::filesystem::path &path, std::string_view charset,
                            bool limit, int count, text::WorkMeter *meter = nullptr);

} // namespace quillmoth
