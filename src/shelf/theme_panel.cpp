#include "shelf/theme_panel.h"

#include "platform/qt_text.h"

#include "controls/easy_button.h"
#include "settings/theme_file.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

namespace quillmoth {

namespace {

} // namespace

ThemePanel::ThemePanel(const ShelfContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_List1(new QListWidget(this)),
      m_ask(messageBoxOver(this))
{
    resize(kWidth, kClosedHeight);
    for (int i = 0; i < 2; ++i) {
        m_lblThemeLabel[std::size_t(i)] = new QLabel(this);
        m_lblThemeLabel[std::size_t(i)]->setTextFormat(Qt::PlainText);
    }
    m_lblThemeLabel[0]->setGeometry(8, 0, kWidth - 16, kClosedHeight);
    m_lblThemeLabel[0]->setStyleSheet(
        QStringLiteral("color: rgb(230, 230, 230); font-weight: bold;"));
    // A click on the heading opens and closes the panel like a press on it.
    m_lblThemeLabel[0]->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblThemeLabel[1]->setGeometry(8, 272, kWidth - 16, 20);
    m_lblThemeLabel[1]->setStyleSheet(QStringLiteral("color: rgb(230, 230, 230);"));

    m_List1->setGeometry(6, kClosedHeight + 2, kWidth - 12, 206);
    connect(m_List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { listClicked(m_List1->row(item)); });
    // Choosing with the keys selects as a click does, so Apply takes the
    // theme the user sees highlighted.
    connect(m_List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_List1->hasFocus())
            listClicked(row);
    });

    static constexpr const char16_t *kCaptions[] = {u"Apply", u"Modify", u"Delete", u"New"};
    for (int i = 0; i < 4; ++i) {
        auto *button = new EasyButton(this);
        button->setCaption(qtText(kCaptions[i]));
        button->setAlign(0);
        button->setGeometry(6 + i * 52, 238, 50, 26);
        m_BtnTheme[std::size_t(i)] = button;
    }
    connect(m_BtnTheme[0], &EasyButton::Click, this, &ThemePanel::apply);
    connect(m_BtnTheme[1], &EasyButton::Click, this, &ThemePanel::modify);
    connect(m_BtnTheme[2], &EasyButton::Click, this, &ThemePanel::remove);
    connect(m_BtnTheme[3], &EasyButton::Click, this, &ThemePanel::createNew);
}

void ThemePanel::applyLanguage()
{
    ApplyLanguage(m_context.language, captionBindings(u"frmMain"),
                  [this](const CaptionBinding &binding, std::u16string_view caption) {
                      if (binding.control == u"lblThemeLabel" && binding.index == 0)
                          m_lblThemeLabel[0]->setText(qtText(caption));
                      else if (binding.control == u"BtnTheme")
                          m_BtnTheme[std::size_t(binding.index)]->setCaption(qtText(caption));
                  });
    m_list.currentCaption =
        currentThemeCaption(m_context.language, m_context.settings.CurrentTheme);
    m_lblThemeLabel[1]->setText(qtText(m_list.currentCaption));
}

bool ThemePanel::busy() const
{
    return m_context.flags.IsRefreshing;
}

bool ThemePanel::FlushThemeList(std::u16string_view name)
{
    ThemeContext themes = m_context.themeContext();
    const bool listed = quillmoth::FlushThemeList(name, m_list, themes, m_context.language);
    showList();
    return listed;
}

void ThemePanel::showList()
{
    m_List1->clear();
    for (const std::u16string &name : m_list.names)
        m_List1->addItem(qtText(name));
    if (m_list.selected >= 0)
        m_List1->setCurrentRow(m_list.selected);
    m_lblThemeLabel[1]->setText(qtText(m_list.currentCaption));
}

void ThemePanel::setOpen(bool open)
{
    if (open == isOpen())
        return;
    if (open) {
        // Opening shows the current theme selected.
        const auto found =
            std::find(m_list.names.begin(), m_list.names.end(), m_context.settings.CurrentTheme);
        if (found != m_list.names.end()) {
            m_list.selected = int(found - m_list.names.begin());
            m_List1->setCurrentRow(m_list.selected);
        }
        raise();
    }
    resize(kWidth, open ? kOpenHeight : kClosedHeight);
}

void ThemePanel::toggle()
{
    setOpen(!isOpen());
}

void ThemePanel::mousePressEvent(QMouseEvent *event)
{
    // A press that a child let through (the transparent part of a skinned
    // button) is not a press on the panel.
    if (childAt(event->position().toPoint()) != nullptr &&
        childAt(event->position().toPoint()) != m_lblThemeLabel[0]) {
        event->accept();
        return;
    }
    if (!busy())
        toggle();
}

void ThemePanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(30, 42, 48, 235));
    painter.setPen(QColor(25, 120, 120));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawLine(0, kClosedHeight - 1, width(), kClosedHeight - 1);
}

void ThemePanel::listClicked(int row)
{
    if (row < 0 || row >= int(m_list.names.size()))
        return;
    m_list.selected = row;
    setButtons(themeButtonsFor(m_list.names[std::size_t(row)], m_context.settings.CurrentTheme));
}

void ThemePanel::setButtons(const ThemeButtons &buttons)
{
    m_BtnTheme[1]->setEnabled(buttons.modifyEnabled);
    m_BtnTheme[2]->setEnabled(buttons.deleteEnabled);
}

void ThemePanel::apply()
{
    if (busy() || !m_list.selectedName())
        return;
    ThemeContext themes = m_context.themeContext();
    const std::optional<ThemeButtons> buttons =
        applySelectedTheme(m_list, themes, m_context.language);
    // A theme whose file vanished loads as the default one: list what is
    // there now, so the list and the caption agree.
    FlushThemeList(m_context.settings.CurrentTheme);
    if (buttons)
        setButtons(*buttons);
    emit themeApplied();
}

void ThemePanel::modify()
{
    if (busy() || !m_list.selectedName())
        return;
    emit editorRequested(modifyThemeRequest(m_context.settings));
}

void ThemePanel::createNew()
{
    if (busy())
        return;
    const std::optional<ThemeEditorRequest> request = newThemeRequest(m_list, m_context.settings);
    if (!request)
        return;
    // The new theme starts from the selected one: its values, not the ones
    // of the theme in use.
    ThemeContext themes = m_context.themeContext();
    GetThmSettings(themeFilePath(themes.ThemesFolder, m_context.settings.CurrentTheme), themes);
    emit editorRequested(*request);
}

void ThemePanel::remove()
{
    if (busy())
        return;
    const std::optional<ThemeDeletePrompt> prompt =
        themeDeletePrompt(m_list, m_context.settings, m_context.language);
    if (!prompt)
        return;
    if (prompt->refused) {
        m_ask(QMessageBox::Information, qtText(prompt->message), QMessageBox::Ok);
        return;
    }
    if (m_ask(QMessageBox::Question, qtText(prompt->message), QMessageBox::Ok | QMessageBox::Cancel) !=
        QMessageBox::Ok)
        return;
    ThemeContext themes = m_context.themeContext();
    if (deleteSelectedTheme(m_list, themes))
        showList();
}

} // namespace quillmoth
