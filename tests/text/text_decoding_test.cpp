#include "text/text_decoding.h"
#include "text/work_meter.h"

#include "text_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace quillmoth;
using quillmoth::testing::gbk;
using quillmoth::testing::CountingMeter;
using quillmoth::testing::ScratchFolder;

namespace {

std::int32_t detectedEncodingOf(std::string_view bytes)
{
    std::array<std::uint8_t, 4> first{};
    for (std::size_t i = 0; i < std::min<std::size_t>(4, bytes.size()); ++i)
        first[i] = static_cast<std::uint8_t>(bytes[i]);
    std::int32_t encoding = kDetectEncoding;
    DetectBOM(first, encoding);
    return encoding;
}

int utf8Test(std::string_view bytes)
{
    return IsUTF8Bytes(std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()));
}

// Decodes bytes through a file, the way book creation does.
struct Loaded {
    std::u16string text;
    std::int32_t encoding;
};

Loaded load(const ScratchFolder &folder, std::string_view bytes,
            std::int32_t encoding = kDetectEncoding)
{
    const auto path = folder.write("book.txt", bytes);
    std::u16string text = LoadTextFile(path, encoding, gbk());
    return {text, encoding};
}

std::string utf16le(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

std::string utf16be(std::u16string_view text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes += char(unit >> 8);
        bytes += char(unit & 0xFF);
    }
    return bytes;
}

} // namespace

TEST(DetectBOM, TestsUtf32MarksFirst)
{
    EXPECT_EQ(detectedEncodingOf("\xFF\xFE\x00\x00"), kUtf32LittleEndian);
    EXPECT_EQ(detectedEncodingOf(std::string_view("\x00\x00\xFE\xFF", 4)), kUtf32BigEndian);
    EXPECT_EQ(detectedEncodingOf("\xFF\xFE" "A"), kUtf16LittleEndian);
    EXPECT_EQ(detectedEncodingOf("\xFE\xFF"), kUtf16BigEndian);
    EXPECT_EQ(detectedEncodingOf("\xEF\xBB\xBF"), kUtf8WithMark);
    EXPECT_EQ(detectedEncodingOf("abcd"), kAnsi);

    std::array<std::uint8_t, 4> lengths[] = {{0xFF, 0xFE, 0, 0}, {0xFE, 0xFF, 1, 1},
                                             {0xEF, 0xBB, 0xBF, 1}, {1, 2, 3, 4}};
    std::int32_t encoding = 0;
    EXPECT_EQ(DetectBOM(lengths[0], encoding), 4);
    EXPECT_EQ(DetectBOM(lengths[1], encoding), 2);
    EXPECT_EQ(DetectBOM(lengths[2], encoding), 3);
    EXPECT_EQ(DetectBOM(lengths[3], encoding), 0);
}

TEST(IsUTF8Bytes, AcceptsWellFormedSequencesOnly)
{
    EXPECT_EQ(utf8Test("plain ascii"), 0);
    EXPECT_EQ(utf8Test(""), 0);
    EXPECT_EQ(utf8Test("caf\xC3\xA9"), 2);
    EXPECT_EQ(utf8Test("\xE7\x9A\x84"), 2);
    EXPECT_EQ(utf8Test("\xE7\x9A"), 0);       // cut at the end
    EXPECT_EQ(utf8Test("\x80" "abc"), 0);     // stray continuation byte
    EXPECT_EQ(utf8Test("\xC3" "A"), 0);       // missing continuation byte
    EXPECT_EQ(utf8Test("\xB5\xC4"), 0);       // GBK 的
    // Long forms count their lead bits without a limit.
    EXPECT_EQ(utf8Test("\xFC\x80\x80\x80\x80\x80"), 2);
    EXPECT_EQ(utf8Test("\xFF\x80\x80\x80\x80\x80\x80\x80"), 2);
    EXPECT_EQ(utf8Test("\xFF\x80\x80\x80\x80\x80\x80"), 0);
}

// The byte-by-byte reading of the UTF-8 test, against which the fast one is held.
int plainUtf8Test(std::string_view bytes)
{
    bool allSevenBit = true;
    int expected = 0;
    for (unsigned char byte : bytes) {
        if (byte & 0x80)
            allSevenBit = false;
        if (expected == 0) {
            if (byte < 0x80)
                continue;
            for (std::uint8_t b = byte; b & 0x80; b = ShiftLeftByte(b))
                ++expected;
            if (--expected == 0)
                return 0;
        } else {
            if ((byte & 0xC0) != 0x80)
                return 0;
            --expected;
        }
    }
    return expected != 0 || allSevenBit ? 0 : 2;
}

TEST(IsUTF8Bytes, AgreesWithTheByteByByteReading)
{
    EXPECT_EQ(utf8Test("0123456789abcdef\xC3\xA9"), 2);
    EXPECT_EQ(utf8Test("0123456789abcdef\xC3"), 0);
    EXPECT_EQ(utf8Test("\xC3\xA9" "0123456789abcdef"), 2);
    std::mt19937 random(29);
    const std::string pieces[] = {"a", "0123456789", "\xC3\xA9", "\xE7\x9A\x84", "\x80", "\xC3",
                                  "\xF0\x9F\x98\x80", "\xFF", "\xB5\xC4"};
    for (int round = 0; round < 5000; ++round) {
        std::string bytes;
        const int count = int(random() % 20);
        for (int i = 0; i < count; ++i)
            bytes += pieces[random() % std::size(pieces)];
        ASSERT_EQ(utf8Test(bytes), plainUtf8Test(bytes)) << round;
    }
}

TEST(ShiftLeftByte, DropsTheTopBitAndDoubles)
{
    EXPECT_EQ(ShiftLeftByte(0xFF), 0xFE);
    EXPECT_EQ(ShiftLeftByte(0x80), 0x00);
    EXPECT_EQ(ShiftLeftByte(0x41), 0x82);
}

TEST(LoadTextFile, DetectsEveryEncoding)
{
    ScratchFolder folder;
    const std::u16string text = u"第一章 的\r\nHello";

    Loaded ansi = load(folder, "\xB5\xDA\xD2\xBB\xD5\xC2 \xB5\xC4\r\nHello");
    EXPECT_EQ(ansi.encoding, kAnsi);
    EXPECT_EQ(ansi.text, text);

    Loaded utf8 = load(folder, "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84\r\nHello");
    EXPECT_EQ(utf8.encoding, kUtf8);
    EXPECT_EQ(utf8.text, text);

    Loaded marked = load(folder, "\xEF\xBB\xBF\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84\r\nHello");
    EXPECT_EQ(marked.encoding, kUtf8WithMark);
    EXPECT_EQ(marked.text, text);

    Loaded little = load(folder, "\xFF\xFE" + utf16le(text));
    EXPECT_EQ(little.encoding, kUtf16LittleEndian);
    EXPECT_EQ(little.text, text);

    Loaded big = load(folder, "\xFE\xFF" + utf16be(text));
    EXPECT_EQ(big.encoding, kUtf16BigEndian);
    EXPECT_EQ(big.text, text);

    Loaded utf32 = load(folder, std::string("\xFF\xFE\x00\x00" "A\x00\x00\x00", 8));
    EXPECT_EQ(utf32.encoding, kUtf32LittleEndian);
    EXPECT_EQ(utf32.text, u"");
    Loaded utf32be = load(folder, std::string("\x00\x00\xFE\xFF\x00\x00\x00" "A", 8));
    EXPECT_EQ(utf32be.encoding, kUtf32BigEndian);
    EXPECT_EQ(utf32be.text, u"");
}

TEST(LoadTextFile, HandlesTheOddCorners)
{
    ScratchFolder folder;
    // Only a mark.
    EXPECT_EQ(load(folder, "\xEF\xBB\xBF").text, u"");
    // Pure ASCII is ANSI.
    EXPECT_EQ(load(folder, "just ascii").encoding, kAnsi);
    // A UTF-8 sequence cut at the end makes the file ANSI.
    Loaded cut = load(folder, "caf\xC3\xA9 \xE7\x9A");
    EXPECT_EQ(cut.encoding, kAnsi);
    EXPECT_EQ(cut.text.substr(0, 3), u"caf");
    // Six bytes after a UTF-16 mark are three characters; an odd byte is one more.
    EXPECT_EQ(load(folder, std::string("\xFF\xFE" "a\0b\0c\0", 8)).text, u"abc");
    EXPECT_EQ(load(folder, std::string("\xFF\xFE" "a\0b\0c", 7)).text, u"abc");
    EXPECT_EQ(load(folder, std::string("\xFE\xFF\0a\0b\x4E", 7)).text, u"ab\u004E");
    // Two bytes FF FE are a UTF-32 mark (the missing bytes count as 0) longer than the file.
    Loaded shortMark = load(folder, "\xFF\xFE");
    EXPECT_EQ(shortMark.encoding, kUtf32LittleEndian);
    EXPECT_EQ(shortMark.text, u"");
    // A UTF-16 file whose first character is U+0000 looks like UTF-32.
    EXPECT_EQ(load(folder, std::string("\xFF\xFE\0\0a\0", 6)).encoding, kUtf32LittleEndian);
}

TEST(LoadTextFile, EmptyFileIsEmptyAnsiText)
{
    ScratchFolder folder;
    Loaded empty = load(folder, "");
    EXPECT_EQ(empty.text, u"");
    EXPECT_EQ(empty.encoding, kAnsi);
}

TEST(LoadTextFile, DefiniteEncodingDecodesAMarkAsText)
{
    ScratchFolder folder;
    EXPECT_EQ(load(folder, "\xEF\xBB\xBF" "abc", kUtf8).text, u"\uFEFF" "abc");
    EXPECT_EQ(load(folder, "\xEF\xBB\xBF" "abc", kUtf8WithMark).text, u"abc");
    EXPECT_EQ(load(folder, "\xB5\xC4", kUtf16LittleEndian).text, u"\uC4B5");
}

TEST(LoadTextFile, FailuresGiveEmptyText)
{
    ScratchFolder folder;
    std::int32_t encoding = kDetectEncoding;
    EXPECT_EQ(LoadTextFile(folder.path() / "missing.txt", encoding, gbk()), u"");
    EXPECT_EQ(encoding, kDetectEncoding);
    EXPECT_EQ(LoadTextFile(folder.path(), encoding, gbk()), u"");  // a folder
    const auto path = folder.write("book.txt", "abc");
    std::int32_t bad = 7;
    EXPECT_EQ(LoadTextFile(path, bad, gbk()), u"");
    bad = -2;
    EXPECT_EQ(LoadTextFile(path, bad, gbk()), u"");
}

TEST(LoadTextFile, AcceptsPathsOutsideTheAnsiCodePage)
{
    ScratchFolder folder;
    const auto path = folder.write("\xE0\xB8\x81\xE2\x98\x83.txt", "abc");  // Thai and a snowman
    std::int32_t encoding = kDetectEncoding;
    EXPECT_EQ(LoadTextFile(path, encoding, gbk()), u"abc");
}

TEST(ReadTextFile, DecodesBig5AndUtf8ByName)
{
    ScratchFolder folder;
    const auto big5File = folder.write("big5.txt", "\xA7\xDA\xAD\xCC");  // 我們
    EXPECT_EQ(ReadTextFile(big5File, "big5", false, 0), u"我們");
    EXPECT_EQ(ReadTextFile(big5File, "big5", true, 1), u"我");
    // A UTF-8 file forced to Big5 keeps its mark as text.
    const auto utf8File = folder.write("utf8.txt", "\xEF\xBB\xBF" "ab");
    const std::u16string forced = ReadTextFile(utf8File, "big5", false, 0);
    EXPECT_NE(forced, u"ab");
    EXPECT_EQ(forced.substr(forced.size() - 1), u"b");
    EXPECT_EQ(ReadTextFile(utf8File, "utf-8", false, 0), u"ab");
    EXPECT_EQ(ReadTextFile(folder.path() / "missing", "utf-8", false, 0), u"");
    EXPECT_EQ(ReadTextFile("", "utf-8", false, 0), u"");
    EXPECT_EQ(ReadTextFile(utf8File, "no-such-charset", false, 0), u"");
}

TEST(IsUTF8Bytes, BlockByBlockAgreesWithOneBlock)
{
    std::mt19937 random(43);
    const std::string pieces[] = {"a", "01234567", "\xC3\xA9", "\xE7\x9A\x84", "\x80", "\xC3",
                                  "\xF0\x9F\x98\x80", "\xFF", "\xB5\xC4"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const int count = int(random() % 30);
        for (int i = 0; i < count; ++i)
            bytes += pieces[random() % std::size(pieces)];
        CountingMeter meter(1 + random() % 11);
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
        ASSERT_EQ(IsUTF8Bytes(std::span(data, bytes.size()), &meter), utf8Test(bytes)) << round;
    }
}

// Every encoding read with a meter gives the text read without one; small
// strides cut the reading, the UTF-8 test and the decoding into many parts.
TEST(LoadTextFile, WithAMeterReadsTheSameText)
{
    ScratchFolder folder;
    const std::u16string text = u"第一章 的\r\nHello 山居秋暝 \uFFFD caf\u00E9";
    const std::string files[] = {
        "\xB5\xDA\xD2\xBB\xD5\xC2 \xB5\xC4\r\nHello",
        "\xEF\xBB\xBF\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84 caf\xC3\xA9",
        "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84 caf\xC3\xA9 \xC3",
        "\xFF\xFE" + utf16le(text) + "x",
        "\xFE\xFF" + utf16be(text),
        std::string("\xFF\xFE\0\0a\0\0\0", 8),
        "",
    };
    for (const std::string &bytes : files) {
        std::string repeated;
        for (int i = 0; i < 50; ++i)
            repeated += i == 0 ? bytes : bytes.substr(std::min<std::size_t>(bytes.size(), 3));
        const auto path = folder.write("book.txt", repeated);
        for (const std::size_t stride : {1, 2, 5, 64}) {
            CountingMeter meter(stride);
            std::int32_t plainEncoding = kDetectEncoding;
            std::int32_t watchedEncoding = kDetectEncoding;
            const std::u16string plain = LoadTextFile(path, plainEncoding, gbk());
            EXPECT_EQ(LoadTextFile(path, watchedEncoding, gbk(), &meter), plain) << stride;
            EXPECT_EQ(watchedEncoding, plainEncoding);
            EXPECT_EQ(ReadTextFile(path, "big5", false, 0, &meter),
                      ReadTextFile(path, "big5", false, 0));
            EXPECT_EQ(ReadTextFile(path, "utf-8", true, 7, &meter),
                      ReadTextFile(path, "utf-8", true, 7));
            if (!repeated.empty()) {
                EXPECT_GT(meter.reports, 0);
            }
        }
    }
}
