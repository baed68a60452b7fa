#include "dialogs/frm_theme_set.h"

#include "platform/qt_text.h"

#include "controls/easy_button.h"
#include "dialogs/dialog_style.h"
#include "dialogs/opacity_slider.h"
#include "dialogs/palette.h"
#include "dialogs/theme_editing.h"
#include "dialogs/theme_preview.h"
#include "platform/colors.h"
#include "settings/theme_file.h"
#include "text/text_paths.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>

#include <system_error>

namespace quillmoth {

namespace {

constexpr QSize kDialogSize{760, 476};
constexpr QRect kPreviewRect{352, 10, 396, 280};
constexpr int kChosenTabColor = 0xC0E0FF;  // red 255, green 224, blue 192
constexpr int kAlbumPath = 4;
constexpr int kOneForAllImage = 3;
constexpr int kPaperColor = 1;
constexpr int kOutlineColor = 2;

std::filesystem::path &imagePathOf(ThemeRecord &theme, int k)
{
    switch (k) {
    case 0:
        return theme.BgImagePath;
    case 1:
        return theme.CornerImagePath;
    case 2:
        return theme.BookMarkImagePath;
    case 3:
        return theme.OneForAllImagePath;
    default:
        return theme.AlbumPath;
    }
}

// The picture folder each image box starts in.
PictureFolder pictureFolderOf(int k)
{
    static constexpr PictureFolder kFolders[] = {PictureFolder::BackGround, PictureFolder::Corner,
                                                 PictureFolder::BookMark,
                                                 PictureFolder::Illurstration};
    return kFolders[std::min(k, 3)];
}

} // namespace

frmThemeSet::frmThemeSet(DialogContext context, const ThemeEditorRequest &request,
                         QWidget *parent)
    : QDialog(parent), m_context(std::move(context)), m_ask(messageBoxOver(this)),
      m_choose(platformFileChoosers(this))
{
    setModal(true);
    setFixedSize(kDialogSize);
    setDialogBackground(this);
    createControls();
    m_Text1->setText(qtText(request.name));
    // The box is marked in the colour it was given: white to keep the name,
    // red to ask for a new one.
    m_Text1->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid %1; padding: 1px; }")
                               .arg(colorFromValue(request.nameBoxColor, Qt::white) == Qt::white
                                        ? QStringLiteral("#a0a0a0")
                                        : colorFromValue(request.nameBoxColor).name()));
    LoadThemeIntoEditor();
    ApplyLanguage();
    showSection(0);
}

frmThemeSet::~frmThemeSet() = default;

const QImage &frmThemeSet::previewImage() const
{
    return m_picDemo->image();
}

// ---------------------------------------------------------------------------
// The controls

void frmThemeSet::createControls()
{
    static constexpr int kTabWidths[] = {108, 108, 108};
    int tabLeft = 10;
    for (int k = 0; k < 3; ++k) {
        m_BtnTheme[std::size_t(k)] =
            makeDialogButton(this, DialogButton::Push, QRect(tabLeft, 10, kTabWidths[k], 26));
        m_BtnTheme[std::size_t(k)]->setUseSound(0);
        tabLeft += kTabWidths[k] + 4;
        connect(m_BtnTheme[std::size_t(k)], &EasyButton::Click, this, [this, k] { showSection(k); });
        m_Frame1[std::size_t(k)] = new QWidget(this);
        m_Frame1[std::size_t(k)]->setGeometry(10, 44, 330, 340);
    }
    createPictureSection(m_Frame1[0]);
    createFontSection(m_Frame1[1]);
    createMiscSection(m_Frame1[2]);

    m_picDemo = new ThemePreview(this);
    m_picDemo->setGeometry(kPreviewRect);
    for (int k = 0; k < 2; ++k) {
        const int top = kPreviewRect.bottom() + 12 + k * 44;
        m_sliderCaption[std::size_t(k)] = new QLabel(this);
        m_sliderCaption[std::size_t(k)]->setGeometry(kPreviewRect.left(), top, 200, 18);
        m_lblTip[std::size_t(k)] = new QLabel(this);
        m_lblTip[std::size_t(k)]->setGeometry(kPreviewRect.right() - 60, top, 60, 18);
        m_lblTip[std::size_t(k)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *slider = new OpacitySlider(this);
        slider->setGeometry(kPreviewRect.left(), top + 20, kPreviewRect.width(), 16);
        m_imgSlider[std::size_t(k)] = slider;
        connect(slider, &OpacitySlider::percentChanged, this, [this, k](int percent) {
            (k == 0 ? m_draft.BgOpacity : m_draft.CornerOpacity) = float(percent);
            showOpacity(k);
        });
        connect(slider, &OpacitySlider::released, this, &frmThemeSet::RefreshDemo);
    }

    m_Text1 = new QLineEdit(this);
    m_Text1->setGeometry(352, 434, 220, 28);
    m_BtnSaveAs = makeDialogButton(this, DialogButton::Push, QRect(582, 434, 80, 28),
                                   QStringLiteral("Save as"));
    m_BtnClose = makeDialogButton(this, DialogButton::Push, QRect(668, 434, 80, 28),
                                  QStringLiteral("Close"));
    connect(m_BtnSaveAs, &EasyButton::Click, this, &frmThemeSet::saveAsClicked);
    connect(m_BtnClose, &EasyButton::Click, this, &frmThemeSet::closeClicked);
}

void frmThemeSet::createPictureSection(QWidget *section)
{
    // Heading, then its boxes, each box with its path under it.
    struct Row {
        int heading;  // eLabel2 index before the box, -1 for none
        int box;
    };
    static constexpr Row kRows[] = {{0, 0}, {1, 1}, {-1, 2}, {2, 3}, {-1, 4}};
    int top = 0;
    QFont bold = font();
    bold.setBold(true);
    for (const Row row : kRows) {
        if (row.heading >= 0) {
            EasyButton *heading = makeDialogButton(section, DialogButton::Caption, QRect(0, top, 330, 20));
            heading->setFont(bold);
            m_eLabel2[std::size_t(row.heading)] = heading;
            top += 22;
        }
        const int k = row.box;
        m_chkImagePath[std::size_t(k)] = makeDialogButton(section, DialogButton::CheckBox, QRect(8, top, 220, 22));
        m_elblPicPath[std::size_t(k)] = makeDialogButton(section, DialogButton::Caption, QRect(28, top + 22, 300, 18));
        m_elblPicPath[std::size_t(k)]->setForeColor(0x505050);
        connect(m_chkImagePath[std::size_t(k)], &EasyButton::Click, this,
                [this, k] { imagePathClicked(k); });
        top += 46;
    }
}

void frmThemeSet::createFontSection(QWidget *section)
{
    m_cmbFont = new QComboBox(section);
    m_cmbFont->setGeometry(8, 4, 210, 26);
    m_cmbFont->setMaxVisibleItems(16);
    m_cmbFntSize = new QComboBox(section);
    m_cmbFntSize->setGeometry(226, 4, 64, 26);
    connect(m_cmbFont, &QComboBox::textActivated, this, &frmThemeSet::fontChosen);
    connect(m_cmbFntSize, &QComboBox::textActivated, this, [this](const QString &size) {
        m_draft.FontSize = size.toInt();
        RefreshDemo();
    });

    m_chkFontBold = makeDialogButton(section, DialogButton::CheckBox, QRect(8, 40, 130, 22), QStringLiteral("Bold"));
    m_chkFontItalic = makeDialogButton(section, DialogButton::CheckBox, QRect(146, 40, 130, 22), QStringLiteral("Italic"));
    connect(m_chkFontBold, &EasyButton::Click, this, [this] {
        m_draft.FontBold = m_chkFontBold->ChkValue();
        RefreshDemo();
    });
    connect(m_chkFontItalic, &EasyButton::Click, this, [this] {
        m_draft.FontItalic = m_chkFontItalic->ChkValue();
        RefreshDemo();
    });

    for (int k = 0; k < 3; ++k) {
        const int top = 78 + k * 30;
        m_chkThemeColor[std::size_t(k)] = makeDialogButton(section, DialogButton::CheckBox, QRect(8, top, 160, 22));
        m_lblThemeColor[std::size_t(k)] = new ColorSwatch(section);
        m_lblThemeColor[std::size_t(k)]->move(176, top + 2);
        connect(m_chkThemeColor[std::size_t(k)], &EasyButton::Click, this,
                [this, k] { themeColorClicked(k); });
        connect(m_lblThemeColor[std::size_t(k)], &ColorSwatch::clicked, this,
                [this, k] { setColorTarget(k); });
    }
    m_picPallet = new PaletteBox(section);
    m_picPallet->move(8, 176);
    connect(m_picPallet, &PaletteBox::colorPicked, this, [this](std::int32_t color) {
        m_lblThemeColor[std::size_t(m_colorTarget)]->setColor(color);
        colorsChanged();
    });
}

void frmThemeSet::createMiscSection(QWidget *section)
{
    for (int k = 0; k < 4; ++k) {
        const int top = k < 3 ? 4 + k * 30 : 200;
        m_chkMisc[std::size_t(k)] = makeDialogButton(section, DialogButton::CheckBox, QRect(8, top, 230, 22));
    }
    // Both change how the book is laid out, which the preview shows.
    connect(m_chkMisc[0], &EasyButton::Click, this, [this] {
        m_draft.ReformatParagraphs = m_chkMisc[0]->ChkValue();
        RefreshDemo();
    });
    connect(m_chkMisc[1], &EasyButton::Click, this, [this] {
        m_draft.ListUpChapters = m_chkMisc[1]->ChkValue();
        RefreshDemo();
    });

    // Colouring chapter titles brings its own palette for the title colour.
    m_chapterSwatch = new ColorSwatch(section);
    m_chapterSwatch->move(246, 66);
    m_chapterPalette = new PaletteBox(section);
    m_chapterPalette->move(28, 94);
    connect(m_chkMisc[2], &EasyButton::Click, this, [this] {
        m_draft.ColorizeChapterTitle = m_chkMisc[2]->ChkValue();
        m_chapterPalette->setVisible(m_draft.ColorizeChapterTitle);
        RefreshDemo();
    });
    connect(m_chapterPalette, &PaletteBox::colorPicked, this, [this](std::int32_t color) {
        m_draft.ChapterTitleColor = color;
        m_chapterSwatch->setColor(color);
        RefreshDemo();
    });

    m_spacingGroup = new QWidget(section);
    m_spacingGroup->setGeometry(28, 228, 300, 24);
    for (int k = 0; k < 6; ++k) {
        EasyButton *option = makeDialogButton(m_spacingGroup, DialogButton::Option, QRect(k * 46, 0, 44, 22),
                                        QString::number(k));
        m_eOptSepacing[std::size_t(k)] = option;
        connect(option, &EasyButton::Click, this, [this, k] {
            m_eOptSepacing[std::size_t(k)]->setOptValue(true);
            m_draft.LineSpace = k;
            RefreshDemo();
        });
    }
    // The switch opens the line spacing; closed, lines stand plainly.
    connect(m_chkMisc[3], &EasyButton::Click, this, [this] {
        const bool on = m_chkMisc[3]->ChkValue();
        m_spacingGroup->setEnabled(on);
        if (!on) {
            m_draft.LineSpace = 0;
            m_eOptSepacing[0]->setOptValue(true);
        }
        RefreshDemo();
    });
}

// ---------------------------------------------------------------------------
// Filling the controls

void frmThemeSet::LoadThemeIntoEditor()
{
    m_draft = m_context.theme;
    const ThemeRecord &theme = m_draft;

    if (m_cmbFont->count() == 0)
        m_cmbFont->addItems(QFontDatabase::families());
    if (m_cmbFntSize->count() == 0) {
        for (const char *size : {"7", "8", "9", "10", "11", "12", "14", "16", "18"})
            m_cmbFntSize->addItem(QString::fromLatin1(size));
    }

    for (int k = 0; k < 2; ++k) {
        const float opacity = k == 0 ? theme.BgOpacity : theme.CornerOpacity;
        m_imgSlider[std::size_t(k)]->setPercent(opacity < 0 ? 1 : opacity);
        m_imgSlider[std::size_t(k)]->setEnabled(!imagePathOf(m_draft, k).empty());
        showOpacity(k);
    }
    for (int k = 0; k < 5; ++k)
        showImagePath(k);

    m_lblThemeColor[0]->setColor(theme.FontColor);
    m_lblThemeColor[kPaperColor]->setColor(theme.PaperColor < 0 ? 0xFFFFFF : theme.PaperColor);
    m_lblThemeColor[kOutlineColor]->setColor(theme.OutlineColor < 0 ? 0xFFFFFF
                                                                    : theme.OutlineColor);
    m_chkThemeColor[0]->setChkValue(true);
    m_chkThemeColor[kPaperColor]->setChkValue(theme.PaperColor != -1);
    m_chkThemeColor[kOutlineColor]->setChkValue(theme.OutlineColor != -1);
    for (int k = 1; k < 3; ++k)
        m_lblThemeColor[std::size_t(k)]->setVisible(m_chkThemeColor[std::size_t(k)]->ChkValue());
    setColorTarget(0);

    const QString size = qtText(fontSizeText(theme.FontSize));
    if (m_cmbFntSize->findText(size) < 0)
        m_cmbFntSize->addItem(size);
    m_cmbFntSize->setCurrentText(size);
    m_draft.FontSize = size.toInt();
    m_fontShown = theme.FontName.empty() ? QStringLiteral("Arial") : qtText(theme.FontName);
    if (m_cmbFont->findText(m_fontShown) < 0)
        m_cmbFont->insertItem(0, m_fontShown);
    m_cmbFont->setCurrentText(m_fontShown);
    m_draft.FontName = m_fontShown.toStdU16String();
    m_chkFontBold->setChkValue(theme.FontBold);
    m_chkFontItalic->setChkValue(theme.FontItalic);

    const int spacing = std::clamp(int(theme.LineSpace), 0, 5);
    m_eOptSepacing[std::size_t(spacing)]->setOptValue(true);
    m_chkMisc[3]->setChkValue(spacing > 0);
    m_spacingGroup->setEnabled(spacing > 0);
    m_chkMisc[0]->setChkValue(theme.ReformatParagraphs);
    m_chkMisc[1]->setChkValue(theme.ListUpChapters);
    m_chkMisc[2]->setChkValue(theme.ColorizeChapterTitle);
    m_chapterSwatch->setColor(theme.ChapterTitleColor);
    m_chapterPalette->setVisible(theme.ColorizeChapterTitle);
    RefreshDemo();
}

void frmThemeSet::ApplyLanguage()
{
    quillmoth::ApplyLanguage(
        m_context.language, captionBindings(u"frmThemeSet"),
        [this](const CaptionBinding &binding, std::u16string_view text) {
            const QString caption = qtText(text);
            const auto k = std::size_t(std::max(binding.index, 0));
            const std::u16string_view control = binding.control;
            if (control == u"BtnTheme")
                m_BtnTheme[k]->setCaption(caption);
            else if (control == u"eLabel2")
                m_eLabel2[k]->setCaption(caption);
            else if (control == u"chkImagePath")
                m_chkImagePath[k]->setCaption(caption);
            else if (control == u"chkThemeColor")
                m_chkThemeColor[k]->setCaption(caption);
            else if (control == u"chkFontBold")
                m_chkFontBold->setCaption(caption);
            else if (control == u"chkFontItalic")
                m_chkFontItalic->setCaption(caption);
            else if (control == u"chkMisc")
                m_chkMisc[k]->setCaption(caption);
            else if (control == u"BtnClose")
                m_BtnClose->setCaption(caption);
            else if (control == u"BtnSaveAs")
                m_BtnSaveAs->setCaption(caption);
        });
    m_sliderCaption[0]->setText(languageText(m_context.language, u"Background"));
    m_sliderCaption[1]->setText(languageText(m_context.language, u"Corner"));
    setWindowTitle(dialogText(DialogText::ThemeEditorTitle, m_context.settings.UserLanguage));
}

void frmThemeSet::showSection(int section)
{
    if (section < 0 || section > 2)
        return;
    for (int k = 0; k < 3; ++k) {
        const bool chosen = k == section;
        m_Frame1[std::size_t(k)]->setVisible(chosen);
        m_BtnTheme[std::size_t(k)]->setBackColor(chosen ? kChosenTabColor : kDialogBackColor);
    }
}

// ---------------------------------------------------------------------------
// Pictures and opacities

void frmThemeSet::showImagePath(int k)
{
    const std::filesystem::path &path = imagePathOf(m_draft, k);
    const std::filesystem::path root = m_context.folder.root();
    std::filesystem::path shown = path;
    // Pictures of the program's own folder are shown from there.
    const std::filesystem::path relative = path.lexically_relative(root);
    if (!path.empty() && !relative.empty() && *relative.begin() != "..")
        shown = relative;
    m_elblPicPath[std::size_t(k)]->setCaption(
        QString::fromStdU16String(text::textFromPath(shown)));
    m_chkImagePath[std::size_t(k)]->setChkValue(!path.empty());
}

void frmThemeSet::showOpacity(int k)
{
    m_lblTip[std::size_t(k)]->setText(QString::number(m_imgSlider[std::size_t(k)]->percent()) +
                                      QLatin1Char('%'));
}

void frmThemeSet::setImagePath(int k, const std::filesystem::path &path)
{
    imagePathOf(m_draft, k) = path;
    if (k < 2) {
        // A new picture starts fully opaque; without one the opacity is 1.
        const float opacity = path.empty() ? 1.0f : 100.0f;
        (k == 0 ? m_draft.BgOpacity : m_draft.CornerOpacity) = opacity;
        m_imgSlider[std::size_t(k)]->setEnabled(!path.empty());
        m_imgSlider[std::size_t(k)]->setPercent(opacity);
        showOpacity(k);
    }
    // One picture for every illustration and an album exclude each other.
    if (!path.empty() && (k == kOneForAllImage || k == kAlbumPath)) {
        const int other = k == kOneForAllImage ? kAlbumPath : kOneForAllImage;
        imagePathOf(m_draft, other).clear();
        showImagePath(other);
    }
    showImagePath(k);
}

void frmThemeSet::imagePathClicked(int k)
{
    std::filesystem::path chosen;
    if (m_chkImagePath[std::size_t(k)]->ChkValue()) {
        const QString start = QString::fromStdU16String(text::textFromPath(
            k == kAlbumPath ? m_context.folder.picturesFolder(PictureFolder::Illurstration)
                            : m_context.folder.picturesFolder(pictureFolderOf(k))));
        const QString text =
            k == kAlbumPath
                ? (m_choose.chooseFolder
                       ? m_choose.chooseFolder(QStringLiteral("Select a PhotoAlbum path"), start)
                       : QString())
                : (m_choose.chooseImage ? m_choose.chooseImage(start) : QString());
        if (!fitsThemeField(text.toStdU16String())) {
            tell(DialogText::PathNotStorable);
            showImagePath(k); // the box shows the path it had
            return;
        }
        chosen = text::pathFromText(text.toStdU16String());
    }
    setImagePath(k, chosen);
    RefreshDemo();
}

// ---------------------------------------------------------------------------
// Font and colours

void frmThemeSet::fontChosen(const QString &family)
{
    if (!fitsThemeField(family.toStdU16String())) {
        tell(DialogText::FontNameComma);
        m_cmbFont->setCurrentText(m_fontShown);
        return;
    }
    m_fontShown = family;
    m_draft.FontName = family.toStdU16String();
    RefreshDemo();
}

void frmThemeSet::setColorTarget(int k)
{
    m_colorTarget = k;
    for (int i = 0; i < 3; ++i)
        m_lblThemeColor[std::size_t(i)]->setTargeted(i == k);
}

void frmThemeSet::themeColorClicked(int k)
{
    if (k == 0) {
        // The text always has a colour.
        m_chkThemeColor[0]->setChkValue(true);
        setColorTarget(0);
        return;
    }
    const bool on = m_chkThemeColor[std::size_t(k)]->ChkValue();
    m_lblThemeColor[std::size_t(k)]->setVisible(on);
    if (on)
        setColorTarget(k);
    else if (!m_chkThemeColor[kPaperColor]->ChkValue() &&
             !m_chkThemeColor[kOutlineColor]->ChkValue())
        setColorTarget(0);
    else if (m_colorTarget == k)
        setColorTarget(k == kPaperColor ? kOutlineColor : kPaperColor);
    colorsChanged();
}

void frmThemeSet::colorsChanged()
{
    m_draft.FontColor = m_lblThemeColor[0]->color();
    m_draft.PaperColor =
        m_chkThemeColor[kPaperColor]->ChkValue() ? m_lblThemeColor[kPaperColor]->color() : -1;
    m_draft.OutlineColor = m_chkThemeColor[kOutlineColor]->ChkValue()
                               ? m_lblThemeColor[kOutlineColor]->color()
                               : -1;
    RefreshDemo();
}

void frmThemeSet::RefreshDemo()
{
    ThemePreviewInput input;
    input.size = m_picDemo->size();
    input.devicePixelRatio = devicePixelRatioF();
    input.padSize = m_context.settings.padSize.empty()
                        ? 90
                        : QString::fromStdU16String(m_context.settings.padSize).toInt();
    const QString sample = dialogText(DialogText::PreviewSample, m_context.settings.UserLanguage);
    const std::u16string text = sample.toStdU16String();
    input.sample = text;
    m_picDemo->setImage(
        paintThemePreview(themeToSave(m_draft), m_context.folder, m_context.codePage, input));
}

// ---------------------------------------------------------------------------
// Saving

void frmThemeSet::tell(DialogText text, const QString &detail)
{
    QString message = dialogText(text, m_context.settings.UserLanguage);
    if (!detail.isEmpty())
        message += QLatin1Char('\n') + detail;
    m_ask(QMessageBox::Warning, message, QMessageBox::Ok);
}

bool frmThemeSet::SaveTheme(bool saveAs)
{
    const std::filesystem::path &themes = m_context.folder.ThemesFolder();
    const std::u16string name =
        saveAs ? trimmedThemeName(m_Text1->text().toStdU16String()) : m_context.settings.CurrentTheme;
    const std::filesystem::path file = themeFilePath(themes, name);
    const ThemeRecord record = themeToSave(m_draft);
    int badField = -1;
    if (!themeFileLine(record, m_context.folder.root(), &badField)) {
        tell(badField == 11 ? DialogText::FontNameComma : DialogText::PathNotStorable);
        return false;
    }
    std::u16string error;
    std::error_code folderError;
    std::filesystem::create_directories(themes, folderError);
    if (file.empty() || !writeThemeFile(file, record, m_context.folder.root(), &error)) {
        tell(DialogText::ThemeNotSaved, qtText(error));
        return false;
    }
    return true;
}

void frmThemeSet::ApplyEditedTheme()
{
    UISettings &settings = m_context.settings;
    WriteSetting(m_context.document, u"Scheme", settings.CurrentTheme);
    if (m_context.shelf.FlushThemeList)
        m_context.shelf.FlushThemeList(settings.CurrentTheme);
    ThemeContext themes = m_context.themeContext();
    GetThmSettings(themeFilePath(themes.ThemesFolder, settings.CurrentTheme), themes);
}

void frmThemeSet::closeClicked()
{
    if (!SaveTheme(false))
        return; // the edits stay for another try
    ApplyEditedTheme();
    accept();
}

void frmThemeSet::saveAsClicked()
{
    const std::u16string typed = m_Text1->text().toStdU16String();
    if (const std::optional<ThemeNameProblem> problem = themeNameProblem(typed)) {
        static constexpr DialogText kTexts[] = {DialogText::ThemeNameEmpty,
                                                DialogText::ThemeNameSeparator,
                                                DialogText::ThemeNameDots,
                                                DialogText::ThemeNameTooLong};
        tell(kTexts[int(*problem)]);
        return;
    }
    const std::u16string name = trimmedThemeName(typed);
    std::error_code error;
    if (std::filesystem::exists(themeFilePath(m_context.folder.ThemesFolder(), name), error) &&
        m_ask(QMessageBox::Question, languageText(m_context.language, u"FileExisted_replace"),
              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!SaveTheme(true))
        return;
    m_context.settings.CurrentTheme = name;
    ApplyEditedTheme();
    accept();
}

} // namespace quillmoth
