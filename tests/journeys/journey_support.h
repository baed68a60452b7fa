#pragma once

#include "../support/scratch_folder.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillmoth::journeys {

using namespace std::chrono_literals;

// The X server the journeys run on: an Xvfb of their own, started once for
// the whole test program, so that nothing else on the machine is touched.
class XServer {
public:
    // Starts it (once); false when Xvfb or xdotool cannot be found or started.
    static bool ensureRunning();
    static QString display();
    static QSize screenSize() { return {1280, 1024}; }
};

// Runs a command and waits for it; the standard output, or nothing when it
// failed or did not end within the time.
std::optional<QString> run(const QString &program, const QStringList &arguments,
                           std::chrono::milliseconds timeout = 10s);

// A window on the X server.
struct Window {
    QString id;
    QRect geometry; // where the window's inside lies on the screen
};

// The visible window whose name matches the regular expression, waiting
// up to `timeout` for it to appear.
std::optional<Window> findWindow(const QString &namePattern, std::chrono::milliseconds timeout = 10s);
// Whether no visible window matches, waiting up to `timeout` for that.
bool windowGone(const QString &namePattern, std::chrono::milliseconds timeout = 5s);
// The visible windows whose names match, oldest first.
QStringList windowIds(const QString &namePattern);

// Real input through the X server (xdotool), at screen coordinates.
void moveTo(QPoint point);
void click(QPoint point, int button = 1);
// Press at `from`, move in small steps to `to`, release there.
void drag(QPoint from, QPoint to, int button = 1);
// Keys go to the window that has the input focus: without a window manager
// nothing gives it to a new window, so the journey gives it first.
void key(const Window &window, const QString &keys);
// Wheel notches at a point: positive away from the user (up), negative toward.
void wheel(QPoint point, int notches);
// Puts text on the clipboard (xclip serves it until another owner takes it).
bool setClipboard(const QString &text);

// A picture of the whole screen.
QImage screenshot();
// Keeps a picture of a window for the README when QUILLMOTH_SCREENSHOTS
// names a folder: <folder>/<name>.jpg.
void keepScreenshot(const char *name, const QRect &region);

// Whether `condition` holds within `timeout`, asking every 50 ms.
bool waitFor(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 5s);

// Colours, loosely: probes are about what kind of pixel stands there, not
// about exact values that fonts and scaling change.
bool isReddish(QRgb pixel);
// Whether two regions of two screenshots hold the same pixels.
bool sameRegion(const QImage &a, const QImage &b, const QRect &region);
// Waits until the window's picture stops changing (a book has opened, an
// animation has ended); false when it still changes after `timeout`.
bool settled(const Window &window, std::chrono::milliseconds timeout = 10s);

// A fresh application folder assembled from the sources, with the program
// beside it, and the program running in it.
class App {
public:
    App();
    ~App();

    const std::filesystem::path &folder() const { return m_folder.path(); }
    std::filesystem::path settingsFile() const { return folder() / "Settings" / "UIsettings.xml"; }
    std::filesystem::path books() const { return folder() / "我的藏书"; }

    // Replaces one element's text in the settings file (before a start).
    void setSetting(const std::string &key, const std::string &value);

    // Runs the program as the unprivileged user "nobody" (when the journeys
    // run as root, as CI does), for whom permissions mean something. Its
    // settings then live in its own data folder, as for any user who cannot
    // write the program's folder.
    void runAsNobody();
    // The settings file the running program uses.
    std::filesystem::path settingsInUse() const;

    // Starts the program with these arguments.
    void start(const QStringList &arguments = {});
    // Starts it and waits for the bookshelf with its first book (a default
    // cover); nothing when it did not come.
    std::optional<Window> startShelf();
    // A second program in the same folder; its exit code, or nothing when it
    // did not end.
    std::optional<int> startAgainAndWait();
    // Ends the program.
    void stop();
    bool isRunning() const;
    // How the program ended when it ended by itself; empty while it runs or
    // when it never started.
    QString howItEnded() const;

private:
    quillmoth::testing::ScratchFolder m_folder;
    std::unique_ptr<QProcess> m_process;
    bool m_asNobody = false;
};

// The bookshelf's fixed places, inside its window.
namespace shelf {
inline constexpr QPoint kClipboardButton{736 - 4 * 28 - 6 + 28 + 12, 13};
inline constexpr QPoint kPreferencesButton{736 - 4 * 28 - 6 + 2 * 28 + 12, 13};
inline constexpr QPoint kThemeHeading{60, 32};
inline constexpr QPoint kApplyTheme{41, 272};
// The middle of a cover on the shelf, by its index.
QPoint cover(int index);
// A tree row, 0 for the first.
QPoint treeRow(int row);
} // namespace shelf

// The base of every journey: a running X server, a fresh application folder,
// and a screenshot left behind when the journey fails.
class Journey : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a book from the shelf by pressing on its cover, dragging left
    // and letting go; the reading window, or nothing.
    std::optional<Window> openBookFromShelf(const Window &onShelf, int cover,
                                            const QString &bookName);
    // Starts the shelf and opens the sample book 山居秋暝录 into `shelfWindow`
    // and `reader`; whether both came.
    bool openSampleBook();
    // Waits until the settings file holds this value for the key.
    bool settingSaved(const std::string &key, const std::string &value) const;

    std::optional<Window> shelfWindow;
    std::optional<Window> reader;

    App app;
};

} // namespace quillmoth::journeys
