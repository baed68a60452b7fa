// Quillmoth: a reader for plain-text books. `quillmoth FILE.txt` opens that
// book in the reading window.

#include "app/app_state.h"

#include "platform/single_instance.h"
#include "reader/frm_reader.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>

using namespace quillmoth;

namespace {

// Without a display Qt would abort with a message about its platform plugin;
// say plainly what is missing instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

void showSettingsError(const SettingsErrorReport &report)
{
    QMessageBox::warning(nullptr, QApplication::applicationDisplayName(),
                         QString::fromStdU16String(report.message));
}

} // namespace

int main(int argc, char **argv)
{
    if (!hasDisplay()) {
        std::fputs("quillmoth: no display to open a window on (neither DISPLAY nor "
                   "WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmoth"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillmoth"));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: quillmoth FILE.txt\n", stderr);
        return 2;
    }
    const QFileInfo book(arguments.at(1));
    if (!book.isFile()) {
        std::fprintf(stderr, "quillmoth: %s is not a file\n", qPrintable(arguments.at(1)));
        return 2;
    }

    AppState state(AppFolder::fromExecutable(QApplication::applicationFilePath().toStdU16String()),
                   AnsiCodePage::fromEnvironment());
    SingleInstance instance(state.folder);
    if (instance.acquire() == SingleInstance::Status::AlreadyRunning)
        return 0;
    loadAppState(state, showSettingsError);

    auto *window = new frmReader(state.readerContext());
    QObject::connect(window, &frmReader::closed, &application, [] { QApplication::quit(); });
    window->load(book.absoluteFilePath().toStdU16String());
    return QApplication::exec();
}
