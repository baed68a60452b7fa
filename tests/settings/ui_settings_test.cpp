#include "settings/ui_settings.h"

#include "settings/language_table.h"

#include "../support/full_disk.h"
#include "../support/kill_while_writing.h"
#include "../platform/app_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// A program folder with a settings file, and what loading it reports.
class SettingsFixture : public ::testing::Test {
protected:
    SettingsFixture() { document.SettingsFilePath = settingsFilePath(folder.path()); }

    std::filesystem::path file() const { return document.SettingsFilePath; }

    void writeSettings(std::string_view bytes) { writeFile(file(), bytes); }

    // The shipped settings with one element's text replaced.
    static std::string defaultWith(std::string_view element, std::string_view text)
    {
        std::string xml(defaultSettingsXml());
        const std::size_t start = xml.find("<" + std::string(element) + ">") + element.size() + 2;
        return xml.replace(start, xml.find('<', start) - start, text);
    }

    bool load()
    {
        reports.clear();
        return LoadUISettings(document, values, folder.path(), language,
                              [this](const SettingsErrorReport &report) { reports.push_back(report); });
    }

    ScratchFolder folder;
    SettingsDocument document;
    UISettings values;
    LanguageTable language;
    std::vector<SettingsErrorReport> reports;
};

} // namespace

// What one element of the shipped settings is changed to, and what is read.
// Values the program cannot use are replaced in memory, without failing the
// load: the pad size must be a whole percentage from 60 to 100, an empty
// glass colour is black (for the pane and the tree behind it), and colours
// that are not numbers count as empty.
struct ReadCase {
    const char *element, *text;
    std::u16string padSize = u"90";
    bool big5 = false;
    std::int32_t glassColor = 0;
    std::optional<std::int32_t> foreColor = 16777215;
};

TEST_F(SettingsFixture, LoadUISettings_ReadsOrReplacesEachValue)
{
    const ReadCase cases[] = {
        {"PadSize", "abc"}, {"PadSize", "101"}, {"PadSize", "59"}, {"PadSize", "80.5"},
        {"PadSize", " 60 ", u"60"}, {"PadSize", "100", u"100"},
        {"GlassColor", ""}, {"GlassColor", "red"}, {"GlassColor", "255", u"90", false, 255},
        {"ForeColor", "blue", u"90", false, 0, std::nullopt}, {"ForeColor", "16777216", u"90", false, 0, std::nullopt},
        {"Big5", "TRUE", u"90", true}, {"Big5", "-1", u"90", true}, {"Big5", "0"}, {"Big5", "1x"},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(std::string(c.element) + " = \"" + c.text + "\"");
        writeSettings(defaultWith(c.element, c.text));
        ASSERT_TRUE(load());
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(values.padSize, c.padSize);
        EXPECT_EQ(values.ForceBIG5, c.big5);
        EXPECT_EQ(values.glassColor, c.glassColor);
        EXPECT_EQ(values.foreColor, c.foreColor);
    }
}

// A missing settings file is quietly written anew from the shipped one, and
// relative paths in it are read against the program folder; a background
// picture that is gone is replaced in memory only.
TEST_F(SettingsFixture, LoadUISettings_RecreatesAMissingFileAndReplacesAMissingBackgroundInMemoryOnly)
{
    ASSERT_TRUE(load());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(readFile(file()), defaultSettingsXml());
    EXPECT_EQ(values.DefaultFolder, folder / "我的藏书");

    const auto picture = folder / "pictures" / "wood.jpg";
    writeFile(picture, "jpeg");
    writeSettings(defaultWith("UIbgImgPath", picture.string()));
    ASSERT_TRUE(load());
    EXPECT_EQ(values.backgroundImagePath, picture);

    std::filesystem::remove(picture);
    const std::string before = readFile(file());
    ASSERT_TRUE(load());
    EXPECT_EQ(values.backgroundImagePath, folder / "Settings" / "UIbg.jpg");
    EXPECT_EQ(readFile(file()), before);
}

TEST_F(SettingsFixture, LoadUISettings_KeepsAMalformedFileAndGoesOnWithTheDefault)
{
    const std::string broken = "<SETTINGS><Scheme>Sepia</Sch";
    writeSettings(broken);
    ASSERT_TRUE(load());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, kLoadSettingsErrorFallback);
    EXPECT_EQ(reports[0].keptCopy, folder / "Settings" / "UIsettings.xml.bad");
    EXPECT_EQ(readFile(folder / "Settings" / "UIsettings.xml.bad"), broken);
    EXPECT_EQ(readFile(file()), defaultSettingsXml());
    EXPECT_EQ(values.padSize, u"90");

    // Once a language is loaded its text is the message.
    language.insert(u"LoadSettingsError", u"设置文件无法读取");
    writeSettings("not xml at all");
    ASSERT_TRUE(load());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, u"设置文件无法读取");
    EXPECT_EQ(readFile(folder / "Settings" / "UIsettings.xml.bad"), "not xml at all");
}

// A file another program left a stray byte in (not UTF-8 any more) loses
// nothing by a write: only the element written changes.
TEST_F(SettingsFixture, WriteSetting_KeepsEveryOtherByteOfAFileThatIsNotUtf8)
{
    std::string bytes = defaultWith("DefaultFolder", "/书/\xFF旧");
    writeSettings(bytes);
    ASSERT_TRUE(load());
    ASSERT_TRUE(WriteSetting(document, u"PadSize", u"70"));
    EXPECT_EQ(readFile(file()), bytes.replace(bytes.find("<PadSize>90"), 11, "<PadSize>70"));
}

// Each write reloads the file first, so that changes another window made on
// disk survive; a missing element is added, a missing file is written anew
// from the shipped one, and a damaged one is left alone.
TEST_F(SettingsFixture, WriteSetting_ChangesOnlyThatElementOfTheFileOnDisk)
{
    ASSERT_TRUE(WriteSetting(document, u"UserLanguage", u"ChineseT"));
    EXPECT_EQ(readFile(file()), defaultWith("UserLanguage", "ChineseT"));
    std::string expected = defaultWith("CoverShowStyle", "FadeIn");
    writeSettings(expected);
    ASSERT_TRUE(WriteSetting(document, u"PadSize", u"70"));
    ASSERT_TRUE(WriteSetting(document, u"/SETTINGS/UIbgImgPath", u"/home/reader/紙.jpg"));
    expected.replace(expected.find("<PadSize>90"), 11, "<PadSize>70");
    expected.replace(expected.find("Settings/UIbg.jpg"), 17, "/home/reader/紙.jpg");
    EXPECT_EQ(readFile(file()), expected);
    EXPECT_EQ(fileNames(folder / "Settings"), std::vector<std::string>{"UIsettings.xml"});

    writeSettings("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SETTINGS>\n    <Scheme>Sepia</Scheme>\n"
                  "</SETTINGS>\n");
    ASSERT_TRUE(WriteSetting(document, u"PadSize", u"80"));
    EXPECT_EQ(readFile(file()), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SETTINGS>\n"
                                "    <Scheme>Sepia</Scheme>\n    <PadSize>80</PadSize>\n</SETTINGS>\n");

    writeSettings("<SETTINGS>");
    EXPECT_FALSE(WriteSetting(document, u"UserLanguage", u"English"));
    EXPECT_EQ(readFile(file()), "<SETTINGS>");
}

// On a full disk a setting is not stored, says so, and the file stays whole.
TEST_F(SettingsFixture, WriteSetting_OnAFullDiskFailsAndKeepsTheFile)
{
    writeSettings(defaultSettingsXml());
    EXPECT_TRUE(writeReportsAFullDisk([&] { return WriteSetting(document, u"PadSize", u"70"); }));
    EXPECT_EQ(readFile(file()), defaultSettingsXml());
}

// Writers killed again and again while they write never leave a damaged
// settings file: it holds one value or the other, whole.
TEST_F(SettingsFixture, WriteSetting_KilledWritersLeaveAWholeFile)
{
    writeSettings(defaultSettingsXml());
    const auto report = killWhileWriting(file(), [&](int version) {
        WriteSetting(document, u"DefaultFolder", std::u16string(std::size_t(1) << 21, version == 0 ? u'x' : u'y'));
    }, 16, std::chrono::milliseconds(60));
    EXPECT_TRUE(report.torn.empty());
    EXPECT_GE(report.duringWrite, 1);
}
