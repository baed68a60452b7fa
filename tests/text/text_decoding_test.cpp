#include "text/text_decoding.h"
#include "text/text_paths.h"
#include "text/work_meter.h"

#include "text_test_support.h"

#include <gtest/gtest.h>

#include <random>

// Real books in GBK, Big5, UTF-8 with a mark and UTF-16 are decoded by the
// golden books test; these are the marks, cuts and failures around them.

using namespace quillmoth;
using quillmoth::testing::gbk;
using quillmoth::testing::CountingMeter;
using quillmoth::testing::checkEachCase;
using quillmoth::testing::ScratchFolder;

namespace {

int utf8Test(std::string_view bytes, text::WorkMeter *meter = nullptr)
{
    return IsUTF8Bytes(std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()),
                       meter);
}

// The byte-by-byte reading of the UTF-8 test, against which the fast one is
// held: a lead byte's top bits, without a limit, count its sequence's bytes.
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
            for (std::uint8_t b = byte; b & 0x80; b = std::uint8_t(b << 1))
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

// The UTF-16 bytes of a text, without a mark.
std::string utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += char(bigEndian ? unit >> 8 : unit & 0xFF);
        bytes += char(bigEndian ? unit & 0xFF : unit >> 8);
    }
    return bytes;
}

} // namespace

// The fast test, in one block or in many, agrees with the plain reading on
// random bytes and on the edges: blocks of sixteen and long lead forms.
TEST(IsUTF8Bytes, AgreesWithTheByteByByteReading)
{
    const std::pair<std::string_view, int> cases[] = {
        {"", 0}, {"0123456789abcdef\xC3\xA9", 2}, {"0123456789abcdef\xC3", 0}, {"\xC3\xA9" "0123456789abcdef", 2},
        {"\xFC\x80\x80\x80\x80\x80", 2}, {"\xFF\x80\x80\x80\x80\x80\x80\x80", 2}, {"\xFF\x80\x80\x80\x80\x80\x80", 0},
    };
    checkEachCase(cases, [](const auto &c) { EXPECT_EQ(utf8Test(c.first), c.second); });
    std::mt19937 random(29);
    const std::string pieces[] = {"a", "0123456789", "\xC3\xA9", "\xE7\x9A\x84", "\x80", "\xC3",
                                  "\xF0\x9F\x98\x80", "\xFF", "\xB5\xC4"};
    for (int round = 0; round < 5000; ++round) {
        std::string bytes;
        for (int i = int(random() % 30); i > 0; --i)
            bytes += pieces[random() % std::size(pieces)];
        CountingMeter meter(1 + random() % 11);
        ASSERT_EQ(utf8Test(bytes), plainUtf8Test(bytes)) << round;
        ASSERT_EQ(utf8Test(bytes, &meter), plainUtf8Test(bytes)) << round;
    }
}

TEST(LoadTextFile, DetectsOrObeysTheEncoding)
{
    const std::u16string text = u"第一章 的\r\nHello";
    const std::string cut = "caf\xC3\xA9 \xE7\x9A";
    // The bytes, the encoding asked for, the encoding found and the text.
    const std::tuple<std::string, std::int32_t, std::int32_t, std::u16string> cases[] = {
        {"\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84\r\nHello", kDetectEncoding, kUtf8, text},
        {"\xFE\xFF" + utf16(text, true), kDetectEncoding, kUtf16BigEndian, text},
        // A UTF-8 sequence cut at the end makes the file ANSI.
        {"\xEF\xBB\xBF", kDetectEncoding, kUtf8WithMark, u""}, {cut, kDetectEncoding, kAnsi, gbk().decode(cut)},
        // The UTF-32 marks are tested first, so FF FE 00 00 is no UTF-16 mark, even in
        // a file too short for it (the missing bytes count as 0); UTF-32 is not read.
        {std::string("\x00\x00\xFE\xFF\x00\x00\x00" "A", 8), kDetectEncoding, kUtf32BigEndian, u""},
        {"\xFF\xFE", kDetectEncoding, kUtf32LittleEndian, u""},
        {std::string("\xFF\xFE\0\0a\0", 6), kDetectEncoding, kUtf32LittleEndian, u""},
        // After a UTF-16 mark an odd last byte is one more character.
        {std::string("\xFF\xFE" "a\0b\0c", 7), kDetectEncoding, kUtf16LittleEndian, u"abc"},
        {std::string("\xFF\xFE\0\x4E", 4), kDetectEncoding, kUtf16LittleEndian, u"一"},
        {std::string("\xFE\xFF\0a\0b\x4E", 7), kDetectEncoding, kUtf16BigEndian, u"ab\u004E"},
        // A definite encoding decodes a mark of another encoding as text.
        {"\xEF\xBB\xBF" "abc", kUtf8, kUtf8, u"\uFEFF" "abc"}, {"\xEF\xBB\xBF" "abc", kUtf8WithMark, kUtf8WithMark, u"abc"},
        {"\xB5\xC4", kUtf16LittleEndian, kUtf16LittleEndian, u"\uC4B5"},
    };
    ScratchFolder folder;
    checkEachCase(cases, [&](const auto &c) {
        std::int32_t encoding = std::get<1>(c);
        EXPECT_EQ(LoadTextFile(folder.write("book.txt", std::get<0>(c)), encoding, gbk()), std::get<3>(c));
        EXPECT_EQ(encoding, std::get<2>(c));
    });
}

// A missing file, a folder, an unknown encoding or code page give an empty
// text; a path outside the ANSI code page still opens.
TEST(LoadTextFile, FailuresGiveEmptyText)
{
    ScratchFolder folder;
    std::int32_t encoding = kDetectEncoding;
    EXPECT_EQ(LoadTextFile(folder.path() / "missing.txt", encoding, gbk()), u"");
    EXPECT_EQ(encoding, kDetectEncoding);
    EXPECT_EQ(LoadTextFile(folder.path(), encoding, gbk()), u"");
    const auto path = folder.write("\xE0\xB8\x81\xE2\x98\x83.txt", "\xEF\xBB\xBF" "abc");  // Thai and a snowman
    EXPECT_EQ(LoadTextFile(path, encoding, gbk()), u"abc");
    for (std::int32_t bad : {7, -2})
        EXPECT_EQ(LoadTextFile(path, bad, gbk()), u"");
    EXPECT_EQ(ReadTextFile(path, "utf-8", false, 0), u"abc");
    EXPECT_EQ(ReadTextFile(folder.path() / "missing", "utf-8", false, 0), u"");
    EXPECT_EQ(ReadTextFile("", "utf-8", false, 0), u"");
    EXPECT_EQ(ReadTextFile(path, "no-such-charset", false, 0), u"");
}

// Every encoding read with a meter gives the text read without one; small
// strides cut the reading, the UTF-8 test and the decoding into many parts.
TEST(LoadTextFile, WithAMeterReadsTheSameText)
{
    ScratchFolder folder;
    const std::u16string text = u"第一章 的\r\nHello 山居秋暝 \uFFFD caf\u00E9";
    const std::string files[] = {
        "\xB5\xDA\xD2\xBB\xD5\xC2 \xB5\xC4\r\nHello", "\xEF\xBB\xBF\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84 caf\xC3\xA9",
        "\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0 \xE7\x9A\x84 caf\xC3\xA9 \xC3", "\xFF\xFE" + utf16(text, false) + "x",
        "\xFE\xFF" + utf16(text, true), std::string("\xFF\xFE\0\0a\0\0\0", 8), "",
    };
    for (const std::string &bytes : files) {
        std::string repeated = bytes;
        for (int i = 1; i < 50; ++i)
            repeated += bytes.substr(std::min<std::size_t>(bytes.size(), 3));
        const auto path = folder.write("book.txt", repeated);
        for (const std::size_t stride : {1, 2, 5, 64}) {
            CountingMeter meter(stride);
            std::int32_t plainEncoding = kDetectEncoding, watchedEncoding = kDetectEncoding;
            const std::u16string plain = LoadTextFile(path, plainEncoding, gbk());
            EXPECT_EQ(LoadTextFile(path, watchedEncoding, gbk(), &meter), plain) << stride;
            EXPECT_EQ(watchedEncoding, plainEncoding);
            EXPECT_EQ(ReadTextFile(path, "big5", false, 0, &meter), ReadTextFile(path, "big5", false, 0));
            EXPECT_TRUE(repeated.empty() || meter.reports > 0);
        }
    }
}

// Every character survives the trip through a path; unpaired surrogates and
// bad bytes become replacement characters.
TEST(TextPaths, EveryCharacterSurvivesTheTripThroughAPath)
{
    for (const std::u16string_view name : {u"Novel.txt", u"/books/山居秋暝录.txt", u"Settings/Themes/.thm",
                                           u"\u0E01\u2603 a.txt", u"\U0001F600.txt", u"", u"C:\\Books\\a.txt"})
        EXPECT_EQ(text::textFromPath(text::pathFromText(name)), name);
    EXPECT_EQ(text::pathFromText(u"山").native(), "\xE5\xB1\xB1");
    EXPECT_EQ(text::pathFromText(u"/a/b.txt").filename(), "b.txt");
    EXPECT_EQ(text::pathFromText(u"a\xD800" "b").native(), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(text::textFromPath(std::filesystem::path("a\xFF" "b")), u"a\uFFFD" "b");
}
