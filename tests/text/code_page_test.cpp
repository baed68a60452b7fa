#include "text/code_page.h"
#include "text/work_meter.h"

#include "text_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;
using quillmoth::testing::CountingMeter;
using quillmoth::testing::checkEachCase;
using quillmoth::testing::gbk;

// The locale picks the code page of books without a mark; unknown names are
// refused.
TEST(CodePage, PicksTheCodePageByLocaleOrName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"zh_TW.UTF-8", "CP950"}, {"zh_HK", "CP950"}, {"zh_MO.Big5", "CP950"}, {"ja_JP.UTF-8", "CP932"},
        {"ko_KR", "CP949"},       {"zh_CN.UTF-8", "CP936"}, {"", "CP936"},
    };
    checkEachCase(cases, [](const auto &c) { EXPECT_EQ(AnsiCodePage::nameForLocale(c.first), c.second); });
    EXPECT_EQ(AnsiCodePage::named("cp936")->name(), "CP936");
    EXPECT_TRUE(AnsiCodePage::named("GBK").has_value());
    EXPECT_FALSE(AnsiCodePage::named("CP99999").has_value());
    EXPECT_FALSE(AnsiCodePage::named("no-such-charset").has_value());
}

// A code is the signed two-byte code, the byte's value, or "?" for what the
// code page cannot encode; every encodable character survives the trip.
TEST(CodePage, CharCode_IsSignedTwoByteCodeByteValueOrQuestionMark)
{
    EXPECT_EQ(gbk().charCode(u'的'), -19004);   // B5 C4
    EXPECT_EQ(gbk().charCode(u'\u20AC'), 128);  // the euro sign is one byte in CP936
    EXPECT_EQ(gbk().charCode(u'\xD800'), 63);
    EXPECT_EQ(gbk().charCode(u'\u0E01'), 63);   // Thai is not in GBK
    EXPECT_FALSE(gbk().isDoubleByte(u'\u0E01'));
    EXPECT_EQ(AnsiCodePage::named("CP950")->charCode(u'\u3000'), -24256);  // A1 40
    EXPECT_FALSE(gbk().characterForCode(65536).has_value());
    EXPECT_FALSE(gbk().characterForCode(-32769).has_value());
    for (char16_t c : std::u16string(u"的一是了我不人在他有這们\u3000。，A~"))
        EXPECT_EQ(gbk().characterForCode(gbk().charCode(c)), std::u16string(1, c));
}

TEST(CodePage, Decode_TurnsInvalidBytesIntoReplacementCharacters)
{
    EXPECT_EQ(gbk().decode("A\x81"), u"A\uFFFD");
    // A Japanese converter that would substitute U+001A still gives U+FFFD.
    EXPECT_EQ(AnsiCodePage::named("CP932")->decode("\x80"), u"\uFFFD");
}

// Decoding part by part cuts characters in two at every part's end; the
// converter must finish them with the next part, invalid bytes included.
TEST(CodePage, Decode_PartByPartGivesTheTextOfOneCall)
{
    std::mt19937 random(41);
    const std::string pieces[] = {"\xB5\xC4", "A", "\xA7\xDA\xAD\xCC", "\x81", "\xE7\x9A\x84", "\xC3",
                                  "\xF0\x9F\x98\x80", "\x82\xA0", "\xFF", "\r\n", "\x80"};
    for (int round = 0; round < 600; ++round) {
        std::string bytes;
        for (int i = int(random() % 80); i > 0; --i)
            bytes += pieces[random() % std::size(pieces)];
        for (const char *converter : {"windows-936-2000", "windows-950-2000", "UTF-8", "ibm-943_P15A-2003"}) {
            CountingMeter meter(1 + random() % 7);
            ASSERT_EQ(decodeWithConverter(converter, bytes, &meter), decodeWithConverter(converter, bytes))
                << round << " " << converter;
        }
        CountingMeter meter(3);
        ASSERT_EQ(gbk().decode(bytes, &meter), gbk().decode(bytes)) << round;
        ASSERT_TRUE(bytes.size() <= 10 || meter.reports > 0);
    }
}

// Names and settings are converted one short text at a time, without the
// converter the book decoding uses; both must agree on every byte sequence.
TEST(Utf8Conversion, AgreesWithTheDecoderOnValidAndBrokenText)
{
    const std::string cases[] = {"", "plain", "\xe5\xb1\xb1\xe5\xb1\x85.txt", "caf\xe9", "\xf0\x9f\x93\x96 book",
                                 "\xed\xa0\x80 surrogate", "\xe5\xb1 cut", "\xc0\xaf overlong",
                                 std::string("nul\0inside", 10)};
    for (const std::string &bytes : cases)
        EXPECT_EQ(utf16FromUtf8(bytes), decodeWithConverter("UTF-8", bytes).value()) << bytes;
}
