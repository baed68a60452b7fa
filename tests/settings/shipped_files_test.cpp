// The files the program ships: the three language files, the default
// settings file and the themes.

#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"
#include "settings/vb_xml.h"

#include "text/code_page.h"
#include "text/text_paths.h"

#include "settings_test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

namespace {

const fs::path kResources = fs::path(QUILLMOTH_SOURCE_DIR) / "resources";

class ShippedLanguage : public ::testing::TestWithParam<const char *> {};

} // namespace

TEST_P(ShippedLanguage, HasOneNonEmptyLinePerKey)
{
    const std::string name = GetParam();
    const fs::path path = kResources / "lan" / (name + ".lan");
    const std::string bytes = readFile(path);
    ASSERT_FALSE(bytes.empty()) << path;
    EXPECT_FALSE(bytes.starts_with("\xEF\xBB\xBF"));

    // 69 lines, each ended by CR LF, and no other line breaks.
    std::size_t lines = 0;
    for (std::size_t start = 0; start < bytes.size(); ++lines) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "the last line has no CR LF";
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "line " << lines;
        EXPECT_NE(line.find_first_not_of(' '), std::string::npos) << "empty line " << lines;
        start = end + 2;
    }
    EXPECT_EQ(lines, kLanguageKeys.size());

    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(path, table));
    EXPECT_EQ(table.size(), kLanguageKeys.size());
    EXPECT_EQ(table.text(u"Current")->back(), name == "English" ? u' ' : u'：');
    EXPECT_EQ(table.text(u"LoadSettingsError")->find(u'\uFFFD'), std::u16string::npos);
    // Before any language is loaded the program shows the English text.
    if (name == "English") {
        EXPECT_EQ(table.text(u"LoadSettingsError"), kLoadSettingsErrorFallback);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("English", "ChineseS", "ChineseT"));

TEST(ShippedFiles, DefaultSettingsAreCompiledIn)
{
    const std::string bytes = readFile(kResources / "settings" / "UIsettings.xml");
    EXPECT_EQ(bytes, defaultSettingsXml());
    vbXML xml;
    ASSERT_TRUE(xml.OpenXML(utf16FromUtf8(bytes), 1));
    EXPECT_EQ(xml.ReadNodeName(u"/SETTINGS"), u"SETTINGS");
}

// Each shipped theme is exactly the line the program writes for what it
// reads as, and uses pictures that ship too (the application folder's Pics/
// is resources/pics/ here): a picture that is missing would be read as no
// picture and written as an empty field. The default theme is the program's
// own default.
TEST(ShippedFiles, ThemesAreWrittenAsTheProgramWritesThemAndUseShippedPictures)
{
    const ThemePathCheck shippedPicture = [](std::u16string_view text, ThemePathKind) {
        const fs::path path = text::pathFromText(text);
        const std::string name = path.string();
        return name.starts_with("Pics/") && fs::exists(kResources / "pics" / name.substr(5))
                   ? path
                   : fs::path();
    };
    int count = 0;
    for (const auto &entry : fs::directory_iterator(kResources / "themes")) {
        SCOPED_TRACE(entry.path().string());
        ASSERT_TRUE(entry.path().filename().string().ends_with(".thm"));
        const std::u16string line = utf16FromUtf8(readFile(entry.path()));
        ThemeRecord theme;
        readThemeFields(line, theme, shippedPicture);
        EXPECT_EQ(themeFileLine(theme, {}), line);
        ++count;
    }
    EXPECT_GE(count, 5);
    EXPECT_EQ(utf16FromUtf8(readFile(kResources / "themes" / ".thm")), themeFileLine(ThemeRecord{}, {}));
}
