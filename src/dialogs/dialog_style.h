#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace quillmoth {

class EasyButton;

// The look the two dialogs share: a warm light grey, flat option buttons and
// check boxes, and captions that stand to the left.

// The dialogs' grey as a colour value (B G R): red 240, green 236, blue 228.
inline constexpr int kDialogBackColor = 0xE4ECF0;

enum class DialogButton { Push = 0, Caption = 1, CheckBox = 2, Option = 3 };

// An EasyButton of that kind with a caption, placed in `parent`.
EasyButton *makeDialogButton(QWidget *parent, DialogButton kind, const QRect &geometry,
                             const QString &caption = {});

// Gives a dialog its background.
void setDialogBackground(QWidget *dialog);

} // namespace quillmoth
