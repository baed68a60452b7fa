#include "dialogs/frm_preference.h"

#include "platform/qt_text.h"

#include "controls/easy_button.h"
#include "dialogs/dialog_style.h"
#include "dialogs/dialog_messages.h"
#include "dialogs/palette.h"
#include "dialogs/preference_rules.h"
#include "text/text_paths.h"

#include <QDir>

#include <system_error>

namespace quillmoth {

namespace {

constexpr QSize kDialogSize{470, 416};

// A group of options with its heading: its own container, so that choosing
// in one group never clears another.
QWidget *makeGroup(QWidget *parent, const QRect &geometry)
{
    auto *group = new QWidget(parent);
    group->setGeometry(geometry);
    return group;
}

} // namespace

frmPreference::frmPreference(DialogContext context, QWidget *parent)
    : QDialog(parent), m_context(std::move(context)), m_ask(messageBoxOver(this)),
      m_choose(platformFileChoosers(this))
{
    setModal(true);
    setFixedSize(kDialogSize);
    setDialogBackground(this);
    createControls();
    // The load handler: palette, options, captions.
    RefreshOptions();
    ApplyLanguage();
}

frmPreference::~frmPreference() = default;

void frmPreference::createControls()
{
    const auto heading = [this](QWidget *group, int index) {
        m_eLabel1[std::size_t(index)] =
            makeDialogButton(group, DialogButton::Caption, QRect(0, 0, group->width(), 20), QString());
        QFont bold = font();
        bold.setBold(true);
        m_eLabel1[std::size_t(index)]->setFont(bold);
    };
    const auto option = [this](QWidget *group, int index, const QRect &geometry,
                               const QString &caption) {
        EasyButton *button = makeDialogButton(group, DialogButton::Option, geometry, caption);
        m_eOption1[std::size_t(index)] = button;
        connect(button, &EasyButton::Click, this, [this, index] {
            // Selections made while loading are not choices.
            if (isVisible())
                OptionClicked(index);
        });
    };

    QWidget *style = makeGroup(this, QRect(12, 10, 230, 82));
    heading(style, 1);
    static constexpr const char16_t *kStyles[] = {u"Shelf", u"Curtain", u"Slide", u"Fade In"};
    for (int i = 0; i < 4; ++i)
        option(style, i, QRect(8 + (i % 2) * 110, 24 + (i / 2) * 26, 106, 22), qtText(kStyles[i]));

    QWidget *pad = makeGroup(this, QRect(252, 10, 206, 82));
    heading(pad, 2);
    for (int i = 0; i < 5; ++i)
        option(pad, kFirstPadSizeOption + i,
               QRect(8 + (i % 3) * 66, 24 + (i / 3) * 26, 64, 22),
               qtText(kPadSizes[std::size_t(i)]) + QLatin1Char('%'));

    QWidget *language = makeGroup(this, QRect(12, 100, 446, 52));
    heading(language, 3);
    static constexpr const char16_t *kLanguageCaptions[] = {u"English", u"中文(简化)",
                                                            u"中文(傳統)", u"My Language"};
    for (int i = 0; i < 4; ++i)
        option(language, kFirstLanguageOption + i, QRect(8 + i * 108, 24, 106, 22),
               qtText(kLanguageCaptions[i]));

    QWidget *colors = makeGroup(this, QRect(12, 160, 446, 112));
    heading(colors, 4);
    option(colors, kGlassColorOption, QRect(8, 28, 130, 22), QStringLiteral("Glass Color"));
    option(colors, kTextColorOption, QRect(8, 56, 130, 22), QStringLiteral("Text Color"));
    m_Picture1 = new PaletteBox(colors);
    m_Picture1->move(160, 24);
    connect(m_Picture1, &PaletteBox::colorPicked, this, &frmPreference::paletteClicked);
    m_swatch = new ColorSwatch(colors);
    m_swatch->setFixedSize(56, 28);
    m_swatch->move(290, 24);

    QWidget *defaults = makeGroup(this, QRect(12, 280, 446, 80));
    heading(defaults, 5);
    m_eButton1[0] = makeDialogButton(defaults, DialogButton::Push, QRect(8, 24, 170, 26), QStringLiteral("Background"));
    m_eButton1[1] = makeDialogButton(defaults, DialogButton::Push, QRect(186, 24, 140, 26), QStringLiteral("Folder"));
    m_eLabel1[0] = makeDialogButton(defaults, DialogButton::Caption, QRect(8, 56, 430, 20), QString());
    connect(m_eButton1[0], &EasyButton::Click, this, [this] { DefineDefaultFolder(false); });
    connect(m_eButton1[1], &EasyButton::Click, this, [this] { DefineDefaultFolder(true); });

    m_ChkForceBIG5 = makeDialogButton(this, DialogButton::CheckBox, QRect(20, 376, 300, 24), QString());
    connect(m_ChkForceBIG5, &EasyButton::Click, this, [this] {
        m_context.settings.ForceBIG5 = m_ChkForceBIG5->ChkValue();
        store(u"Big5", m_context.settings.ForceBIG5 ? u"True" : u"False");
    });
    m_eButton1[2] = makeDialogButton(this, DialogButton::Push, QRect(370, 372, 88, 30), QStringLiteral("Close"));
    connect(m_eButton1[2], &EasyButton::Click, this, &QDialog::accept);
}

void frmPreference::ApplyLanguage()
{
    const LanguageTable &table = m_context.language;
    quillmoth::ApplyLanguage(table, captionBindings(u"frmPreference"),
                             [this](const CaptionBinding &binding, std::u16string_view caption) {
                                 const auto index = std::size_t(binding.index);
                                 if (binding.control == u"eLabel1")
                                     m_eLabel1[index]->setCaption(qtText(caption));
                                 else if (binding.control == u"eButton1")
                                     m_eButton1[index]->setCaption(qtText(caption));
                                 else if (binding.control == u"eOption1")
                                     m_eOption1[index]->setCaption(qtText(caption));
                             });
    const std::u16string_view language = m_context.settings.UserLanguage;
    setWindowTitle(dialogText(DialogText::PreferencesTitle, language));
    m_ChkForceBIG5->setCaption(dialogText(DialogText::ForceBig5, language));
}

void frmPreference::selectOption(int index)
{
    m_eOption1[std::size_t(index)]->setOptValue(true);
}

void frmPreference::RefreshOptions()
{
    const UISettings &settings = m_context.settings;
    selectOption(coverStyleOption(settings.CoverShowStyle));
    selectOption(padSizeOption(settings.padSize));
    selectOption(languageOption(settings.UserLanguage));
    if (!m_eOption1[kTextColorOption]->OptValue())
        selectOption(kGlassColorOption);
    m_swatch->setColor(settings.glassColor);
    m_eLabel1[0]->setCaption(qtPath(settings.DefaultFolder));
    m_ChkForceBIG5->setChkValue(settings.ForceBIG5);
}

void frmPreference::store(std::u16string_view key, std::u16string_view value)
{
    // A value that cannot be stored still holds for the rest of the run; the
    // user hears of it once.
    if (WriteSetting(m_context.document, key, value) || m_toldNotSaved)
        return;
    m_toldNotSaved = true;
    m_ask(QMessageBox::Warning,
          dialogText(DialogText::SettingNotSaved, m_context.settings.UserLanguage),
          QMessageBox::Ok);
}

void frmPreference::OptionClicked(int index)
{
    if (index < 0 || index >= kOptionCount)
        return;
    // A click on the chosen option leaves it chosen.
    selectOption(index);
    UISettings &settings = m_context.settings;
    if (index < kFirstPadSizeOption) {
        settings.CoverShowStyle = kCoverStyles[std::size_t(index)];
        store(u"CoverShowStyle", settings.CoverShowStyle);
        if (m_context.shelf.RefreshCoverRect)
            m_context.shelf.RefreshCoverRect();
    } else if (index < kFirstLanguageOption) {
        settings.padSize = kPadSizes[std::size_t(index - kFirstPadSizeOption)];
        store(u"PadSize", settings.padSize);
    } else if (index < kGlassColorOption) {
        chooseLanguage(index);
    }
}

void frmPreference::chooseLanguage(int index)
{
    const AppFolder &folder = m_context.folder;
    std::u16string name(kLanguages[std::size_t(index - kFirstLanguageOption)]);
    std::filesystem::path path = folder.LanguageFilePath(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        if (name == u"User")
            m_ask(QMessageBox::Information, languageText(m_context.language, u"User.lanNotFound"),
                  QMessageBox::Ok);
        name = u"English";
        path = folder.LanguageFilePath(name);
    }
    LoadLanguage(path, m_context.language);
    m_context.settings.UserLanguage = name;
    selectOption(languageOption(name));
    ApplyLanguage();
    if (m_context.shelf.ApplyLanguage)
        m_context.shelf.ApplyLanguage();
    store(u"UserLanguage", name);
}

void frmPreference::paletteClicked(std::int32_t color)
{
    m_swatch->setColor(color);
    UISettings &settings = m_context.settings;
    const std::string digits = std::to_string(color);
    const std::u16string value(digits.begin(), digits.end());
    if (m_eOption1[kTextColorOption]->OptValue()) {
        settings.foreColor = color;
        store(u"ForeColor", value);
    } else {
        settings.glassColor = color;
        store(u"GlassColor", value);
    }
    if (m_context.shelf.InitBackground)
        m_context.shelf.InitBackground();
}

void frmPreference::DefineDefaultFolder(bool chooseFolder)
{
    // The bookshelf waits to redraw until the choice is made.
    if (m_context.shelf.setRedrawing)
        m_context.shelf.setRedrawing(false);
    if (chooseFolder)
        chooseDefaultFolder();
    else
        chooseBackground();
    if (m_context.shelf.setRedrawing)
        m_context.shelf.setRedrawing(true);
}

void frmPreference::chooseBackground()
{
    UISettings &settings = m_context.settings;
    const QString startFolder = qtPath(settings.backgroundImagePath.parent_path());
    const QString chosen = m_choose.chooseImage ? m_choose.chooseImage(startFolder) : QString();
    if (chosen.isEmpty())
        return;
    const std::filesystem::path picture = pathFromTypedText(chosen.toStdU16String());
    if (isSamePath(picture, settings.backgroundImagePath, m_context.folder.root()))
        return;
    settings.backgroundImagePath = picture;
    if (m_context.shelf.InitBackground)
        m_context.shelf.InitBackground();
    store(u"UIbgImgPath", text::textFromPath(picture));
}

void frmPreference::chooseDefaultFolder()
{
    const QString title = languageText(m_context.language, u"Default Folder");
    std::filesystem::path folder;
    for (;;) {
        const QString chosen =
            m_choose.chooseFolder ? m_choose.chooseFolder(title, QDir::homePath()) : QString();
        if (chosen.isEmpty())
            return; // the default folder stays as it was, and so does the shelf
        folder = pathFromTypedText(chosen.toStdU16String());
        if (hasSubfolder(folder))
            break;
        m_ask(QMessageBox::Information, languageText(m_context.language, u"NoSubfolderFound"),
              QMessageBox::Ok);
    }
    // The old folder's covers go only when the user says so.
    const std::filesystem::path thumbs = m_context.folder.CoverThumbsFolder();
    if (hasThumbnailFiles(thumbs) &&
        m_ask(QMessageBox::Question,
              dialogText(DialogText::DeleteOldThumbnails, m_context.settings.UserLanguage),
              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        deleteThumbnailFiles(thumbs);
    m_context.settings.DefaultFolder = folder;
    if (m_context.shelf.TreeBeDefaultPath)
        m_context.shelf.TreeBeDefaultPath(folder);
    store(u"DefaultFolder", text::textFromPath(folder));
    m_eLabel1[0]->setCaption(qtPath(folder));
}

void frmPreference::done(int result)
{
    // Whatever was interrupted, the bookshelf draws again.
    if (m_context.shelf.setRedrawing)
        m_context.shelf.setRedrawing(true);
    QDialog::done(result);
}

} // namespace quillmoth
