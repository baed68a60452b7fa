#pragma once

#include "controls/m_wheel.h"
#include "shelf/book_list.h"
#include "shelf/shelf_layout.h"
#include "shelf/shelf_painter.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <vector>

class QLabel;

namespace quillmoth {

class CoverCache;
class MWheel;

// The shelf of "Shelf" mode (PicBlind with its canvas PicBkShelf): rows of
// four covers on painted boards, scrolled by the wheel and the scroll bar.
// The canvas is as tall as all rows, but only the band around what is seen
// is drawn and kept, so a folder of ten thousand books costs what twelve do.
class ShelfView : public QWidget {
    Q_OBJECT

public:
    ShelfView(CoverCache &covers, const bool &refreshing, QWidget *parent = nullptr);

    // What covers are drawn from.
    void setPictures(ShelfPieces pieces, QImage defaultCover, std::filesystem::path thumbsFolder);

    // CreatRECTonShelf and the drawing of RefreshCoverRect: shows these books
    // from the top, nothing selected.
    void setBooks(const BookList *books);
    const BookList *books() const { return m_books; }

    // Redraws the covers (a thumbnail changed).
    void redrawCovers();

    int canvasHeight() const
    {
        return m_scroll ? shelfCanvasHeight(bookCount(), height()) : height();
    }
    // The canvas's top edge: -(scroll value).
    int canvasTop() const;
    void setScrollValue(int value);
    // How far the scroll bar goes: canvas height - viewport height.
    int scrollMaximum() const { return canvasHeight() - height(); }

    // Whether cover `index` was drawn from a thumbnail (HasThumb).
    bool hasThumb(int index) const;
    // The pressed cover (Shape3 visible), -1 for none.
    int selectedIndex() const { return m_selected; }
    // Whether opening is armed: the custom pointer shows.
    bool isOpeningArmed() const { return m_armed; }
    bool isScrolling() const { return m_scroll && m_scroll->isRunning(); }

    MWheel *wheel() const { return m_wheel; }

    // One wheel turn over the shelf (+120 a notch away from the user).
    void wheelTurned(int rotation);

    // Forgets a half-done press, drag, hover and selection.
    void resetPointer();

signals:
    // A press on the shelf: the book hit, -1 for none.
    void coverPressed(int index, Qt::MouseButton button);
    // The pointer moved over the shelf.
    void pointerMoved();
    // A press, a drag more than 30 pixels to the left and a release on a cover.
    void openRequested(int index);
    // A right release: where the pop-up goes, in the parent's coordinates.
    void popupRequested(QPoint parentPoint);
    // A picture file dropped on cover `index`.
    void fileDropped(int index, const QString &file);
    // The smooth scroll stopped with the canvas at `top`.
    void scrollStopped(int scrollValue);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int bookCount() const { return m_books ? int(m_books->size()) : 0; }
    QPoint toCanvas(QPoint viewPoint) const { return viewPoint + QPoint(0, -canvasTop()); }
    void press(QPoint canvasPoint, Qt::MouseButton button);
    void hover(int index);
    void ensureBand();
    void drawBand(int top, int height);
    void timerTick();

    CoverCache &m_covers;
    const bool &m_refreshing;
    const BookList *m_books = nullptr;
    ShelfPieces m_pieces;
    QImage m_defaultCover;
    std::filesystem::path m_thumbsFolder;
    std::unique_ptr<ShelfScroll> m_scroll;
    QTimer m_Timer2;
    MWheel *m_wheel;
    QLabel *m_Label2;
    NotchCounter m_notches;

    QImage m_band; // the drawn part of the canvas
    int m_bandTop = 0;
    bool m_bandValid = false;
    mutable std::vector<signed char> m_hasThumb; // -1 until the cover is drawn or asked for

    int m_selected = -1;
    int m_hovered = -1;
    int m_dragOverIndex = -1;
    bool m_MouseDownOnCover = false;
    int m_MouseDownX = 0;
    bool m_armed = false;
};

} // namespace quillmoth
