#pragma once

#include "controls/message_box.h"
#include "dialogs/dialog_context.h"
#include "dialogs/dialog_messages.h"
#include "settings/theme_list.h"
#include "settings/theme_record.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quillmoth {

class ColorSwatch;
class EasyButton;
class OpacitySlider;
class PaletteBox;
class ThemePreview;

// frmThemeSet: the theme editor. Three sections (pictures and their
// opacities, font and colours, the other switches) edit a copy of the
// current theme, shown at once in a preview drawn as the reading pad draws;
// Close saves it over the current theme's file, Save as under a new name.
// Closing the window any other way keeps the theme as it was.
class frmThemeSet : public QDialog {
    Q_OBJECT

public:
    frmThemeSet(DialogContext context, const ThemeEditorRequest &request,
                QWidget *parent = nullptr);
    ~frmThemeSet() override;

    void setMessages(MessageFunction ask) { m_ask = std::move(ask); }
    void setFileChoosers(FileChoosers choosers) { m_choose = std::move(choosers); }

    // Fills every control from the current theme.
    void LoadThemeIntoEditor();
    void ApplyLanguage();
    // Shows section k (0 pictures, 1 font and colours, 2 the rest).
    void showSection(int section);
    // Writes the edited theme: over the current theme's file, or under the
    // name in the name box. False, with the reason shown, when it could not
    // be written; the old file is then untouched.
    bool SaveTheme(bool saveAs);
    // The saved theme becomes current: "Scheme", the theme list, the record.
    void ApplyEditedTheme();
    // The two buttons.
    void closeClicked();
    void saveAsClicked();

    // What is being edited.
    const ThemeRecord &draft() const { return m_draft; }
    const QImage &previewImage() const;

    QLineEdit *Text1() const { return m_Text1; }
    EasyButton *BtnTheme(int k) const { return m_BtnTheme[std::size_t(k)]; }
    QWidget *Frame1(int k) const { return m_Frame1[std::size_t(k)]; }
    EasyButton *chkImagePath(int k) const { return m_chkImagePath[std::size_t(k)]; }
    EasyButton *elblPicPath(int k) const { return m_elblPicPath[std::size_t(k)]; }
    OpacitySlider *imgSlider(int k) const { return m_imgSlider[std::size_t(k - 1)]; }
    QLabel *lblTip(int k) const { return m_lblTip[std::size_t(k - 1)]; }
    QComboBox *cmbFont() const { return m_cmbFont; }
    QComboBox *cmbFntSize() const { return m_cmbFntSize; }
    EasyButton *chkFontBold() const { return m_chkFontBold; }
    EasyButton *chkFontItalic() const { return m_chkFontItalic; }
    EasyButton *chkThemeColor(int k) const { return m_chkThemeColor[std::size_t(k)]; }
    ColorSwatch *lblThemeColor(int k) const { return m_lblThemeColor[std::size_t(k)]; }
    PaletteBox *picPallet() const { return m_picPallet; }
    PaletteBox *chapterPalette() const { return m_chapterPalette; }
    ColorSwatch *chapterSwatch() const { return m_chapterSwatch; }
    EasyButton *chkMisc(int k) const { return m_chkMisc[std::size_t(k)]; }
    EasyButton *eOptSepacing(int k) const { return m_eOptSepacing[std::size_t(k)]; }
    EasyButton *BtnClose() const { return m_BtnClose; }
    EasyButton *BtnSaveAs() const { return m_BtnSaveAs; }
    // The swatch the font-section palette sets (0 to 2).
    int colorTarget() const { return m_colorTarget; }

private:
    void createControls();
    void createPictureSection(QWidget *section);
    void createFontSection(QWidget *section);
    void createMiscSection(QWidget *section);
    void imagePathClicked(int k);
    void setImagePath(int k, const std::filesystem::path &path);
    void showImagePath(int k);
    void showOpacity(int k);
    void setColorTarget(int k);
    void themeColorClicked(int k);
    void colorsChanged();
    void fontChosen(const QString &family);
    void RefreshDemo();
    void tell(DialogText text, const QString &detail = {});

    DialogContext m_context;
    MessageFunction m_ask;
    FileChoosers m_choose;
    ThemeRecord m_draft;
    int m_colorTarget = 0;
    QString m_fontShown;

    QLineEdit *m_Text1 = nullptr;
    std::array<EasyButton *, 3> m_BtnTheme{};
    std::array<QWidget *, 3> m_Frame1{};
    std::array<EasyButton *, 3> m_eLabel2{};
    std::array<EasyButton *, 5> m_chkImagePath{};
    std::array<EasyButton *, 5> m_elblPicPath{};
    std::array<OpacitySlider *, 2> m_imgSlider{};
    std::array<QLabel *, 2> m_lblTip{};
    std::array<QLabel *, 2> m_sliderCaption{};
    QComboBox *m_cmbFont = nullptr;
    QComboBox *m_cmbFntSize = nullptr;
    EasyButton *m_chkFontBold = nullptr;
    EasyButton *m_chkFontItalic = nullptr;
    std::array<EasyButton *, 3> m_chkThemeColor{};
    std::array<ColorSwatch *, 3> m_lblThemeColor{};
    PaletteBox *m_picPallet = nullptr;
    std::array<EasyButton *, 4> m_chkMisc{};
    ColorSwatch *m_chapterSwatch = nullptr;
    PaletteBox *m_chapterPalette = nullptr;
    QWidget *m_spacingGroup = nullptr;
    std::array<EasyButton *, 6> m_eOptSepacing{};
    ThemePreview *m_picDemo = nullptr;
    EasyButton *m_BtnClose = nullptr;
    EasyButton *m_BtnSaveAs = nullptr;
};

} // namespace quillmoth
