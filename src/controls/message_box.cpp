#include "controls/message_box.h"

#include <QWidget>

namespace quillmoth {

MessageFunction messageBoxOver(QWidget *owner)
{
    return
        [owner](QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons) {
            QMessageBox box(icon, owner->window()->windowTitle(), text, buttons, owner->window());
            return QMessageBox::StandardButton(box.exec());
        };
}

} // namespace quillmoth
