#pragma once

#include "controls/m_wheel.h"
#include "reader/bookmark_tabs.h"
#include "reader/curl_geometry.h"
#include "reader/page_surfaces.h"
#include "reader/reader_geometry.h"

#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace quillmoth {

class AnsiCodePage;
class AppFolder;
class BookOpening;
class TextMetrics;
class LanguageTable;
class MWheel;
class SidePanel;
struct Book;
struct ThemeRecord;
struct UISettings;

// What the pad reads from the rest of the program; it outlives every pad.
struct ReaderContext {
    const AppFolder &folder;
    const ThemeRecord &theme;
    const UISettings &settings;
    const LanguageTable &language;
    const AnsiCodePage &codePage;
};

// What the bookmark pop-up button offers.
enum class BookmarkAction { Add, Delete };

// Reader: one book shown as an open printed book. Two pages side by side, a
// page that curls when dragged or turned by key or wheel, a side panel with
// the chapter list and a page slider, and up to four bookmark tabs. The pad
// holds its surfaces and its state and decides when to draw; what is drawn
// comes from the painters in this folder.
class Reader : public QWidget {
    Q_OBJECT

public:
    // Shows a message box; tests catch them instead.
    using MessageHandler =
        std::function<void(QMessageBox::Icon icon, const QString &title, const QString &text)>;
    // Makes the metrics that text is measured with, for the font pages are
    // drawn in; tests measure with fixed numbers.
    using MetricsFactory = std::function<std::unique_ptr<TextMetrics>(const QFont &font)>;

    explicit Reader(const ReaderContext &context, QWidget *parent = nullptr);
    ~Reader() override;

    // PrintUniCaption: writes a caption on the side panel.
    void setPrintUniCaption(const QString &caption);
    // Reads one key of the bookmark file.
    std::u16string Read_Bmark_Key(std::u16string_view section, std::u16string_view key) const;
    // Takes the pad's size from its client area and creates the surfaces.
    void Initialize_Reader();
    // Makes and shows a book: from a file, or from the clipboard's text. The
    // book is made on a worker thread; the pad shows its progress meanwhile.
    void Book_CreatBOOK(const std::u16string &source, bool fromClipboard);
    // Adds a bookmark for the spread shown.
    void AddBMK();
    // Deletes the bookmark of the tab last released on (SelectedBookmark).
    void BooKMark_Delete();
    // Stops everything still moving and lets go of every picture.
    void CleanUpGDIP();

    bool IsBusy() const { return m_IsBusy; }
    void setIsBusy(bool busy) { m_IsBusy = busy; }

    // True while a book is being made; cancelOpening() stops it.
    bool isOpening() const { return m_opening; }
    void cancelOpening();

    // The pop-up button of the reading window that adds and deletes bookmarks.
    void setBookmarkPopup(QWidget *button) { m_popup = button; }
    void setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }
    void setMetricsFactory(MetricsFactory factory) { m_makeMetrics = std::move(factory); }
    // Makes books on the calling thread (the command line's pictures).
    void setOpenSynchronously(bool synchronous) { m_openSynchronously = synchronous; }
    // Fades and panel slides end at once (the command line's pictures).
    void setInstantAnimations(bool instant) { m_instantAnimations = instant; }

    // Shows the spread whose right-hand page is `page` at once, the way a jump
    // leaves it (no fade). False when the book has no such spread.
    bool showSpreadAt(int page);
    // The frame of a turn from the spread shown, at this offset.
    QImage turnFrame(TurnDirection direction, double offset);
    // Everything the pad shows now, side panel included.
    QImage padImage();

    // The state, for the window and for tests.
    const Book *book() const { return m_book.get(); }
    const ReaderGeometry &geometry() const { return m_surfaces.geometry(); }
    const BookBookmarks &bookmarks() const { return m_bookmarks; }
    int AnchorPage() const { return m_AnchorPage; }
    bool TurnBack() const { return m_TurnBack; }
    bool TurnArmed() const { return m_TurnArmed; }
    bool ReloadSpread() const { return m_ReloadSpread; }
    double TurnOffset() const { return m_TurnOffset; }
    double TurnStep() const { return m_TurnStep; }
    int SelectedBookmark() const { return m_SelectedBookmark; }
    bool isAnimating() const;
    SidePanel *picConsole() const { return m_panel; }
    MWheel *MWheel1() const { return m_wheel; }
    const QImage &picture() const { return m_picture; }
    const PageSurfaces &surfaces() const { return m_surfaces; }

signals:
    // The pad's own surface was double-clicked (IsBusy is already False).
    void DoubleClick();
    // Esc: the reading window should close.
    void closeRequested();
    // The book could not be opened; its message has been shown.
    void bookFailed();
    // The first spread is being shown: the window may appear.
    void bookShown();
    // The pop-up button should offer this action at this point (pad pixels).
    void bookmarkPopupRequested(QPoint position, BookmarkAction action);
    // IsBusy has just become False at the end of an operation.
    void becameIdle();
    // The open's progress, 0 to 1.
    void openingProgressed(double fraction);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    enum class Motion { None, Fade, PanelIn, PanelOut };

    void showMessage(QMessageBox::Icon icon, const QString &title, const QString &text);
    QString languageText(std::u16string_view key) const;
    void finishBusy();
    void refreshAndFocus();

    // Book creation and the first spread.
    void finishOpening(std::shared_ptr<Book> book);
    void failOpening(const QString &message, const QString &title);
    void DrawFirstPage();
    void endFirstPage();

    // Spreads.
    void ShowSpread(int page, bool noBlit);
    void PrepareTurnImages();
    void blitShownSpread();
    void FadeInSpread(const QImage &surface, std::function<void()> then);
    void fadeStep();

    // Turning.
    void press(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint position);
    void move(Qt::MouseButtons buttons, QPoint position);
    void release(Qt::MouseButton button, QPoint position);
    void completeArmedTurn();
    void simulateTurn(int x1, int x2, int x3);
    void dragTick();
    void completionTick();
    void drawTurnFrame();
    void onWheel(int keys, int rotation, double x, double y);

    // The side panel and the slider.
    void ShowPanel();
    void HidePanel();
    void panelStep();
    void thumbPress(QMouseEvent *event);
    void thumbMove(QMouseEvent *event);
    void thumbRelease();
    void chapterClicked(int row);
    void SyncSlider();
    void jumpTo(int page);
    void GoToPage(bool backward, int page);

    // Bookmark tabs.
    void DrawBookmarkTabs(bool highlightLast);
    void tabStripRelease(Qt::MouseButton button, QPoint position);
    bool saveBookmarks();
    QImage ribbonImage() const;

    ReaderContext m_context;
    PageSurfaces m_surfaces;
    MetricsFactory m_makeMetrics;
    std::unique_ptr<TextMetrics> m_metrics;
    std::unique_ptr<Book> m_book;
    BookBookmarks m_bookmarks;
    BookOpening *m_opener;
    SidePanel *m_panel;
    MWheel *m_wheel;
    QTimer *m_Timer1;  // the fold follows a drag
    QTimer *m_Timer2;  // the turn completes itself
    QTimer *m_motionTimer;  // fades and the panel's slides
    QPointer<QWidget> m_popup;
    MessageHandler m_showMessage;

    QImage m_picture;  // the control's persistent picture
    bool m_initialized = false;
    bool m_opening = false;
    double m_openingProgress = 0;
    bool m_openSynchronously = false;
    bool m_instantAnimations = false;
    bool m_fromClipboard = false;

    bool m_IsBusy = false;
    int m_AnchorPage = 0;
    bool m_TurnBack = false;
    bool m_TurnArmed = false;
    bool m_ReloadSpread = false;
    bool m_leftTurnPending = false;  // a left press armed a turn that awaits its release
    int m_DragStartX = 0;
    int m_LastMouseX = 0;
    double m_TurnOffset = 0;
    double m_TurnStep = 1;
    double m_SliderStep = 1;
    bool m_SliderDragging = false;
    int m_SliderGrabX = 0;
    bool m_spreadDrawn = false;  // DrawSpread has run in this pad's life
    int m_SelectedBookmark = 0;
    NotchCounter m_notches;

    TurnImages m_turnImages;
    std::optional<CurlGeometry> m_frame;  // the turn frame shown over the picture

    Motion m_motion = Motion::None;
    QImage m_fadeSurface;
    int m_fadeAlpha = 0;
    std::function<void()> m_afterMotion;
};

} // namespace quillmoth
