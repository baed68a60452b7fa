#include "dialogs/dialog_context.h"

#include <QFileDialog>

namespace quillmoth {

FileChoosers platformFileChoosers(QWidget *owner)
{
    FileChoosers choosers;
    choosers.chooseImage = [owner](const QString &folder) {
        return QFileDialog::getOpenFileName(
            owner, QStringLiteral("Open"), folder,
            QStringLiteral("File type: (*.jpg *.png);;All Types: (*)"));
    };
    choosers.chooseFolder = [owner](const QString &title, const QString &folder) {
        return QFileDialog::getExistingDirectory(owner, title, folder,
                                                 QFileDialog::ShowDirsOnly);
    };
    return choosers;
}

QString languageText(const LanguageTable &language, std::u16string_view key)
{
    return QString::fromStdU16String(language.textOrKey(key));
}

} // namespace quillmoth
