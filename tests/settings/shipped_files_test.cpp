// The files the program ships: the three language files, the default
// settings file and the themes.

#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"

#include "text/code_page.h"
#include "text/text_paths.h"

#include "../platform/app_test_support.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillmoth;
using namespace quillmoth::testing;
namespace fs = std::filesystem;

namespace {

const fs::path kResources = fs::path(QUILLMOTH_SOURCE_DIR) / "resources";

class ShippedLanguage : public ::testing::TestWithParam<const char *> {};

} // namespace

// One text per key, none empty or holding a line break or a byte that is not
// text; before any language is loaded the program shows the English text.
TEST_P(ShippedLanguage, HasOneNonEmptyLinePerKey)
{
    const std::string name = GetParam();
    const fs::path path = kResources / "lan" / (name + ".lan");
    EXPECT_FALSE(readFile(path).starts_with("\xEF\xBB\xBF"));
    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(path, table));
    ASSERT_EQ(table.size(), kLanguageKeys.size());
    for (std::size_t k = 0; k < kLanguageKeys.size(); ++k) {
        const std::u16string text = *table.text(kLanguageKeys[k]);
        EXPECT_NE(text.find_first_not_of(u' '), std::u16string::npos) << "line " << k;
        EXPECT_EQ(text.find_first_of(u"\r\n\uFFFD"), std::u16string::npos) << "line " << k;
    }
    EXPECT_EQ(table.text(u"Current")->back(), name == "English" ? u' ' : u'：');
    EXPECT_TRUE(name != "English" || table.text(u"LoadSettingsError") == kLoadSettingsErrorFallback);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("English", "ChineseS", "ChineseT"));

TEST(ShippedFiles, DefaultSettingsAreCompiledIn)
{
    EXPECT_EQ(readFile(kResources / "settings" / "UIsettings.xml"), defaultSettingsXml());
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
        const bool shipped = path.string().starts_with("Pics/");
        return shipped && fs::exists(kResources / "pics" / path.lexically_relative("Pics")) ? path : fs::path();
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
