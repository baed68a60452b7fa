#include "text/text_decoding.h"

#include "text/code_page.h"
#include "text/work_meter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <cctype>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

namespace quillmoth {
namespace {


// UTF-16 units from bytes; an odd last byte becomes a unit of its own with
// a high byte of 0.
std::u16string utf16FromBytes(std::string_view bytes, bool bigEndian, text::WorkMeter *meter)
{
    std::u16string text;
    text::resizeWatched(text, (bytes.size() + 1) / 2, meter);
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t pairs = bytes.size() / 2;
    text::forEachBlock(meter, pairs, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const unsigned first = data[2 * i];
            const unsigned second = data[2 * i + 1];
            text[i] = char16_t(bigEndian ? (first << 8 | second) : (second << 8 | first));
        }
        return true;
    });
    if (bytes.size() % 2 != 0)
        text.back() = char16_t(data[bytes.size() - 1]);
    return text;
}

std::string lowerAscii(std::string_view text)
{
    std::string result(text);
    for (auto &c : result)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

} // namespace

int DetectBOM(std::span<const std::uint8_t, 4> b, std::int32_t &encoding)
{
    if (b[0] == 0xFF && b[1] == 0xFE && b[2] == 0x00 && b[3] == 0x00) {
        encoding = kUtf32LittleEndian;
        return 4;
    }
    if (b[0] == 0x00 && b[1] == 0x00 && b[2] == 0xFE && b[3] == 0xFF) {
        encoding = kUtf32BigEndian;
        return 4;
    }
    if (b[0] == 0xFF && b[1] == 0xFE) {
        encoding = kUtf16LittleEndian;
        return 2;
    }
    if (b[0] == 0xFE && b[1] == 0xFF) {
        encoding = kUtf16BigEndian;
        return 2;
    }
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        encoding = kUtf8WithMark;
        return 3;
    }
    encoding = kAnsi;
    return 0;
}

int IsUTF8Bytes(std::span<const std::uint8_t> bytes, text::WorkMeter *meter)
{
    bool allSevenBit = true;
    bool wellFormed = true;
    std::uint64_t expected = 0;
    // A block ends where the next begins, also in the middle of a sequence.
    text::forEachBlock(meter, bytes.size(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            // Runs of 7-bit bytes need no attention; skip them eight at a time.
            if (expected == 0) {
                while (i + 8 <= end) {
                    std::uint64_t word;
                    std::memcpy(&word, bytes.data() + i, 8);
                    if (word & 0x8080808080808080ull)
                        break;
                    i += 8;
                }
                if (i >= end)
                    break;
            }
            const std::uint8_t byte = bytes[i];
            if (byte & 0x80)
                allSevenBit = false;
            if (expected == 0) {
                if (byte < 0x80)
                    continue;
                // Count the lead byte's leading 1-bits; the form 10xxxxxx counts
                // one and is not a lead byte.
                for (std::uint8_t shifted = byte; shifted & 0x80; shifted = ShiftLeftByte(shifted))
                    ++expected;
                --expected;
                if (expected == 0) {
                    wellFormed = false;
                    return false;
                }
            } else {
                if ((byte & 0xC0) != 0x80) {
                    wellFormed = false;
                    return false;
                }
                --expected;
            }
        }
        return true;
    });
    if (!wellFormed || expected != 0)
        return 0;
    return allSevenBit ? 0 : 2;
}

std::u16string decodeBookBytes(std::string_view bytes, std::int32_t encoding,
                               const AnsiCodePage &codePage, text::WorkMeter *meter)
{
    switch (encoding) {
    case kAnsi:
        return codePage.decode(bytes, meter);
    case kUtf8WithMark:
    case kUtf8:
        return decodeWithConverter("UTF-8", bytes, meter).value_or(std::u16string());
    case kUtf16LittleEndian:
        return utf16FromBytes(bytes, false, meter);
    case kUtf16BigEndian:
        return utf16FromBytes(bytes, true, meter);
    default:
        return {};
    }
}

std::optional<std::string> readWholeFile(const std::filesystem::path &path,
                                         text::WorkMeter *meter)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || std::uintmax_t(size) > kLargestReadableFile)
        return std::nullopt;
    file.seekg(0, std::ios::beg);
    text::MeterSteps steps(meter, {2, 1});  // touching fresh memory, reading
    steps.next();
    std::string bytes;
    text::resizeWatched(bytes, std::size_t(size), meter);
    steps.next();
    // Reads are best a good deal larger than a meter's stride.
    const std::streamsize part = meter ? std::streamsize(meter->stride()) * 64 : size;
    for (std::streamoff done = 0; done < size; done += part) {
        const std::streamsize length = std::min<std::streamoff>(part, size - done);
        if (!file.read(bytes.data() + done, length))
            return std::nullopt;
        if (meter)
            meter->reached(std::size_t(done + length), std::size_t(size));
    }
    return bytes;
}

std::int32_t detectTextEncoding(std::string_view bytes, std::size_t &markLength,
                                text::WorkMeter *meter)
{
    std::array<std::uint8_t, 4> firstBytes{};
    std::copy_n(reinterpret_cast<const std::uint8_t *>(bytes.data()),
                std::min<std::size_t>(4, bytes.size()), firstBytes.begin());
    std::int32_t detected = kAnsi;
    markLength = std::size_t(DetectBOM(firstBytes, detected));
    if (markLength == 0) {
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
        detected = IsUTF8Bytes(std::span(data, bytes.size()), meter);
    }
    // A file shorter than its mark (two bytes FF FE read as a UTF-32 mark) has no text.
    markLength = std::min(markLength, bytes.size());
    return detected;
}

std::vector<MixedPiece> readMixedPieces(std::span<const std::string_view> pieces,
                                        const AnsiCodePage &codePage)
{
    const auto isUtf8 = [](std::string_view piece) {
        const auto *data = reinterpret_cast<const std::uint8_t *>(piece.data());
        return IsUTF8Bytes(std::span(data, piece.size())) == 2;
    };
    const bool anyUtf8 = std::any_of(pieces.begin(), pieces.end(), isUtf8);
    std::vector<MixedPiece> read;
    read.reserve(pieces.size());
    for (const std::string_view piece : pieces) {
        const bool ascii = std::all_of(piece.begin(), piece.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii || isUtf8(piece)) {
            read.push_back({utf16FromUtf8(piece), false});
            continue;
        }
        std::u16string text = codePage.decode(piece);
        const bool stray = anyUtf8 || codePage.encode(text) != piece;
        read.push_back({std::move(text), stray});
    }
    return read;
}

std::u16string LoadTextFile(const std::filesystem::path &path, std::int32_t &encoding,
                            const AnsiCodePage &codePage, text::WorkMeter *meter)
{
    if (encoding < kDetectEncoding || encoding > kUtf32BigEndian)
        return {};
    // Reading takes about half as long as decoding, the UTF-8 test far less.
    text::MeterSteps steps(meter, {5, 1, 10});
    steps.next();
    std::optional<std::string> bytes = readWholeFile(path, meter);
    if (!bytes)
        return {};
    steps.next();

    std::size_t markLength = 0;
    const std::int32_t detected = detectTextEncoding(*bytes, markLength, meter);
    if (encoding == kDetectEncoding)
        encoding = detected;
    else if (encoding != detected)
        markLength = 0;
    steps.next();
    return decodeBookBytes(std::string_view(*bytes).substr(markLength), encoding, codePage, meter);
}

std::u16string ReadTextFile(const std::filesystem::path &path, std::string_view charset,
                            bool limit, int count, text::WorkMeter *meter)
{
    if (path.empty())
        return {};
    text::MeterSteps steps(meter, {1, 2});
    steps.next();
    std::optional<std::string> bytes = readWholeFile(path, meter);
    if (!bytes)
        return {};
    steps.next();

    const std::string name = lowerAscii(charset);
    std::string_view content(*bytes);
    std::optional<std::u16string> text;
    if (name == "utf-8" || name == "utf8") {
        if (content.starts_with("\xEF\xBB\xBF"))
            content.remove_prefix(3);
        text = decodeWithConverter("UTF-8", content, meter);
    } else if (name == "big5") {
        text = decodeWithConverter("windows-950-2000", content, meter);
    } else {
        text = decodeWithConverter(name, content, meter);
    }
    if (!text)
        return {};
    if (limit)
        text->resize(std::min<std::size_t>(text->size(), std::size_t(std::max(count, 0))));
    return std::move(*text);
}

} // namespace quillmoth
