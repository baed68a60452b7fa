// The whole program as a user meets it: the real quillmoth started on a
// fresh application folder under an X server of its own, driven with real
// mouse and key input (xdotool), judged by what the screen shows and what
// lands on disk. A failed journey leaves its screen in journey-failures/.

#include "journey_support.h"

#include <QColor>
#include <QImage>

#include <fstream>
#include <thread>

namespace quillmoth::journeys {
namespace {

namespace fs = std::filesystem;

constexpr const char *kBook = "山居秋暝录";
const QString kBookWindow = QStringLiteral("山居秋暝录.txt");

using testing::readFile;

void writePicture(const fs::path &path, QColor color)
{
    fs::create_directories(path.parent_path());
    QImage picture(90, 135, QImage::Format_RGB32);
    picture.fill(color);
    picture.save(QString::fromStdString(path.string()), "JPEG");
}

void writeBooks(const fs::path &folder, int count)
{
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "Volume %02d.txt", i + 1);
        std::ofstream(folder / name, std::ios::binary)
            << std::string(400, char('a' + i % 26)) << "\r\n";
    }
}

// The average brightness of a region, 0 to 255.
int brightness(const QImage &image, const QRect &region)
{
    long long sum = 0;
    long long count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            sum += (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
            ++count;
        }
    }
    return count == 0 ? 0 : int(sum / count);
}

bool hasReddishPixel(const QImage &image, const QRect &region)
{
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            if (isReddish(image.pixel(x, y)))
                return true;
        }
    }
    return false;
}

// The reading window's spread, where page turns show.
QRect spreadArea(const Window &reader)
{
    return reader.geometry.adjusted(40, 40, -40, -40);
}

// Waits until the spread shows something other than `before`.
bool spreadChanges(const Window &reader, const QImage &before)
{
    return waitFor([&] { return !sameRegion(screenshot(), before, spreadArea(reader)); }, 5s);
}

// Waits until the spread shows `before` again (a turn has its animation).
bool spreadReturns(const Window &reader, const QImage &before)
{
    return waitFor([&] { return sameRegion(screenshot(), before, spreadArea(reader)); }, 5s);
}

// Where the pointer rests while pictures are compared: over the pad, away
// from its edges and its side panel.
QPoint restingPoint(const Window &reader)
{
    return reader.geometry.center() + QPoint(0, reader.geometry.height() / 3);
}

TEST_F(Journey, FirstStartWritesItsPicturesAndLeavesTheSettingsAsShipped)
{
    const std::string shipped = readFile(app.settingsFile());
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    for (const char *picture : {"Cvr.dat", "ShfT.dat", "ShfL.dat", "ShfM.dat"})
        EXPECT_TRUE(fs::is_regular_file(app.folder() / "Settings" / "DATA" / picture)) << picture;
    EXPECT_TRUE(fs::is_regular_file(app.folder() / "Settings" / "UIbg.jpg"));
    EXPECT_EQ(readFile(app.settingsFile()), shipped);
    // The sample books stand on the shelf in their crimson default covers.
    EXPECT_TRUE(waitFor([&] {
        const QImage screen = screenshot();
        for (int cover = 0; cover < 5; ++cover) {
            const QPoint binding =
                shelfWindow->geometry.topLeft() + shelf::cover(cover) + QPoint(-7, -47);
            if (!isReddish(screen.pixel(binding)))
                return false;
        }
        return true;
    }));
    keepScreenshot("shelf", shelfWindow->geometry);
}

TEST_F(Journey, BrowsingTheTreeShowsAFoldersCovers)
{
    writeBooks(app.books() / "Extra", 2);
    writePicture(app.folder() / "Settings" / "CoverThumbs" / "Volume 01.jpg", QColor(40, 170, 60));
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    // The folder stands first under the root; its first book has a green cover.
    click(shelfWindow->geometry.topLeft() + shelf::treeRow(1));
    const QPoint cover = shelfWindow->geometry.topLeft() + shelf::cover(0);
    EXPECT_TRUE(waitFor([&] {
        const QRgb pixel = screenshot().pixel(cover);
        return qGreen(pixel) > 130 && qRed(pixel) < 100;
    }));
}

TEST_F(Journey, PressDragLeftAndReleaseOpensTheBookAndClosingReturns)
{
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    // A drag of 20 pixels is not enough.
    const QPoint at = shelfWindow->geometry.topLeft() + shelf::cover(1);
    drag(at, at - QPoint(20, 0));
    EXPECT_FALSE(findWindow(kBookWindow, 1500ms));
    reader = openBookFromShelf(*shelfWindow, 1, kBookWindow);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(windowGone(QStringLiteral("^Quillmoth v1305$")));
    key(*reader, QStringLiteral("Escape"));
    EXPECT_TRUE(findWindow(QStringLiteral("^Quillmoth v1305$")));
}

TEST_F(Journey, PagesTurnByTheCornerTheKeysAndTheWheel)
{
    ASSERT_TRUE(openSampleBook());
    moveTo(restingPoint(*reader));
    ASSERT_TRUE(waitFor([&] { return !screenshot().isNull(); }));
    std::this_thread::sleep_for(500ms);
    const QImage first = screenshot();
    keepScreenshot("reading", reader->geometry);

    // Each turn runs to its end before the next: the pad takes no input
    // while a page is turning.
    key(*reader, QStringLiteral("Right"));
    EXPECT_TRUE(spreadChanges(*reader, first));
    settled(*reader);
    key(*reader, QStringLiteral("Left"));
    EXPECT_TRUE(spreadReturns(*reader, first));

    wheel(restingPoint(*reader), -1);
    EXPECT_TRUE(spreadChanges(*reader, first));
    settled(*reader);
    wheel(restingPoint(*reader), 1);
    EXPECT_TRUE(spreadReturns(*reader, first));

    // The right page's lower corner dragged over to the left page.
    const QRect pad = reader->geometry;
    drag(QPoint(pad.right() - 36, pad.bottom() - 36),
         QPoint(pad.left() + pad.width() / 4, pad.bottom() - 80));
    moveTo(restingPoint(*reader));
    EXPECT_TRUE(spreadChanges(*reader, first));
    settled(*reader);
    key(*reader, QStringLiteral("Left"));
    EXPECT_TRUE(spreadReturns(*reader, first));
}

TEST_F(Journey, TheSidePanelJumpsByChapterAndBySlider)
{
    ASSERT_TRUE(openSampleBook());
    moveTo(restingPoint(*reader));
    std::this_thread::sleep_for(500ms);
    const QImage first = screenshot();
    const QPoint origin = reader->geometry.topLeft();

    // The panel slides in at the left edge; the fourth chapter is chosen.
    moveTo(origin + QPoint(3, reader->geometry.height() / 2));
    std::this_thread::sleep_for(1500ms);
    keepScreenshot("side-panel", reader->geometry);
    click(origin + QPoint(60, 36 + 18 * 3 + 6));
    moveTo(restingPoint(*reader));
    EXPECT_TRUE(spreadChanges(*reader, first));
    std::this_thread::sleep_for(1500ms);
    const QImage chapter = screenshot();

    // The slider's thumb dragged to the right jumps further.
    moveTo(origin + QPoint(3, reader->geometry.height() / 2));
    std::this_thread::sleep_for(1500ms);
    drag(origin + QPoint(25, 367), origin + QPoint(200, 367));
    moveTo(restingPoint(*reader));
    EXPECT_TRUE(spreadChanges(*reader, chapter));
}

TEST_F(Journey, ABookmarkSurvivesClosingAndIsDeletedFromItsTab)
{
    ASSERT_TRUE(openSampleBook());
    key(*reader, QStringLiteral("Right"));
    std::this_thread::sleep_for(800ms);
    key(*reader, QStringLiteral("Right"));
    std::this_thread::sleep_for(800ms);
    const QPoint onPage = reader->geometry.topLeft() +
                          QPoint(reader->geometry.width() * 3 / 4, reader->geometry.height() / 2);
    click(onPage, 3);
    std::this_thread::sleep_for(500ms);
    click(onPage + QPoint(30, 12));
    const fs::path bookmarks = app.folder() / "Settings" / "BMK.ini";
    ASSERT_TRUE(waitFor([&] { return readFile(bookmarks).find("BM1=") != std::string::npos; }));
    EXPECT_NE(readFile(bookmarks).find(std::string("[") + kBook + "]"), std::string::npos);

    // Closed and opened again: the tab stands in the strip above the pages.
    key(*reader, QStringLiteral("Escape"));
    const auto shelfAgain = findWindow(QStringLiteral("^Quillmoth v1305$"));
    ASSERT_TRUE(shelfAgain);
    reader = openBookFromShelf(*shelfAgain, 1, kBookWindow);
    ASSERT_TRUE(reader);
    const QRect strip(reader->geometry.topLeft() + QPoint(40, 2), QSize(413, 26));
    ASSERT_TRUE(waitFor([&] { return hasReddishPixel(screenshot(), strip); }));

    // Right-click on the tab, then the pop-up's delete.
    QPoint tab;
    const QImage screen = screenshot();
    for (int x = strip.left(); x <= strip.right() && tab.isNull(); ++x) {
        if (isReddish(screen.pixel(x, strip.top() + 12)))
            tab = QPoint(x + 4, strip.top() + 12);
    }
    ASSERT_FALSE(tab.isNull());
    click(tab, 3);
    std::this_thread::sleep_for(500ms);
    click(tab + QPoint(30, 12));
    EXPECT_TRUE(waitFor([&] { return readFile(bookmarks).find("BM1=") == std::string::npos; }));
}

TEST_F(Journey, TheClipboardsTextOpensAsABook)
{
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("The rain had not stopped since noon. ");
    ASSERT_TRUE(setClipboard(text));
    click(shelfWindow->geometry.topLeft() + shelf::kClipboardButton);
    EXPECT_TRUE(findWindow(QStringLiteral("^Quillmoth$")));
    EXPECT_TRUE(windowGone(QStringLiteral("^Quillmoth v1305$")));
}

TEST_F(Journey, PagesOfCoversChangeWithTheWheelOnceThePreferencesSaySo)
{
    writeBooks(app.books() / "Shelf of thirty", 30);
    app.setSetting("DefaultFolder", (app.books() / "Shelf of thirty").string());
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    click(shelfWindow->geometry.topLeft() + shelf::kPreferencesButton);
    const auto preferences = findWindow(QStringLiteral("^Preferences$"));
    ASSERT_TRUE(preferences);
    click(preferences->geometry.topLeft() + QPoint(73, 71)); // "Slide in"
    ASSERT_TRUE(settingSaved("CoverShowStyle", "Slide"));
    click(preferences->geometry.topLeft() + QPoint(414, 387)); // Close
    ASSERT_TRUE(windowGone(QStringLiteral("^Preferences$")));

    const QRect covers(shelfWindow->geometry.topLeft() + QPoint(260, 70), QSize(442, 426));
    moveTo(covers.center());
    std::this_thread::sleep_for(300ms);
    const QImage firstPage = screenshot();
    keepScreenshot("cover-pages", shelfWindow->geometry);
    wheel(covers.center(), -1);
    EXPECT_TRUE(waitFor([&] { return !sameRegion(screenshot(), firstPage, covers); }, 8s));
    std::this_thread::sleep_for(3s); // the slide runs to its end
    wheel(covers.center(), 1);
    EXPECT_TRUE(waitFor([&] { return sameRegion(screenshot(), firstPage, covers); }, 10s));
}

TEST_F(Journey, AnAppliedThemeDressesTheNextBook)
{
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    const QPoint origin = shelfWindow->geometry.topLeft();
    click(origin + shelf::kThemeHeading);
    std::this_thread::sleep_for(300ms);
    keepScreenshot("theme-panel", shelfWindow->geometry);
    // The list: the default theme (no name), Ink Wash, Linen, Night Lamp,
    // Parchment. The first is clicked, Night Lamp reached with the keys.
    click(origin + QPoint(60, 53));
    for (int i = 0; i < 3; ++i)
        key(*shelfWindow, QStringLiteral("Down"));
    click(origin + shelf::kApplyTheme);
    ASSERT_TRUE(settingSaved("Scheme", "Night Lamp"));
    moveTo(origin + QPoint(600, 530)); // over the window: the panel closes
    std::this_thread::sleep_for(300ms);
    reader = openBookFromShelf(*shelfWindow, 1, kBookWindow);
    ASSERT_TRUE(reader);
    moveTo(restingPoint(*reader));
    // Night Lamp's paper is a deep blue.
    const QRect paper(reader->geometry.topLeft() + QPoint(60, reader->geometry.height() - 120),
                      QSize(200, 40));
    EXPECT_TRUE(waitFor([&] { return brightness(screenshot(), paper) < 90; }));
    keepScreenshot("night-lamp", reader->geometry);
}

TEST_F(Journey, ThePadSizeSetsTheNextReadingWindowsSize)
{
    ASSERT_TRUE(openSampleBook());
    const int usualHeight = reader->geometry.height();
    key(*reader, QStringLiteral("Escape"));
    ASSERT_TRUE(findWindow(QStringLiteral("^Quillmoth v1305$")));

    click(shelfWindow->geometry.topLeft() + shelf::kPreferencesButton);
    const auto preferences = findWindow(QStringLiteral("^Preferences$"));
    ASSERT_TRUE(preferences);
    keepScreenshot("preferences", preferences->geometry);
    click(preferences->geometry.topLeft() + QPoint(292, 45)); // 60%
    ASSERT_TRUE(settingSaved("PadSize", "60"));
    click(preferences->geometry.topLeft() + QPoint(414, 387));
    ASSERT_TRUE(windowGone(QStringLiteral("^Preferences$")));

    reader = openBookFromShelf(*shelfWindow, 1, kBookWindow);
    ASSERT_TRUE(reader);
    EXPECT_LT(reader->geometry.height(), usualHeight * 3 / 4);
    EXPECT_NEAR(reader->geometry.height(), XServer::screenSize().height() * 60 / 100, 60);
}

TEST_F(Journey, AFileOnTheCommandLineOpensStraightAway)
{
    app.start({QString::fromStdString((app.books() / "竹林小记.txt").string())});
    reader = findWindow(QStringLiteral("竹林小记.txt - Quillmoth$"));
    ASSERT_TRUE(reader);
    ASSERT_TRUE(settled(*reader));
    key(*reader, QStringLiteral("Escape"));
    EXPECT_TRUE(findWindow(QStringLiteral("^Quillmoth v1305$")));
}

TEST_F(Journey, ASecondStartEndsWithoutAWindow)
{
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    EXPECT_EQ(app.startAgainAndWait(), std::optional<int>(0));
    EXPECT_EQ(windowIds(QStringLiteral("Quillmoth")).size(), 1);
    EXPECT_TRUE(app.isRunning());
}

// A library as users really have them, and worse. The program runs as an
// ordinary user, for whom an unreadable file is unreadable.
class HostileLibrary : public Journey {
protected:
    void SetUp() override
    {
        Journey::SetUp();
        library = app.folder() / "hostile";
        const auto write = [this](const std::string &name, const std::string &bytes) {
            std::ofstream(library / name, std::ios::binary) << bytes;
        };
        fs::create_directories(library);
        write("01 empty.txt", "");
        std::string noise(64 * 1024, '\0');
        unsigned state = 7;
        for (char &byte : noise) {
            state = state * 1103515245u + 12345u;
            byte = char(state >> 16);
        }
        write("02 binary.txt", noise);
        std::string utf32("\xFF\xFE\0\0", 4);
        for (const char c : std::string(400, 'w') + "\r\nThe end.\r\n")
            utf32 += std::string{c, '\0', '\0', '\0'};
        write("03 utf32.txt", utf32);
        write("04 unreadable.txt", std::string(2000, 'u'));
        fs::permissions(library / "04 unreadable.txt", fs::perms::none);
        write("05 caf\xE9.txt", std::string(2000, 'c'));
        write("06 " + std::string(255 - 7, 'n') + ".txt", std::string(2000, 'n'));
        // 300 MB, kept sparse so that making it costs nothing.
        std::ofstream(library / "07 huge.txt", std::ios::binary).close();
        fs::resize_file(library / "07 huge.txt", std::uintmax_t(300) << 20);
        write("08 vanishing.txt", std::string(2000, 'v'));
        fs::create_symlink(library / "nowhere.txt", library / "dangling.txt");
        fs::create_directory_symlink(library, library / "loop");
        fs::path deep = library / "deep";
        for (int level = 0; level < 200; ++level)
            deep /= "d";
        fs::create_directories(deep);
        write((fs::relative(deep, library) / "bottom.txt").string(), std::string(2000, 'b'));
        writeBooks(library / "many", 10000);
        writeBooks(library / "gone", 2);
        fs::create_directory(library / "a locked");
        fs::permissions(library / "a locked", fs::perms::none);
        app.setSetting("DefaultFolder", library.string());
        app.runAsNobody();
    }

    // Dismisses the message box the shelf shows (it bears the window's
    // caption too) and says whether there was one.
    bool dismissMessage()
    {
        if (!waitFor([] { return windowIds(QStringLiteral("^Quillmoth v1305$")).size() == 2; }))
            return false;
        const QString box = windowIds(QStringLiteral("^Quillmoth v1305$")).last();
        key(Window{box, {}}, QStringLiteral("Return"));
        return waitFor([] { return windowIds(QStringLiteral("^Quillmoth v1305$")).size() == 1; });
    }

    // Opens a cover; the reading window, or nothing.
    std::optional<Window> open(const Window &onShelf, int cover)
    {
        const QPoint at = onShelf.geometry.topLeft() + shelf::cover(cover);
        drag(at, at - QPoint(45, 0));
        return findWindow(QStringLiteral(" - Quillmoth$"), 5s);
    }

    fs::path library;
};

TEST_F(HostileLibrary, EveryBookOpensOrSaysWhyAndTheProgramStaysUsable)
{
    shelfWindow = app.startShelf();
    ASSERT_TRUE(shelfWindow);
    const QPoint origin = shelfWindow->geometry.topLeft();
    // The program's folder is not the user's to write: the settings live in
    // the user's own copy.
    EXPECT_TRUE(fs::exists(app.settingsInUse()));
    // Eight books stand on the shelf; the broken link is no book.
    ASSERT_TRUE(waitFor([&] { return isReddish(screenshot().pixel(origin + shelf::cover(7) + QPoint(-7, -47))); }));
    EXPECT_FALSE(isReddish(screenshot().pixel(origin + shelf::cover(8) + QPoint(-7, -47))));

    // Too short to be a book: refused with a message.
    drag(origin + shelf::cover(0), origin + shelf::cover(0) - QPoint(45, 0));
    EXPECT_TRUE(dismissMessage()) << "empty book";

    // Noise, UTF-32, a name that is not UTF-8 and one of 255 bytes all open.
    for (const int cover : {1, 2, 4, 5}) {
        const auto book = open(*shelfWindow, cover);
        ASSERT_TRUE(book) << "cover " << cover;
        settled(*book);
        key(*book, QStringLiteral("Escape"));
        ASSERT_TRUE(findWindow(QStringLiteral("^Quillmoth v1305$"))) << "cover " << cover;
    }

    // A book the user may not read says so, and the shelf comes back.
    {
        const QPoint at = origin + shelf::cover(3);
        drag(at, at - QPoint(45, 0));
        ASSERT_TRUE(waitFor([] { return windowIds(QStringLiteral("Quillmoth")).size() >= 2; }));
        const QString message = windowIds(QStringLiteral("Quillmoth")).last();
        key(Window{message, {}}, QStringLiteral("Return"));
        EXPECT_TRUE(waitFor([] {
            return windowIds(QStringLiteral("^Quillmoth v1305$")).size() == 1 &&
                   windowIds(QStringLiteral(" - Quillmoth$")).isEmpty();
        }, 10s));
    }

    // 300 MB: the window shows the open under way and Esc stops it at once.
    {
        const auto book = open(*shelfWindow, 6);
        ASSERT_TRUE(book);
        std::this_thread::sleep_for(1s);
        key(*book, QStringLiteral("Escape"));
        EXPECT_TRUE(findWindow(QStringLiteral("^Quillmoth v1305$"), 5s));
    }

    // A book gone since the folder was listed says so.
    fs::remove(library / "08 vanishing.txt");
    drag(origin + shelf::cover(7), origin + shelf::cover(7) - QPoint(45, 0));
    EXPECT_TRUE(dismissMessage()) << "vanished book";

    // Ten thousand books, a folder that goes while it is shown, then two
    // hundred folders deep: the shelf and the tree follow, and the shelf
    // still scrolls. Folders come first in the tree, by name: "deep", "gone",
    // then "many"; the folder the user may not list and the link back are
    // left out.
    const QRect covers(origin + QPoint(240, 45), QSize(479, 469));
    const QImage before = screenshot();
    click(origin + shelf::treeRow(3)); // "many"
    ASSERT_TRUE(waitFor([&] { return !sameRegion(screenshot(), before, covers); }, 10s));
    std::this_thread::sleep_for(500ms);
    const QImage listed = screenshot();
    wheel(covers.center(), -1);
    EXPECT_TRUE(waitFor([&] { return !sameRegion(screenshot(), listed, covers); }, 5s));

    const QImage many = screenshot();
    click(origin + shelf::treeRow(2)); // "gone"
    ASSERT_TRUE(waitFor([&] { return !sameRegion(screenshot(), many, covers); }, 10s));
    fs::remove_all(library / "gone");
    drag(origin + shelf::cover(0), origin + shelf::cover(0) - QPoint(45, 0));
    EXPECT_TRUE(dismissMessage()) << "book of a vanished folder";
    click(origin + shelf::treeRow(2));
    std::this_thread::sleep_for(500ms);

    const QRect tree(origin + QPoint(10, 45), QSize(215, 470));
    const QImage treeBefore = screenshot();
    click(origin + shelf::treeRow(1)); // "deep"
    EXPECT_TRUE(waitFor([&] { return !sameRegion(screenshot(), treeBefore, tree); }, 5s));
    EXPECT_TRUE(app.isRunning());
}

} // namespace
} // namespace quillmoth::journeys
