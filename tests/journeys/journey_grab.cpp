// Saves a picture of the whole X screen, for the journeys' pixel probes and
// the screenshots a failed journey leaves behind.
// Usage: journey_grab FILE.png   (on the display DISPLAY names)

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: journey_grab FILE.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG"))
        return 1;
    return 0;
}
