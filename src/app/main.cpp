// Quillmoth: a reader for plain-text books. `quillmoth` shows the bookshelf;
// `quillmoth FILE.txt` opens that book in the reading window first, and the
// bookshelf follows when it closes.

#include "app/app_state.h"

#include "platform/single_instance.h"
#include "reader/frm_reader.h"
#include "shelf/frm_main.h"
#include "shelf/shelf_startup.h"
#include "text/app_folder_choice.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace quillmoth;

namespace {

// Without a display Qt would abort with a message about its platform plugin;
// say plainly what is missing instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// While Qt connects to the display, its complaints about a display it cannot
// reach end in an abort with a page about plugins; say it in one line instead.
void startupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY")
                                                                         : qgetenv("WAYLAND_DISPLAY");
        std::fprintf(stderr, "quillmoth: cannot open a window: the display \"%s\" cannot be reached\n",
                     display.constData());
        std::_Exit(1);
    }
    if (context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
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
    const QtMessageHandler standardMessages = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(standardMessages);
    QApplication::setApplicationName(QStringLiteral("Quillmoth"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/quillmoth.png")));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 2) {
        std::fputs("usage: quillmoth [FILE.txt]\n", stderr);
        return 2;
    }
    QString bookPath;
    if (arguments.size() == 2) {
        const QFileInfo book(arguments.at(1));
        if (!book.isFile()) {
            std::fprintf(stderr, "quillmoth: %s is not a file\n", qPrintable(arguments.at(1)));
            return 2;
        }
        bookPath = book.absoluteFilePath();
    }

    // Installed where the user cannot write, the program keeps the user's
    // settings in the user's own data folder.
    const std::filesystem::path programFolder =
        AppFolder::fromExecutable(QApplication::applicationFilePath().toStdU16String()).root();
    AppState state(chooseAppFolder(programFolder, canKeepSettingsIn(programFolder),
                                   userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))),
                   AnsiCodePage::fromEnvironment());
    SingleInstance instance(state.folder);
    if (instance.acquire() == SingleInstance::Status::AlreadyRunning)
        return 0;

    std::unique_ptr<frmMain> shelf;
    const auto showShelf = [&] {
        shelf = std::make_unique<frmMain>(state.shelfContext());
        shelf->show();
        shelf->Form_Load();
    };
    if (bookPath.isEmpty()) {
        showShelf();
    } else {
        loadShelfStartup(state.shelfContext(), showSettingsError);
        auto *window = new frmReader(state.readerContext());
        QObject::connect(window, &frmReader::closed, &application, [&] { showShelf(); });
        window->load(bookPath.toStdU16String());
    }
    return QApplication::exec();
}
