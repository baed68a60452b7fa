#include "shelf/frm_main.h"

#include "../platform/app_test_support.h"
#include "controls/cls_nodes.h"
#include "controls/easy_button.h"
#include "controls/my_image.h"
#include "controls/tree_be.h"
#include "dialogs/frm_theme_set.h"
#include "engine/book.h"
#include "platform/qt_text.h"
#include "reader/frm_reader.h"
#include "shelf/shelf_view.h"
#include "shelf/theme_panel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

using testing::ScratchFolder;
using testing::writeFile;

// A scratch application folder with the program's state, and the messages
// the window has shown (answered with `answer`).
class ShelfWorld : public ::testing::Test {
protected:
    ShelfWorld() : folder(scratch.path()) {}
    // A reading window a failed test left open goes before the settings it
    // reads from.
    ~ShelfWorld() override
    {
        if (window != nullptr)
            delete window->readingWindow();
    }

    std::filesystem::path books() const { return folder.defaultBookFolder(); }

    void addBooks(int count)
    {
        for (int i = 0; i < count; ++i)
            writeFile(books() / QString::asprintf("book%05d.txt", i).toStdString(),
                      std::string(200, 'a'));
    }

    // Makes the window, its messages noted and answered with `answer`.
    void make()
    {
        window = std::make_unique<frmMain>(
            ShelfContext{folder, theme, settings, document, language, codePage, flags});
        window->setMessages(
            [this](QMessageBox::Icon, const QString &text, QMessageBox::StandardButtons) {
                messages.push_back(text);
                return answer;
            });
    }

    // Makes the window, loads it and waits for the first folder to show.
    frmMain &start()
    {
        make();
        window->show();
        QSignalSpy shown(window.get(), &frmMain::folderShown);
        EXPECT_TRUE(window->Form_Load() && shown.wait(5000));
        return *window;
    }

    ShelfView &shelfView() { return *window->shelf(); }

    // Closes the reading window once it may close (a turn under way holds it
    // open) and sees the shelf back. A window left open would outlive this
    // test's settings and take the next test's pointer.
    void closeReader()
    {
        frmReader *reader = window->readingWindow();
        ASSERT_NE(reader, nullptr);
        QTRY_VERIFY(!reader->Reader1()->IsBusy());
        reader->close();
        QTRY_VERIFY(window->readingWindow() == nullptr && window->isVisible());
    }

    // Writes a theme file, re-lists the themes and clicks the theme's row.
    void addAndClickTheme(const char *name, int fontSize = 9)
    {
        ThemePanel &panel = *window->Frame1();
        writeFile(folder.ThemesFolder() / (std::string(name) + ".thm"),
                  "100,100,,,,,,-1,-1,0," + std::to_string(fontSize) +
                      ",Tahoma,0,False,False,False,0,False,False");
        ASSERT_TRUE(panel.FlushThemeList(settings.CurrentTheme));
        const auto &names = panel.themes().names;
        const auto row = int(std::find(names.begin(), names.end(), QString(name).toStdU16String()) -
                             names.begin());
        QListWidget *list = panel.List1();
        ASSERT_LT(row, list->count());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    QPoint coverPoint(int index, QPoint offset = {30, 40})
    {
        const CoverRect rect = shelfCoverRect(index);
        return QPoint(rect.Left, rect.Top + shelfView().canvasTop()) + offset;
    }

    // A PNG picture of one colour, whatever the name's extension.
    QString picture(QColor color, const std::filesystem::path &file)
    {
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(color);
        image.save(qtPath(file), "PNG");
        return qtPath(file);
    }

    ScratchFolder scratch;
    AppFolder folder;
    ThemeRecord theme;
    UISettings settings;
    SettingsDocument document;
    LanguageTable language;
    AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    AppFlags flags;
    std::unique_ptr<frmMain> window;
    std::vector<QString> messages;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

// No default folder and only a stub language file: the drives and Simplified
// Chinese stand in, and a default cover of the user's own stays as it is.
TEST_F(ShelfWorld, AStartWithPiecesMissingFallsBackAndKeepsTheUsersCover)
{
    std::filesystem::create_directories(folder.dataFolder());
    picture(Qt::magenta, folder.dataFilePath("Cvr.dat"));
    const std::string before = testing::readFile(folder.dataFilePath("Cvr.dat"));
    writeFile(folder.LanguageFilePath(u"ChineseS"), "\xef\xbb\xbf");
    frmMain &main = start();
    EXPECT_EQ(testing::readFile(folder.dataFilePath("Cvr.dat")), before);
    EXPECT_EQ(settings.UserLanguage, u"ChineseS");
    EXPECT_TRUE(main.BookList_().empty());
    EXPECT_NE(main.TreeBe2()->Nodes().nItem(QStringLiteral("/")), nullptr);
}

TEST_F(ShelfWorld, SettingsThatCannotBeReadOrMadeEndTheStartPlainly)
{
    // A folder where the settings file should be: it can be neither read
    // nor re-created.
    std::filesystem::create_directories(folder.SettingsFilePath());
    make();
    EXPECT_FALSE(window->Form_Load());
    ASSERT_FALSE(messages.empty());
    // Without a language file the English text, never the bare key.
    EXPECT_TRUE(messages.back().startsWith(QStringLiteral("An unexpected error")));
}

// Books under a hundred bytes are refused. A drag of more than thirty pixels
// to the left opens a book, and a name that is not UTF-8 still names its file.
TEST_F(ShelfWorld, ABookOpensByADragLeft_IfItIsLongEnough)
{
    writeFile(books() / "a.txt", std::string(99, 'a'));
    writeFile(books() / "caf\xE9.txt", std::string(100, 'x'));
    frmMain &main = start();
    main.openBook(0);
    EXPECT_EQ(main.readingWindow(), nullptr);
    EXPECT_EQ(messages, std::vector{QStringLiteral("IsItNecessary File Length is only  99 Bytes")});

    ShelfView &view = shelfView();
    const QPoint press = coverPoint(1, {60, 40});
    QTest::mousePress(&view, Qt::LeftButton, {}, press);
    QTest::mouseMove(&view, press - QPoint(30, 0));
    EXPECT_FALSE(view.isOpeningArmed());
    QMouseEvent move(QEvent::MouseMove, press - QPoint(31, 0),
                     view.mapToGlobal(press - QPoint(31, 0)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &move);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, press - QPoint(31, 0));
    ASSERT_NE(main.readingWindow(), nullptr);
    EXPECT_FALSE(main.isVisible());
    Reader *reader = main.readingWindow()->Reader1();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader->book() != nullptr; }, 10000));
    EXPECT_NE(reader->book()->BookText.find(u"xxxx"), std::u16string::npos);
    closeReader();
}

// The book a cover command acts on is the one right-clicked, wherever the
// shelf has scrolled to.
TEST_F(ShelfWorld, CoverCommandsWriteAndEraseTheBooksThumbnail_OrSayWhyNot)
{
    addBooks(40);
    frmMain &main = start();
    const QString red = picture(Qt::red, scratch.path() / "red.png");
    main.setFileChoosers({[&](const QString &) { return red; }, {}});
    main.AddCover(); // nothing selected yet
    EXPECT_EQ(messages, std::vector<QString>{QStringLiteral("SelectBeforeProceed")});

    main.VS1()->setValue(340);
    QTest::mouseClick(&shelfView(), Qt::RightButton, {}, coverPoint(9));
    EXPECT_TRUE(main.ePopup()->isVisible());
    main.AddCover();
    const std::filesystem::path thumb = folder.CoverThumbsFolder() / "book00009.jpg";
    EXPECT_TRUE(std::filesystem::is_regular_file(thumb));
    EXPECT_TRUE(shelfView().hasThumb(9));

    QTest::mouseClick(&shelfView(), Qt::RightButton, {}, coverPoint(9));
    answer = QMessageBox::No;
    main.EraseCoverPic();
    EXPECT_TRUE(std::filesystem::exists(thumb));
    answer = QMessageBox::Yes;
    main.EraseCoverPic();
    EXPECT_FALSE(std::filesystem::exists(thumb));

    // A thumbnail that cannot be written says so.
    std::filesystem::remove_all(folder.CoverThumbsFolder());
    writeFile(scratch.path() / "broken.png", "no picture");
    main.dropPicture(0, qtPath(scratch.path() / "broken.png"));
    EXPECT_EQ(messages.back(), QStringLiteral("Save file Error"));
}

// Pages of twelve covers: a button turns to its page while the shelf counts
// as refreshing, the last page turns no further, and a picture dropped on a
// cover of a later page goes to that book.
TEST_F(ShelfWorld, CoverPagesTurnByTwelve_AndTakeDroppedPictures)
{
    addBooks(30);
    frmMain &main = start();
    settings.CoverShowStyle = u"FadeIn";
    main.RefreshCoverRect();
    CoverPages &pages = main.pages();
    const QPoint third = BuildPageButtons(3, 1, main.size())[2].rect.center();
    QTest::mouseMove(&main, third);
    QTest::mouseClick(&main, Qt::LeftButton, {}, third);
    EXPECT_TRUE(flags.IsRefreshing);
    QTRY_VERIFY(!pages.isAnimating());
    EXPECT_FALSE(flags.IsRefreshing);
    EXPECT_EQ(pages.FirstIndex(), 24);
    EXPECT_EQ(pages.PageRects().size(), 6u);
    pages.PanningCovers(false, CoverPageStyle::FadeIn);
    EXPECT_FALSE(pages.isAnimating());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(picture(Qt::blue, scratch.path() / "p.png")),
                  QUrl::fromLocalFile("/other.png")});
    const QPoint secondCover = pages.PageRects()[1].rect().center();
    QDragEnterEvent enter(secondCover, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&main, &enter);
    QDropEvent drop(secondCover, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&main, &drop);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.CoverThumbsFolder() / "book00025.jpg"));
    EXPECT_EQ(testing::entryCount(folder.CoverThumbsFolder()), 1);
}

TEST_F(ShelfWorld, ThemePanelAppliesEditsDeletesAndFallsBackWhenAFileVanished)
{
    frmMain &main = start();
    ThemePanel &panel = *main.Frame1();
    addAndClickTheme("Sepia", 12);
    panel.createNew(); // the editor starts from the selected theme
    auto *editor = main.findChild<frmThemeSet *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->draft().FontSize, 12);
    EXPECT_EQ(editor->Text1()->text(), QStringLiteral("Sepia"));
    editor->close();
    panel.apply();
    EXPECT_EQ(settings.CurrentTheme, u"Sepia");
    EXPECT_EQ(theme.FontSize, 12);
    panel.remove();
    EXPECT_EQ(messages, std::vector<QString>{QStringLiteral("ThemeIsInUse")});
    EXPECT_TRUE(std::filesystem::exists(folder.ThemesFolder() / "Sepia.thm"));

    addAndClickTheme("Old");
    answer = QMessageBox::Cancel;
    panel.remove();
    EXPECT_TRUE(std::filesystem::exists(folder.ThemesFolder() / "Old.thm"));
    answer = QMessageBox::Ok;
    panel.remove();
    EXPECT_FALSE(std::filesystem::exists(folder.ThemesFolder() / "Old.thm"));

    // A theme whose file vanished: the default stands in and the list drops it.
    addAndClickTheme("Gone");
    const auto &names = panel.themes().names;
    std::filesystem::remove(folder.ThemesFolder() / "Gone.thm");
    panel.apply();
    EXPECT_EQ(settings.CurrentTheme, u"");
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Gone"), 0);
}

TEST_F(ShelfWorld, CommandsAndClosingWaitWhileTheShelfRefreshes)
{
    addBooks(2);
    frmMain &main = start();
    ThemePanel &panel = *main.Frame1();
    addAndClickTheme("Sepia", 12);
    QGuiApplication::clipboard()->setText(QString(101, QLatin1Char('x')));

    flags.IsRefreshing = true;
    QTest::mouseClick(main.MyImage1(1), Qt::LeftButton); // the clipboard as a book
    panel.apply();
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(100, 10)); // the heading
    EXPECT_EQ(main.readingWindow(), nullptr);
    EXPECT_NE(settings.CurrentTheme, u"Sepia");
    EXPECT_FALSE(panel.isOpen());
    EXPECT_FALSE(main.close());

    flags.IsRefreshing = false;
    panel.apply();
    EXPECT_EQ(settings.CurrentTheme, u"Sepia");
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_TRUE(panel.isOpen());

    // The clipboard needs more than a hundred characters.
    QGuiApplication::clipboard()->setText(QString(100, QLatin1Char('x')));
    QTest::mouseClick(main.MyImage1(1), Qt::LeftButton);
    EXPECT_EQ(main.readingWindow(), nullptr);
    EXPECT_EQ(messages.back(), QStringLiteral("Clipboard text too short"));
    QGuiApplication::clipboard()->setText(QString(101, QLatin1Char('x')));
    QTest::mouseClick(main.MyImage1(1), Qt::LeftButton);
    ASSERT_NE(main.readingWindow(), nullptr);
    closeReader();
    EXPECT_TRUE(main.close());
}

} // namespace
} // namespace quillmoth
