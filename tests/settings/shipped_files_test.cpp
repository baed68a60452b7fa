// The files the program ships: the three language files and the default
// settings file.

#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"
#include "settings/vb_xml.h"

#include "text/code_page.h"

#include "settings_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

const std::filesystem::path kResources = std::filesystem::path(QUILLMOTH_SOURCE_DIR) / "resources";

class ShippedLanguage : public ::testing::TestWithParam<const char *> {};

} // namespace

TEST_P(ShippedLanguage, HasOneNonEmptyLinePerKey)
{
    const std::filesystem::path path = kResources / "lan" / (std::string(GetParam()) + ".lan");
    const std::string bytes = readFile(path);
    ASSERT_FALSE(bytes.empty()) << path;
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));

    // 69 lines, each ended by CR LF, and no other line breaks.
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "the last line has no CR LF";
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "line " << lines;
        EXPECT_NE(line.find_first_not_of(' '), std::string::npos) << "empty line " << lines;
        ++lines;
        start = end + 2;
    }
    EXPECT_EQ(lines, kLanguageKeys.size());

    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(path, table));
    EXPECT_EQ(table.size(), kLanguageKeys.size());
    EXPECT_EQ(table.text(u"Current")->back(), std::string(GetParam()) == "English" ? u' ' : u'：');
    EXPECT_EQ(table.text(u"LoadSettingsError")->find(u'\uFFFD'), std::u16string::npos);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("English", "ChineseS", "ChineseT"));

TEST(ShippedFiles, EnglishSettingsErrorMatchesTheFallbackText)
{
    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(kResources / "lan" / "English.lan", table));
    EXPECT_EQ(table.text(u"LoadSettingsError"), kLoadSettingsErrorFallback);
}

TEST(ShippedFiles, DefaultSettingsHoldAllNineElementsAndAreCompiledIn)
{
    const std::string bytes = readFile(kResources / "settings" / "UIsettings.xml");
    EXPECT_EQ(bytes, defaultSettingsXml());
    vbXML xml;
    ASSERT_TRUE(xml.OpenXML(utf16FromUtf8(bytes), 1));
    EXPECT_EQ(xml.ReadNodeName(u"/SETTINGS"), u"SETTINGS");
    const char16_t *elements[] = {u"Scheme", u"DefaultFolder", u"CoverShowStyle",
                                  u"UserLanguage", u"UIbgImgPath", u"PadSize",
                                  u"Big5", u"GlassColor", u"ForeColor"};
    int index = 1;
    for (const char16_t *element : elements) {
        EXPECT_EQ(xml.GetChildName(u".", std::int16_t(index)).value(), element);
        index += 2;
    }
    EXPECT_EQ(xml.NodeCount(u"."), 19);
}

// The shipped themes are written in the theme file format and use pictures
// that ship too (the application folder's Pics/ is resources/pics/ here).
TEST(ShippedFiles, ThemesHaveNineteenFieldsAndTheirPictures)
{
    const std::filesystem::path themes = kResources / "themes";
    if (!std::filesystem::is_directory(themes))
        GTEST_SKIP() << "no shipped themes";
    const ThemePathCheck shippedPicture = [](std::u16string_view text, ThemePathKind) {
        std::string path(text.begin(), text.end());
        if (path.starts_with("Pics/"))
            path.replace(0, 4, "pics");
        const std::filesystem::path resolved = kResources / path;
        return std::filesystem::exists(resolved) ? resolved : std::filesystem::path();
    };
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(themes)) {
        if (entry.path().extension() != ".thm")
            continue;
        ++count;
        const std::string line = readFile(entry.path());
        EXPECT_TRUE(line.ends_with(std::string("\0\r\n", 3))) << entry.path();
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 18) << entry.path();
        ThemeRecord theme;
        readThemeFields(std::u16string(line.begin(), line.end()), theme, shippedPicture);
        std::size_t start = 0;
        for (int field = 0; field <= 6; ++field) {
            const std::size_t end = line.find(',', start);
            const std::string text = line.substr(start, end - start);
            start = end + 1;
            if (field < 2 || text.empty())
                continue;
            const std::filesystem::path *paths[] = {&theme.BgImagePath, &theme.CornerImagePath,
                                                    &theme.BookMarkImagePath,
                                                    &theme.OneForAllImagePath, &theme.AlbumPath};
            EXPECT_FALSE(paths[field - 2]->empty()) << entry.path() << ": " << text;
        }
    }
    EXPECT_GT(count, 0);
}
