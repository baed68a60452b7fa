#pragma once

#include "controls/message_box.h"
#include "dialogs/dialog_context.h"

#include <QDialog>

#include <array>
#include <cstdint>

namespace quillmoth {

class ColorSwatch;
class EasyButton;
class PaletteBox;

// frmPreference: the preferences. Four groups of option buttons (cover-show
// style, pad size, language, which colour the palette sets), the 48-colour
// palette, the background picture and default folder, and reading every book
// as Big5. Every choice takes effect at once and is written to the settings
// file; there is nothing to confirm.
class frmPreference : public QDialog {
    Q_OBJECT

public:
    explicit frmPreference(DialogContext context, QWidget *parent = nullptr);
    ~frmPreference() override;

    // How the dialog asks and tells, and chooses files; tests answer instead.
    void setMessages(MessageFunction ask) { m_ask = std::move(ask); }
    void setFileChoosers(FileChoosers choosers) { m_choose = std::move(choosers); }

    // Selects the options, the colour and the folder the settings hold.
    // Writes nothing.
    void RefreshOptions();
    // The captions from the language table.
    void ApplyLanguage();

    // A click on option `index` (0 to 14); only while the dialog is shown.
    void OptionClicked(int index);
    // A colour picked from the palette.
    void paletteClicked(std::int32_t color);
    // The background picture (false) or the default folder (true).
    void DefineDefaultFolder(bool chooseFolder);

    EasyButton *eOption1(int index) const { return m_eOption1[std::size_t(index)]; }
    EasyButton *eButton1(int index) const { return m_eButton1[std::size_t(index)]; }
    EasyButton *eLabel1(int index) const { return m_eLabel1[std::size_t(index)]; }
    EasyButton *ChkForceBIG5() const { return m_ChkForceBIG5; }
    PaletteBox *Picture1() const { return m_Picture1; }
    ColorSwatch *swatch() const { return m_swatch; }

    static constexpr int kOptionCount = 15;

protected:
    void done(int result) override;

private:
    void createControls();
    void selectOption(int index);
    void chooseLanguage(int index);
    void chooseBackground();
    void chooseDefaultFolder();
    void store(std::u16string_view key, std::u16string_view value);

    DialogContext m_context;
    MessageFunction m_ask;
    FileChoosers m_choose;

    std::array<EasyButton *, kOptionCount> m_eOption1{};
    std::array<EasyButton *, 3> m_eButton1{};
    std::array<EasyButton *, 6> m_eLabel1{};
    EasyButton *m_ChkForceBIG5 = nullptr;
    PaletteBox *m_Picture1 = nullptr;
    ColorSwatch *m_swatch = nullptr;
    bool m_toldNotSaved = false;
};

} // namespace quillmoth
