#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace quillmoth {

// How a window asks and tells the user: a message box over a window,
// titled with its caption. Tests put their own answerer in its place.
using MessageFunction = std::function<QMessageBox::StandardButton(
    QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)>;

// A modal message box over the window of `owner`, titled with its caption.
MessageFunction messageBoxOver(QWidget *owner);

} // namespace quillmoth
