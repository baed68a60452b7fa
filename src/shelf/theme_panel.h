#pragma once

#include "settings/theme_list.h"
#include "shelf/shelf_context.h"
#include "controls/message_box.h"

#include <QWidget>

#include <array>

class QLabel;
class QListWidget;

namespace quillmoth {

class EasyButton;

// Frame1: the theme panel of the bookshelf. Closed it shows its heading only;
// a press on it opens it over the tree with the theme list and the buttons
// Apply, Modify, Delete and New.
class ThemePanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 220;
    static constexpr int kClosedHeight = 23;
    static constexpr int kOpenHeight = 300;

    ThemePanel(const ShelfContext &context, QWidget *parent = nullptr);

    // FlushThemeList: refills the list and selects `name`; false when the
    // themes folder cannot be read.
    bool FlushThemeList(std::u16string_view name);

    bool isOpen() const { return height() > kClosedHeight; }
    void setOpen(bool open);
    void toggle();

    // The texts of the heading, the buttons and the "Current" label.
    void applyLanguage();

    const ThemeList &themes() const { return m_list; }
    QListWidget *List1() const { return m_List1; }
    EasyButton *BtnTheme(int index) const { return m_BtnTheme[std::size_t(index)]; }
    QLabel *lblThemeLabel(int index) const { return m_lblThemeLabel[std::size_t(index)]; }

    // How the panel asks before deleting and tells of a refusal.
    void setMessages(MessageFunction ask) { m_ask = std::move(ask); }

    // The four commands, as the buttons run them.
    void apply();
    void modify();
    void remove();
    void createNew();

signals:
    // The current theme changed (Apply).
    void themeApplied();
    // Modify and New: the theme editor is to open with this request.
    void editorRequested(const quillmoth::ThemeEditorRequest &request);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showList();
    void listClicked(int row);
    void setButtons(const ThemeButtons &buttons);
    bool busy() const;

    const ShelfContext m_context;
    ThemeList m_list;
    std::array<QLabel *, 2> m_lblThemeLabel{};
    QListWidget *m_List1;
    std::array<EasyButton *, 4> m_BtnTheme{};
    MessageFunction m_ask;
};

} // namespace quillmoth
