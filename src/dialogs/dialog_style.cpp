#include "dialogs/dialog_style.h"

#include "controls/easy_button.h"
#include "platform/colors.h"

#include <QWidget>

namespace quillmoth {

EasyButton *makeDialogButton(QWidget *parent, DialogButton kind, const QRect &geometry,
                             const QString &caption)
{
    auto *button = new EasyButton(parent);
    button->setBtnStyle(int(kind));
    button->setGeometry(geometry);
    button->setCaption(caption);
    button->setBackColor(kDialogBackColor);
    // Push buttons centre their captions; the others stand left, mid-height.
    button->setAlign(kind == DialogButton::Push ? 0 : 3);
    if (kind != DialogButton::Push) {
        button->setBGstyle(1);
        button->setBorderStyle(0);
        button->setUseSound(0);
    }
    return button;
}

void setDialogBackground(QWidget *dialog)
{
    dialog->setAutoFillBackground(true);
    QPalette colors = dialog->palette();
    colors.setColor(QPalette::Window, colorFromValue(kDialogBackColor));
    dialog->setPalette(colors);
}

} // namespace quillmoth
