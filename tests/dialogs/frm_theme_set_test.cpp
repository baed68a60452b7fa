#include "dialogs/frm_theme_set.h"

#include "controls/easy_button.h"
#include "dialog_test_support.h"
#include "dialogs/opacity_slider.h"
#include "dialogs/palette.h"
#include "platform/colors.h"
#include "settings/theme_file.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace quillmoth {
namespace {

using testing::readFile;
using testing::writeFile;

constexpr const char *kSepia = "100,100,,,,,,-1,-1,0,11,Tahoma,0,False,True,False,2,False,False";

std::string themeLine(const char *fields)
{
    return std::string(fields) + std::string(1, '\0') + "\r\n";
}

class ThemeEditor : public testing::DialogWorld {
protected:
    ThemeEditor()
    {
        writeFile(folder.ThemesFolder() / "Sepia.thm", themeLine(kSepia));
        settings.CurrentTheme = u"Sepia";
        ThemeContext themes = context().themeContext();
        loadCurrentTheme(themes);
    }

    frmThemeSet &open()
    {
        return shown(editor = std::make_unique<frmThemeSet>(context(), ThemeEditorRequest{u"Sepia", 16777215}));
    }

    std::filesystem::path themeFile(const char *name) const
    {
        return folder.ThemesFolder() / (std::string(name) + ".thm");
    }

    std::unique_ptr<frmThemeSet> editor;
};

// The preview is drawn as the pad draws the paper, and Close saves.
TEST_F(ThemeEditor, ThePreviewFollowsTheEdits_AndCloseSavesThemIntoTheCurrentTheme)
{
    frmThemeSet &dialog = open();
    const QImage before = dialog.previewImage();
    const auto paper = [](const QImage &image) { return image.pixelColor(image.width() / 4, image.height() - 8); };
    dialog.showSection(1);
    QTest::mouseClick(dialog.chkThemeColor(1), Qt::LeftButton); // paper colour on
    QTest::mouseClick(dialog.picPallet(), Qt::LeftButton, {}, QPoint(14 * 2 + 3, 3));
    EXPECT_EQ(paper(dialog.previewImage()), colorFromValue(12640511));
    EXPECT_NE(paper(before), colorFromValue(12640511));
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(dialog.BtnClose(), Qt::LeftButton);

    EXPECT_EQ(finished.size(), 1);
    // Without pictures the opacities are saved as -1.
    EXPECT_EQ(readFile(themeFile("Sepia")),
              themeLine("-1,-1,,,,,,-1,12640511,0,11,Tahoma,0,False,True,False,2,False,False"));
    EXPECT_EQ(theme.PaperColor, 12640511); // reloaded for the bookshelf
    EXPECT_EQ(shelfCalls, std::vector<std::string>{"FlushThemeList"});
}

TEST_F(ThemeEditor, ClosingWithoutSavingKeepsTheTheme_AndTooSmallASizeOpensAsNine)
{
    theme.FontSize = 6; // below the smallest size offered
    frmThemeSet &dialog = open();
    EXPECT_EQ(dialog.cmbFntSize()->currentText(), QStringLiteral("9"));
    EXPECT_EQ(dialog.draft().FontSize, 9);
    QTest::mouseClick(dialog.chkFontBold(), Qt::LeftButton);
    EXPECT_TRUE(dialog.draft().FontBold);
    dialog.reject();
    EXPECT_FALSE(theme.FontBold);
    EXPECT_EQ(readFile(themeFile("Sepia")), themeLine(kSepia));
}

// Save As refuses names that cannot be files, asks before replacing a theme,
// and keeps the dialog when the file cannot be written.
TEST_F(ThemeEditor, SaveAs_NeverWritesOverOrIntoWhatItMustNot)
{
    writeFile(themeFile("Linen"), themeLine("100,100,,,,,,-1,-1,0,9,Tahoma,0,False,False,False,0,False,False"));
    const std::string linen = readFile(themeFile("Linen"));
    std::filesystem::create_directories(themeFile("Stuck")); // a file cannot replace it
    const long entries = testing::entryCount(folder.ThemesFolder());
    frmThemeSet &dialog = open();
    QSignalSpy finished(&dialog, &QDialog::finished);
    const auto saveAs = [&](const QString &name, std::deque<QMessageBox::StandardButton> replies) {
        messages.clear();
        answers = std::move(replies);
        dialog.Text1()->setText(name);
        QTest::mouseClick(dialog.BtnSaveAs(), Qt::LeftButton);
        return messages.size();
    };
    for (const QString &name : {QStringLiteral("a/b"), QStringLiteral(".."), QString(300, QLatin1Char('x'))})
        EXPECT_EQ(saveAs(name, {}), 1u) << name.toStdString();
    EXPECT_EQ(saveAs(QStringLiteral("Linen"), {QMessageBox::No}), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("FileExisted_replace"));
    EXPECT_EQ(readFile(themeFile("Linen")), linen);
    ASSERT_EQ(saveAs(QStringLiteral("Stuck"), {QMessageBox::Yes}), 2u);
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("The theme could not be saved")));
    EXPECT_TRUE(std::filesystem::is_directory(themeFile("Stuck")));
    EXPECT_EQ(testing::entryCount(folder.ThemesFolder()), entries);
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(settings.CurrentTheme, u"Sepia");

    saveAs(QStringLiteral("Linen"), {QMessageBox::Yes});
    EXPECT_EQ(readFile(themeFile("Linen")),
              themeLine("-1,-1,,,,,,-1,-1,0,11,Tahoma,0,False,True,False,2,False,False"));
    EXPECT_EQ(settings.CurrentTheme, u"Linen");
    EXPECT_EQ(finished.size(), 1);
}

// A cancelled choice leaves no path; one picture for all and an album
// exclude each other; paths and fonts the theme file cannot hold are refused.
TEST_F(ThemeEditor, PictureChoices)
{
    const std::filesystem::path paper = folder.root() / "Pics/BackGround/Paper.jpg",
                                picture = folder.root() / "Pics/Illurstration/Bamboo.jpg",
                                album = scratch.path() / "album", odd = scratch.path() / "a,b.jpg";
    for (const auto &file : {paper, picture, odd})
        writeFile(file, "jpeg");
    std::filesystem::create_directories(album);
    frmThemeSet &dialog = open();
    const auto pick = [&](int box, const std::filesystem::path &path) {
        choices = {QString::fromStdString(path.string())};
        QTest::mouseClick(dialog.chkImagePath(box), Qt::LeftButton);
        return dialog.chkImagePath(box)->ChkValue();
    };
    EXPECT_TRUE(pick(0, paper));
    EXPECT_TRUE(dialog.imgSlider(1)->isEnabled());
    EXPECT_FALSE(pick(0, {})); // cleared
    EXPECT_FALSE(pick(0, {})); // ticked, then cancelled
    EXPECT_TRUE(dialog.draft().BgImagePath.empty());
    EXPECT_FALSE(dialog.imgSlider(1)->isEnabled());

    pick(3, picture);
    EXPECT_TRUE(pick(4, album));
    EXPECT_EQ(dialog.draft().AlbumPath, album);
    EXPECT_TRUE(dialog.draft().OneForAllImagePath.empty());
    EXPECT_FALSE(dialog.chkImagePath(3)->ChkValue());
    pick(3, picture);
    EXPECT_TRUE(dialog.draft().AlbumPath.empty());
    EXPECT_FALSE(dialog.chkImagePath(4)->ChkValue());

    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(pick(1, odd));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(dialog.draft().CornerImagePath.empty());
    dialog.cmbFont()->addItem(QStringLiteral("Odd, Font"));
    dialog.cmbFont()->setCurrentText(QStringLiteral("Odd, Font"));
    emit dialog.cmbFont()->textActivated(QStringLiteral("Odd, Font"));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(dialog.draft().FontName, u"Tahoma");
    EXPECT_EQ(dialog.cmbFont()->currentText(), QStringLiteral("Tahoma"));
}

} // namespace
} // namespace quillmoth
