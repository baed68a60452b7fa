#include "reader/frm_reader.h"
#include "reader/reader.h"

#include "../platform/app_test_support.h"
#include "controls/easy_button.h"
#include "engine/book.h"
#include "engine/text_metrics.h"
#include "reader/side_panel.h"
#include "settings/language_table.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"
#include "text/app_folder.h"
#include "text/code_page.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

// A Western book of numbered lines, each unique within its first ten
// characters, with a heading every sixty lines.
std::string numberedBook(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        if (i % 60 == 1)
            text += "CHAPTER " + std::to_string(i / 60 + 1) + "\r\n";
        text += QString::asprintf("%06d", i).toStdString() + " quiet words of a long story\r\n";
    }
    return text;
}

bool waitUntilIdle(const Reader &reader)
{
    return QTest::qWaitFor([&reader] { return !reader.IsBusy() && !reader.isAnimating(); }, 5000);
}

// A scratch application folder with the program state a pad reads, the
// messages the pad has shown, and the pad or reading window under test.
class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() : folder(scratch.path())
    {
        folder.createMissingFolders();
        settings.padSize = u"100"; // the quickest turns: 27 pixels a step
        settings.UserLanguage = u"English";
    }

    ReaderContext context() const { return {folder, theme, settings, language, codePage}; }

    // Writes a UTF-8 book into the scratch folder and returns its path.
    std::u16string writeBook(const std::string &name, const std::string &text) const
    {
        testing::writeFile(folder.root() / name, text);
        return (folder.root() / name).u16string();
    }

    // Sets up a pad the way the reading window does, measuring with fixed numbers.
    void prepare(Reader &pad, QSize size = {800, 600}, bool synchronous = true)
    {
        pad.resize(size);
        pad.setMetricsFactory([](const QFont &) -> std::unique_ptr<TextMetrics> {
            return std::make_unique<FixedTextMetrics>(8, 16, 20);
        });
        pad.setMessageHandler([this](QMessageBox::Icon, const QString &, const QString &text) {
            messages.push_back(text);
        });
        pad.setOpenSynchronously(synchronous);
        pad.setInstantAnimations(synchronous);
        pad.Initialize_Reader();
    }

    // Opens a book of numbered lines: about 21 pages of 23 lines.
    void open(int lines = 460)
    {
        theme.ListUpChapters = true;
        m_path = writeBook("Story.txt", numberedBook(lines));
        openAgain();
    }

    void openAgain()
    {
        reader = std::make_unique<Reader>(context());
        prepare(*reader);
        reader->Book_CreatBOOK(m_path, false);
        ASSERT_NE(reader->book(), nullptr);
    }

    frmReader *openWindow(const std::u16string &path)
    {
        auto *window = new frmReader(context());
        prepare(*window->Reader1(), window->size());
        closed = std::make_unique<QSignalSpy>(window, &frmReader::closed);
        window->load(path);
        return window;
    }
    void key(Qt::Key key)
    {
        QTest::keyClick(reader.get(), key);
        ASSERT_TRUE(waitUntilIdle(*reader));
    }

    void moveMouse(QPoint position, Qt::MouseButtons buttons = Qt::NoButton, QWidget *to = nullptr)
    {
        to = to ? to : reader.get();
        QMouseEvent move(QEvent::MouseMove, position, to->mapToGlobal(position), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(to, &move);
    }

    // Drags the slider's thumb by dx pixels and lets go.
    void dragThumb(int dx)
    {
        QWidget *thumb = reader->picConsole()->imgSlider1();
        QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(8, 8));
        moveMouse(QPoint(8 + dx, 8), Qt::LeftButton, thumb);
        QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(8 + dx, 8));
        ASSERT_TRUE(waitUntilIdle(*reader));
    }

    testing::ScratchFolder scratch;
    AppFolder folder;
    ThemeRecord theme;
    UISettings settings;
    LanguageTable language;
    AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    std::vector<QString> messages;
    std::unique_ptr<Reader> reader;
    std::u16string m_path;
    std::unique_ptr<QSignalSpy> closed;
};

// Other pad sizes take their share of the height, as the journeys see.
TEST(ReaderWindowSize, FollowsThePadSize_AndFitsTheScreen)
{
    EXPECT_EQ(readerWindowSize(u"100", {1920, 1000}), QSize(1261, 970)); // 450 twips short
    EXPECT_EQ(readerWindowSize(u"100", {1000, 1000}), QSize(1000, 769)); // narrow: the width
}

// The wheel turns a page per whole notch; keys, the slider and the chapter
// list stay within the book, and turning back anchors the spread on its left
// page. The theme's title colour reaches the spread.
TEST_F(ReaderTest, KeysTheWheelTheSliderAndTheChapters_TurnWithinTheBook)
{
    theme.ColorizeChapterTitle = true;
    theme.ChapterTitleColor = 0x0000DC; // red
    open();
    // "CHAPTER 1" heads page 1: its first line is drawn in the title colour.
    const QImage title = reader->surfaces().picBase1().copy(35, 40, 165, 20);
    int red = 0;
    for (int i = 0; i < title.width() * title.height(); ++i) {
        const QColor pixel = title.pixelColor(i % title.width(), i / title.width());
        red += pixel.red() > 150 && pixel.green() < 120 && pixel.blue() < 120;
    }
    EXPECT_GT(red, 10);
    key(Qt::Key_Left);  // the first spread has no way back
    EXPECT_EQ(reader->AnchorPage(), 2);
    // A third of a notch at a time: only the third one turns.
    QWheelEvent wheel(QPointF(600, 300), reader->mapToGlobal(QPointF(600, 300)), QPoint(),
                      QPoint(0, -40), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(reader.get(), &wheel);
    QApplication::sendEvent(reader.get(), &wheel);
    EXPECT_FALSE(reader->IsBusy());
    QApplication::sendEvent(reader.get(), &wheel);
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->AnchorPage(), 4);
    key(Qt::Key_Down);
    EXPECT_EQ(reader->AnchorPage(), 6);
    key(Qt::Key_Up);
    EXPECT_TRUE(reader->TurnBack());
    EXPECT_EQ(reader->AnchorPage(), 3);
    key(Qt::Key_Right);
    EXPECT_FALSE(reader->TurnBack());
    EXPECT_EQ(reader->AnchorPage(), 6);

    // The slider jumps to even pages, and never beyond the last spread.
    dragThumb(int(200.0 / reader->book()->PageCount));  // from page 6 to 7: shown with page 8
    EXPECT_EQ(reader->AnchorPage(), 8);
    // A chapter chosen from the list: the spread that shows its page.
    const int chapter = reader->book()->ChapterPages.at(4);
    ASSERT_GT(chapter, 8);
    emit reader->picConsole()->chapterClicked(4);
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->AnchorPage(), chapter + chapter % 2);
    dragThumb(1000);
    EXPECT_EQ(reader->AnchorPage(), reader->book()->PageCount);
    // Anchored on its left page after a turn back, the last spread still ends the book.
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    EXPECT_EQ(reader->AnchorPage(), reader->book()->PageCount);
    QTest::keyClick(reader.get(), Qt::Key_Right);
    EXPECT_FALSE(reader->IsBusy());
    EXPECT_EQ(reader->AnchorPage(), reader->book()->PageCount);
}

TEST_F(ReaderTest, ADragFollowedByARelease_CompletesTheTurn)
{
    open();
    const PageRectangle page = reader->geometry().PageRect;
    QTest::mousePress(reader.get(), Qt::LeftButton, {}, QPoint(page.Right - 5, page.Bottom - 5));
    moveMouse(QPoint(page.Right - 90, page.Bottom - 5), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(reader->TurnOffset(), 85);
    // Released above the page, the turn still completes.
    QTest::mouseRelease(reader.get(), Qt::LeftButton, {}, QPoint(400, 10));
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->AnchorPage(), 4);

    // So does one whose release never comes, because the window lost the mouse.
    QTest::mousePress(reader.get(), Qt::LeftButton, {}, QPoint(page.Right - 5, page.Bottom - 5));
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(reader.get(), &deactivate);
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->AnchorPage(), 6);
}

// One beyond the book's end is kept through the saves, though it has no tab.
TEST_F(ReaderTest, Bookmarks_AreRefusedOnTheEndsAndTwice_KeepUnplacedOnes_AndTheirTabsJump)
{
    writeBook("Settings/BMK.ini", "[Story]\r\nBM1=999999,65\r\n");
    const std::string before = testing::readFile(folder.BookmarkFilePath());
    open();
    EXPECT_EQ(reader->bookmarks().tabCount(), 0);
    reader->AddBMK();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), QStringLiteral("IsItNecessary"));
    EXPECT_EQ(testing::readFile(folder.BookmarkFilePath()), before);

    ASSERT_TRUE(reader->showSpreadAt(6));
    ASSERT_TRUE(waitUntilIdle(*reader));
    reader->AddBMK();
    reader->AddBMK();
    EXPECT_EQ(messages.back(), QStringLiteral("BookMarkExist"));
    const std::string saved = testing::readFile(folder.BookmarkFilePath());
    EXPECT_NE(saved.find("BM2=999999,65"), std::string::npos) << saved;

    // Opened again, the book finds the bookmark on the same page, and a
    // click on its tab jumps there.
    openAgain();
    EXPECT_EQ(reader->bookmarks().tabPages(), (std::vector<std::int32_t>{6}));
    ASSERT_EQ(reader->AnchorPage(), 2);
    QTest::mouseRelease(reader.get(), Qt::LeftButton, {}, QPoint(90, 15));
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->AnchorPage(), 6);
}

TEST_F(ReaderTest, Bookmarks_NeedALineFoundOnlyOnceInTheBook)
{
    // Every page repeats the same lines: no place on it can be found again.
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "the very same line of text\r\n";
    m_path = writeBook("Same.txt", text);
    openAgain();
    ASSERT_TRUE(reader->showSpreadAt(6));
    ASSERT_TRUE(waitUntilIdle(*reader));
    reader->AddBMK();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.back().contains(QStringLiteral("only once")));
    EXPECT_EQ(reader->bookmarks().tabCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.BookmarkFilePath()));
}

TEST_F(ReaderTest, SidePanel_SlidesOutAndBack_EndingExactlyInPlace)
{
    open();
    reader->setInstantAnimations(false);
    moveMouse(QPoint(5, 300));
    EXPECT_TRUE(reader->IsBusy());
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->picConsole()->x(), 0);
    moveMouse(QPoint(500, 300));
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->picConsole()->x(), SidePanel::kParkedLeft);
}

TEST_F(ReaderTest, ABookThatCannotBeLaidOut_SaysSoAndFails)
{
    reader = std::make_unique<Reader>(context());
    prepare(*reader, {110, 100});  // pages too small to hold a line
    QSignalSpy failed(reader.get(), &Reader::bookFailed);
    reader->Book_CreatBOOK(writeBook("Tiny.txt", numberedBook(200)), false);
    EXPECT_EQ(failed.count(), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(reader->IsBusy());
}

// Theme pictures that are missing do not stop the book either.
TEST_F(ReaderTest, Opening_RunsOffTheWindowThread_AndCanBeCancelled)
{
    theme.BgImagePath = folder.root() / "missing.jpg";
    theme.AlbumPath = folder.root() / "no such album";
    reader = std::make_unique<Reader>(context());
    prepare(*reader, {800, 600}, false);
    reader->Book_CreatBOOK(writeBook("Long.txt", numberedBook(400000)), false);
    EXPECT_TRUE(reader->IsBusy());
    reader->cancelOpening();
    EXPECT_FALSE(reader->IsBusy());
    QTest::qWait(50);
    EXPECT_EQ(reader->book(), nullptr);

    reader->Book_CreatBOOK(writeBook("Short.txt", numberedBook(300)), false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return reader->book() != nullptr; }, 10000));
    ASSERT_TRUE(waitUntilIdle(*reader));
    EXPECT_EQ(reader->AnchorPage(), 2);
    EXPECT_TRUE(messages.empty());
    // The fade has ended in the spread itself, not its last, lighter step.
    EXPECT_EQ(reader->picture().pixelColor(130, 330),
              reader->surfaces().picBase1().pixelColor(100, 300));
}

TEST_F(ReaderTest, Close_IsRefusedWhileATurnRuns_AndDoubleClickAlwaysCloses)
{
    QPointer<frmReader> window = openWindow(writeBook("Story.txt", numberedBook(400)));
    Reader *pad = window->Reader1();
    pad->setInstantAnimations(false);
    ASSERT_TRUE(waitUntilIdle(*pad));
    QTest::keyClick(pad, Qt::Key_Right);
    ASSERT_TRUE(pad->IsBusy());
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(closed->count(), 0);

    QTest::mouseDClick(pad, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed->count() == 1; }));
    EXPECT_TRUE(closed->at(0).at(0).toBool());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));  // deleted later
}

TEST_F(ReaderTest, Popup_DoesWhatItOffered_WhateverItsCaptionSays)
{
    language.insert(u"DeleteBookMark", u"刪除書籤");  // Traditional: not 删除
    QPointer<frmReader> window = openWindow(writeBook("Story.txt", numberedBook(400)));
    Reader *pad = window->Reader1();
    ASSERT_TRUE(pad->showSpreadAt(6));
    ASSERT_TRUE(waitUntilIdle(*pad));
    pad->AddBMK();
    ASSERT_EQ(pad->bookmarks().tabCount(), 1);

    QTest::mouseRelease(pad, Qt::RightButton, {}, QPoint(90, 15));
    EasyButton *popup = window->eBtnReaderToolTip();
    ASSERT_TRUE(popup->isVisible());
    emit popup->Click();
    EXPECT_EQ(pad->bookmarks().tabCount(), 0);
    window->close();
}

TEST_F(ReaderTest, ABookThatFails_ClosesTheWindow)
{
    QPointer<frmReader> window = openWindow(writeBook("Story.txt", numberedBook(10)));
    // The format error of a failed layout closes the window and says it failed.
    QMetaObject::invokeMethod(window->Reader1(), &Reader::bookFailed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed->count() == 1; }));
    EXPECT_FALSE(closed->at(0).at(0).toBool());
}

} // namespace
} // namespace quillmoth
