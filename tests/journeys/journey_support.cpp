#include "journey_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fstream>
#include <unistd.h>
#include <thread>

namespace quillmoth::journeys {

namespace fs = std::filesystem;

namespace {

QString g_display;

QString pathText(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

void xdotool(const QStringList &arguments)
{
    run(QStringLiteral("xdotool"), arguments);
}

QStringList point(QPoint at)
{
    return {QString::number(at.x()), QString::number(at.y())};
}

} // namespace

bool XServer::ensureRunning()
{
    // Ended politely when the tests end, so that it takes its lock with it.
    struct Server {
        QProcess process;
        ~Server()
        {
            process.terminate();
            process.waitForFinished(3000);
        }
    };
    static std::unique_ptr<Server> server;
    if (server)
        return true;
    for (const char *tool : {"Xvfb", "xdotool", "xclip"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            ADD_FAILURE() << tool << " is missing: run scripts/install-deps.sh";
            return false;
        }
    }
    // A display of its own, away from the low numbers a desktop uses; Xvfb
    // says on its output when it is ready (or ends when the number is taken).
    std::unique_ptr<Server> started;
    QByteArray number;
    for (int attempt = 0; attempt < 20 && !started; ++attempt) {
        auto candidate = std::make_unique<Server>();
        candidate->process.setStandardErrorFile(QDir::tempPath() +
                                                QStringLiteral("/quillmoth-journey-xvfb-%1.log")
                                                    .arg(QCoreApplication::applicationPid()));
        const int display = 100 + int((QCoreApplication::applicationPid() + attempt * 37) % 800);
        candidate->process.start(QStringLiteral("Xvfb"),
                                 {QStringLiteral(":%1").arg(display), QStringLiteral("-displayfd"),
                                  QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                                  QStringLiteral("%1x%2x24")
                                      .arg(screenSize().width())
                                      .arg(screenSize().height()),
                                  QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                  // Without it the server starts afresh whenever its last
                                  // client leaves, and a program connecting just then
                                  // finds no server.
                                  QStringLiteral("-noreset")});
        number.clear();
        const bool ready = waitFor(
            [&] {
                candidate->process.waitForReadyRead(100);
                number += candidate->process.readAllStandardOutput();
                return number.contains('\n') ||
                       candidate->process.state() == QProcess::NotRunning;
            },
            15s);
        if (ready && number.contains('\n'))
            started = std::move(candidate);
    }
    if (!started) {
        ADD_FAILURE() << "no X server could be started";
        return false;
    }
    g_display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", g_display.toLocal8Bit());
    server = std::move(started);
    return true;
}

QString XServer::display()
{
    return g_display;
}

std::optional<QString> run(const QString &program, const QStringList &arguments,
                           std::chrono::milliseconds timeout)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(int(timeout.count()))) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool waitFor(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(50ms);
    }
}

QStringList windowIds(const QString &namePattern)
{
    const std::optional<QString> ids =
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), namePattern});
    return ids ? ids->trimmed().split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList();
}

std::optional<Window> findWindow(const QString &namePattern, std::chrono::milliseconds timeout)
{
    std::optional<Window> found;
    waitFor(
        [&] {
            const QStringList ids = windowIds(namePattern);
            if (ids.isEmpty())
                return false;
            const std::optional<QString> shell =
                run(QStringLiteral("xdotool"),
                    {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), ids.last()});
            if (!shell)
                return false;
            QRect geometry;
            for (const QString &line : shell->split(QLatin1Char('\n'))) {
                const int value = line.section(QLatin1Char('='), 1).toInt();
                if (line.startsWith(QLatin1String("X=")))
                    geometry.moveLeft(value);
                else if (line.startsWith(QLatin1String("Y=")))
                    geometry.moveTop(value);
                else if (line.startsWith(QLatin1String("WIDTH=")))
                    geometry.setWidth(value);
                else if (line.startsWith(QLatin1String("HEIGHT=")))
                    geometry.setHeight(value);
            }
            // A window is there once it has its size.
            if (geometry.width() <= 1)
                return false;
            found = Window{ids.last(), geometry};
            return true;
        },
        timeout);
    return found;
}

bool windowGone(const QString &namePattern, std::chrono::milliseconds timeout)
{
    return waitFor([&] { return windowIds(namePattern).isEmpty(); }, timeout);
}

void moveTo(QPoint at)
{
    xdotool(QStringList{QStringLiteral("mousemove")} + point(at));
}

void click(QPoint at, int button)
{
    xdotool(QStringList{QStringLiteral("mousemove")} + point(at) +
            QStringList{QStringLiteral("click"), QString::number(button)});
}

void drag(QPoint from, QPoint to, int button)
{
    moveTo(from);
    xdotool({QStringLiteral("mousedown"), QString::number(button)});
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step) {
        std::this_thread::sleep_for(30ms);
        moveTo(from + (to - from) * step / kSteps);
    }
    std::this_thread::sleep_for(60ms);
    xdotool({QStringLiteral("mouseup"), QString::number(button)});
}

void key(const Window &window, const QString &keys)
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window.id});
    xdotool({QStringLiteral("key"), keys});
}

void wheel(QPoint at, int notches)
{
    moveTo(at);
    const QString button = notches > 0 ? QStringLiteral("4") : QStringLiteral("5");
    for (int i = 0; i < std::abs(notches); ++i) {
        xdotool({QStringLiteral("click"), button});
        std::this_thread::sleep_for(80ms);
    }
}

bool setClipboard(const QString &text)
{
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
    if (!xclip.waitForStarted())
        return false;
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    return xclip.waitForFinished(5000) && xclip.exitCode() == 0;
}

QImage screenshot()
{
    const QString file = QDir::tempPath() + QStringLiteral("/quillmoth-journey-%1.png")
                                                .arg(QCoreApplication::applicationPid());
    if (!run(QStringLiteral(QUILLMOTH_JOURNEY_GRAB), {file}))
        return {};
    QImage image(file);
    QFile::remove(file);
    return image.convertToFormat(QImage::Format_RGB32);
}

void keepScreenshot(const char *name, const QRect &region)
{
    const QString folder = qEnvironmentVariable("QUILLMOTH_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    screenshot().copy(region).save(folder + QLatin1Char('/') + QString::fromLatin1(name) +
                                       QStringLiteral(".jpg"),
                                   "JPEG", 85);
}

bool isReddish(QRgb pixel)
{
    return qRed(pixel) > 110 && qGreen(pixel) < 90 && qBlue(pixel) < 100;
}

bool sameRegion(const QImage &a, const QImage &b, const QRect &region)
{
    if (a.isNull() || b.isNull())
        return false;
    return a.copy(region) == b.copy(region);
}

bool settled(const Window &window, std::chrono::milliseconds timeout)
{
    QImage last = screenshot();
    return waitFor(
        [&] {
            std::this_thread::sleep_for(250ms);
            QImage now = screenshot();
            const bool same = sameRegion(now, last, window.geometry);
            last = std::move(now);
            return same;
        },
        timeout);
}

// ---------------------------------------------------------------------------

App::App()
{
    const QString folder = pathText(m_folder.path());
    run(QStringLiteral(QUILLMOTH_ASSEMBLER), {QStringLiteral(QUILLMOTH_RESOURCES), folder});
    fs::copy_file(QUILLMOTH_PROGRAM, m_folder.path() / "quillmoth");
    fs::create_directories(m_folder.path() / "home");
    fs::create_directories(m_folder.path() / "runtime");
    fs::permissions(m_folder.path() / "runtime", fs::perms::owner_all);
}

App::~App()
{
    stop();
}

void App::setSetting(const std::string &key, const std::string &value)
{
    std::ifstream in(settingsFile(), std::ios::binary);
    std::string xml((std::istreambuf_iterator<char>(in)), {});
    const std::size_t start = xml.find("<" + key + ">") + key.size() + 2;
    xml.replace(start, xml.find('<', start) - start, value);
    std::ofstream(settingsFile(), std::ios::binary) << xml;
}

void App::runAsNobody()
{
    m_asNobody = ::geteuid() == 0;
    if (!m_asNobody)
        return;
    for (const char *folder : {"home", "runtime"}) {
        const fs::path path = this->folder() / folder;
        ::chown(path.c_str(), 65534, 65534);
    }
}

fs::path App::settingsInUse() const
{
    return m_asNobody ? folder() / "home" / ".local/share/quillmoth/Settings/UIsettings.xml"
                      : settingsFile();
}

void App::start(const QStringList &arguments)
{
    m_process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), XServer::display());
    environment.insert(QStringLiteral("HOME"), pathText(folder() / "home"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), pathText(folder() / "runtime"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    m_process->setProcessEnvironment(environment);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (m_asNobody) {
        m_process->start(QStringLiteral("setpriv"),
                         QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                     QStringLiteral("--clear-groups"), QStringLiteral("--"),
                                     pathText(folder() / "quillmoth")} +
                             arguments);
    } else {
        m_process->start(pathText(folder() / "quillmoth"), arguments);
    }
    m_process->waitForStarted();
}

std::optional<Window> App::startShelf()
{
    start();
    std::optional<Window> shelfWindow = findWindow(QStringLiteral("^Quillmoth v1305$"), 20s);
    // The folder is listed in the background: the shelf is ready for the
    // user once its first book stands on it.
    if (shelfWindow) {
        const QPoint binding = shelfWindow->geometry.topLeft() + shelf::cover(0) + QPoint(-7, -47);
        if (!waitFor([&] { return isReddish(screenshot().pixel(binding)); }, 20s))
            return std::nullopt;
    }
    return shelfWindow;
}

std::optional<int> App::startAgainAndWait()
{
    QProcess second;
    QProcessEnvironment environment = m_process->processEnvironment();
    second.setProcessEnvironment(environment);
    second.start(pathText(folder() / "quillmoth"), {});
    if (!second.waitForFinished(10000)) {
        second.kill();
        second.waitForFinished();
        return std::nullopt;
    }
    return second.exitCode();
}

void App::stop()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished(5000);
    m_process.reset();
    // Let the server forget the windows before the next journey looks.
    windowGone(QStringLiteral("Quillmoth"), 3s);
}

bool App::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

QString App::howItEnded() const
{
    if (!m_process || m_process->state() != QProcess::NotRunning)
        return {};
    return m_process->exitStatus() == QProcess::CrashExit
               ? QStringLiteral("crashed")
               : QStringLiteral("ended with status %1").arg(m_process->exitCode());
}

// ---------------------------------------------------------------------------

QPoint shelf::cover(int index)
{
    const int column = index % 4;
    const int row = index / 4;
    return {240 + 20 + column * 115 + 47, 45 + 35 + row * 170 + 67};
}

QPoint shelf::treeRow(int row)
{
    return {100, 56 + row * 20};
}

void Journey::SetUp()
{
    if (!XServer::ensureRunning())
        GTEST_SKIP() << "no X server";
}

void Journey::TearDown()
{
    if (HasFailure()) {
        if (!app.howItEnded().isEmpty())
            std::printf("the program %s\n", qPrintable(app.howItEnded()));
        QFile log(QDir::tempPath() + QStringLiteral("/quillmoth-journey-xvfb-%1.log")
                                         .arg(QCoreApplication::applicationPid()));
        if (log.open(QIODevice::ReadOnly))
            std::printf("the X server said:\n%s\n", log.readAll().constData());
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        const fs::path folder = QUILLMOTH_JOURNEY_FAILURES;
        fs::create_directories(folder);
        const fs::path file = folder / (std::string(test->name()) + ".png");
        if (screenshot().save(pathText(file)))
            std::printf("the screen when the journey failed: %s\n", file.c_str());
    }
    app.stop();
}

bool Journey::openSampleBook()
{
    shelfWindow = app.startShelf();
    if (shelfWindow)
        reader = openBookFromShelf(*shelfWindow, 1, QStringLiteral("山居秋暝录.txt"));
    return reader.has_value();
}

bool Journey::settingSaved(const std::string &key, const std::string &value) const
{
    return waitFor([&] {
        return testing::readFile(app.settingsFile()).find("<" + key + ">" + value + "<") !=
               std::string::npos;
    });
}

std::optional<Window> Journey::openBookFromShelf(const Window &onShelf, int cover,
                                                 const QString &bookName)
{
    const QPoint at = onShelf.geometry.topLeft() + shelf::cover(cover);
    drag(at, at - QPoint(45, 0));
    const std::optional<Window> opened =
        findWindow(QRegularExpression::escape(bookName) + QStringLiteral(" - Quillmoth$"));
    // The pad takes no input until its book is made and shown.
    if (opened)
        settled(*opened);
    return opened;
}

} // namespace quillmoth::journeys
