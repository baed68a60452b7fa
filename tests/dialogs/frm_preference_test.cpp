#include "dialogs/frm_preference.h"

#include "controls/easy_button.h"
#include "dialog_test_support.h"
#include "dialogs/palette.h"

#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace quillmoth {
namespace {

using testing::writeFile;

QString text(const std::filesystem::path &path) { return QString::fromStdString(path.string()); }

// The settings file with one element's text replaced.
std::string withElement(std::string xml, const std::string &key, const std::string &value)
{
    const std::size_t start = xml.find("<" + key + ">") + key.size() + 2;
    xml.replace(start, xml.find('<', start) - start, value);
    return xml;
}

class Preferences : public testing::DialogWorld {
protected:
    frmPreference &open() { return shown(dialog = std::make_unique<frmPreference>(context())); }

    std::unique_ptr<frmPreference> dialog;
};

// Opening writes nothing; each choice then writes exactly its key, and only
// while the dialog is shown.
TEST_F(Preferences, OpensOnTheSettings_AndEachChoiceWritesExactlyItsKey)
{
    writeFile(folder.LanguageFilePath(u"ChineseS"), "书籍装帧主题\r\n");
    writeFile(folder.LanguageFilePath(u"English"), "Book Themes\r\n");
    std::string expected = settingsFile();
    frmPreference &preferences = open();
    EXPECT_TRUE(preferences.eOption1(7)->OptValue()); // 90%
    EXPECT_TRUE(preferences.eOption1(13)->OptValue()); // the palette sets the glass
    EXPECT_EQ(settingsFile(), expected);
    EXPECT_TRUE(shelfCalls.empty());
    const auto option = [&](int index) { return preferences.eOption1(index); };
    const std::tuple<EasyButton *, const char *, const char *> cases[] = {
        {option(1), "CoverShowStyle", "Curtain"}, {option(2), "CoverShowStyle", "Slide"},
        {option(3), "CoverShowStyle", "FadeIn"},
        {option(0), "CoverShowStyle", "Shelf"},   {option(4), "PadSize", "60"},
        {option(8), "PadSize", "100"},            {option(6), "PadSize", "80"},
        {option(10), "UserLanguage", "ChineseS"}, {option(9), "UserLanguage", "English"},
        {option(14), nullptr, nullptr},           {option(13), nullptr, nullptr},
        {preferences.ChkForceBIG5(), "Big5", "True"},
    };
    for (const auto &[button, key, value] : cases) {
        SCOPED_TRACE(button->Caption().toStdString());
        QTest::mouseClick(button, Qt::LeftButton);
        if (key != nullptr)
            expected = withElement(expected, key, value);
        EXPECT_EQ(settingsFile(), expected);
    }
    EXPECT_TRUE(settings.ForceBIG5);
    EXPECT_EQ(settings.padSize, u"80");
    EXPECT_EQ(std::count(shelfCalls.begin(), shelfCalls.end(), "RefreshCoverRect"), 4);
    EXPECT_EQ(std::count(shelfCalls.begin(), shelfCalls.end(), "ApplyLanguage"), 2);
    // The groups keep their own choices.
    for (int index : {0, 6, 9, 13})
        EXPECT_TRUE(option(index)->OptValue()) << index;
    EXPECT_FALSE(option(3)->OptValue());

    // The palette sets the chosen colour (glass now) from the release point.
    QTest::mouseClick(preferences.Picture1(), Qt::LeftButton, {}, QPoint(120, 5)); // outside
    EXPECT_EQ(settingsFile(), expected);
    QTest::mouseClick(preferences.Picture1(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(preferences.swatch()->color(), 16777215);
    QTest::mouseClick(option(14), Qt::LeftButton); // Text Color
    QTest::mouseClick(preferences.Picture1(), Qt::LeftButton, {}, QPoint(14 + 13, 28 + 2));
    expected = withElement(withElement(expected, "GlassColor", "16777215"), "ForeColor", "255");
    EXPECT_EQ(settingsFile(), expected);
    EXPECT_EQ(std::count(shelfCalls.begin(), shelfCalls.end(), "InitBackground"), 2);

    preferences.hide();
    QTest::mouseClick(option(2), Qt::LeftButton);
    EXPECT_EQ(settingsFile(), expected);
}

// A cancel changes nothing, a folder without subfolders is asked again, and
// the old thumbnails go only when the user says so.
TEST_F(Preferences, TheDefaultFolderNeedsSubfolders_AndThumbnailsGoOnlyOnYes)
{
    const std::filesystem::path filesOnly = scratch.path() / "files";
    writeFile(filesOnly / "a.txt", "a");
    const std::filesystem::path library = scratch.path() / "library", shelf = scratch.path() / "shelf";
    std::filesystem::create_directories(library / "novels");
    std::filesystem::create_directories(shelf / "poems");
    // Only the thumbnail files go: not folders, nor what links point to.
    const std::filesystem::path thumbs = folder.CoverThumbsFolder(), elsewhere = scratch.path() / "elsewhere.jpg";
    for (const auto &file : {thumbs / "Old.jpg", thumbs / "kept" / "inside.jpg", elsewhere})
        writeFile(file, "jpeg");
    std::filesystem::create_symlink(elsewhere, thumbs / "link.jpg");
    frmPreference &preferences = open();
    const std::string before = settingsFile();

    preferences.DefineDefaultFolder(true); // cancelled at once
    EXPECT_EQ(settingsFile(), before);
    EXPECT_TRUE(shelfCalls.empty());
    EXPECT_TRUE(redrawing);

    choices = {text(filesOnly), text(library)};
    answers = {QMessageBox::Ok, QMessageBox::No};
    preferences.DefineDefaultFolder(true);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], QStringLiteral("NoSubfolderFound"));
    EXPECT_EQ(settingsFile(), withElement(before, "DefaultFolder", library.string()));
    EXPECT_EQ(shelfCalls, std::vector<std::string>{"TreeBeDefaultPath " + library.string()});
    EXPECT_TRUE(std::filesystem::exists(thumbs / "Old.jpg"));
    EXPECT_EQ(preferences.eLabel1(0)->Caption(), text(library));
    EXPECT_TRUE(redrawing);

    choices = {text(shelf)};
    answers = {QMessageBox::Yes};
    preferences.DefineDefaultFolder(true);
    EXPECT_EQ(settingsFile(), withElement(before, "DefaultFolder", shelf.string()));
    EXPECT_FALSE(std::filesystem::exists(thumbs / "Old.jpg"));
    EXPECT_TRUE(std::filesystem::exists(thumbs / "kept" / "inside.jpg"));
    EXPECT_TRUE(std::filesystem::is_symlink(thumbs / "link.jpg"));
}

TEST_F(Preferences, MyLanguageWithoutAUserFileFallsBackToEnglish)
{
    frmPreference &preferences = open();
    const std::string before = settingsFile();
    settings.UserLanguage = u"ChineseS";
    QTest::mouseClick(preferences.eOption1(12), Qt::LeftButton);
    EXPECT_EQ(messages, std::vector<QString>{QStringLiteral("User.lanNotFound")});
    EXPECT_EQ(settings.UserLanguage, u"English");
    EXPECT_EQ(settingsFile(), before); // English was stored already
    EXPECT_TRUE(preferences.eOption1(9)->OptValue());
}

TEST_F(Preferences, TheSameBackgroundHoweverSpelledWritesNothing)
{
    writeFile(folder.defaultBackgroundPath(), "jpeg");
    settings.backgroundImagePath = folder.defaultBackgroundPath();
    frmPreference &preferences = open();
    const std::string before = settingsFile();
    choices = {QStringLiteral("Settings\\UIbg.jpg")};
    preferences.DefineDefaultFolder(false);
    EXPECT_EQ(settingsFile(), before);
    EXPECT_TRUE(shelfCalls.empty());

    const std::filesystem::path mine = scratch.path() / "mine.jpg";
    choices = {text(mine)};
    preferences.DefineDefaultFolder(false);
    EXPECT_EQ(settingsFile(), withElement(before, "UIbgImgPath", mine.string()));
    EXPECT_EQ(shelfCalls, std::vector<std::string>{"InitBackground"});
}

TEST_F(Preferences, AChoiceTheSettingsFileCannotTakeStillHoldsAndSaysSo)
{
    frmPreference &preferences = open();
    std::filesystem::remove(document.SettingsFilePath);
    std::filesystem::create_directories(document.SettingsFilePath); // cannot be written
    QTest::mouseClick(preferences.eOption1(5), Qt::LeftButton);
    QTest::mouseClick(preferences.eOption1(6), Qt::LeftButton);
    EXPECT_EQ(settings.padSize, u"80");
    ASSERT_EQ(messages.size(), 1u); // told once
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("The settings file could not be written")));
}

} // namespace
} // namespace quillmoth
