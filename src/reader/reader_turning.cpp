// The Reader's page turns: the pointer, the keys and the wheel, the fold
// following a drag, and the turn completing on its own.
#include "reader.h"

#include "reader/reader_pages.h"
#include "reader/side_panel.h"
#include "reader/turn_painter.h"

#include "controls/m_wheel.h"
#include "engine/book.h"
#include "platform/builtin_pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace quillmoth {


void Reader::mousePressEvent(QMouseEvent *event)
{
    press(event->button(), event->buttons(), event->position().toPoint());
}

void Reader::mouseMoveEvent(QMouseEvent *event)
{
    move(event->buttons(), event->position().toPoint());
}

void Reader::mouseReleaseEvent(QMouseEvent *event)
{
    release(event->button(), event->position().toPoint());
}

void Reader::mouseDoubleClickEvent(QMouseEvent *)
{
    m_IsBusy = false;
    emit DoubleClick();
}

bool Reader::event(QEvent *event)
{
    // A turn whose release never comes (the grab was lost) still completes.
    switch (event->type()) {
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        completeArmedTurn();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void Reader::press(Qt::MouseButton button, Qt::MouseButtons, QPoint position)
{
    if (m_IsBusy || !m_book)
        return;
    if (m_popup && m_popup->isVisible()) {
        m_popup->hide();
        return;
    }
    const int x = position.x();
    const int y = position.y();
    if (y < 30)
        return;
    if (button == Qt::RightButton) {
        m_TurnArmed = true;
        return;
    }
    const PageRectangle &page = geometry().PageRect;
    if (button != Qt::LeftButton || x < page.Left || x > page.Right || y > page.Bottom)
        return;
    const bool backward = x <= geometry().SpreadCenterX;
    if (backward && m_AnchorPage < 3)
        return;  // the first spread has no way back

    m_IsBusy = true;
    if (m_AnchorPage > 0) {
        m_TurnArmed = false;
        const int pageCount = m_book->PageCount;
        if (backward) {
            if (m_TurnBack) {
                m_AnchorPage -= 2;
            } else {
                m_ReloadSpread = true;
                m_AnchorPage -= 3;
            }
            m_TurnBack = true;
        } else {
            if (!m_TurnBack) {
                if (m_AnchorPage >= pageCount) {
                    m_AnchorPage = pageCount;
                    m_IsBusy = false;
                    return;
                }
                m_AnchorPage += 2;
            } else {
                // Turning forward from the last spread would show pages the
                // book does not have.
                if (m_AnchorPage + 3 > pageCount) {
                    m_IsBusy = false;
                    return;
                }
                m_ReloadSpread = true;
                m_AnchorPage += 3;
            }
            m_TurnBack = false;
        }
        m_DragStartX = x;
        if (m_ReloadSpread) {
            m_ReloadSpread = false;
            m_surfaces.reloadPreviousSpread();
            PrepareTurnImages();
        }
    }
    m_TurnArmed = true;
    m_leftTurnPending = true;
}

void Reader::move(Qt::MouseButtons buttons, QPoint position)
{
    const int x = position.x();
    const int y = position.y();
    if (!m_IsBusy && m_book) {
        if (x >= 10 && x > SidePanel::kWidth && m_panel->isOut()) {
            m_IsBusy = true;
            HidePanel();
            return;
        }
        if (x < 10 && !m_panel->isOut()) {
            m_IsBusy = true;
            ShowPanel();
            return;
        }
    }
    const int tabs = m_bookmarks.tabCount();
    const bool overTabs = y < 30 && x > 40 && x < tabs * 104 + 40 && tabs > 0;
    if (!m_opening)  // the wait cursor stays while a book opens
        overTabs ? setCursor(grabCursor()) : unsetCursor();

    if (m_TurnArmed && (buttons & Qt::LeftButton) && m_leftTurnPending) {
        const int pageWidth = geometry().PageWidth;
        bool follow = false;
        if (m_TurnBack) {
            if (m_AnchorPage >= 1 && x > m_DragStartX && x - m_DragStartX < pageWidth - 15) {
                m_TurnOffset = std::min(x - m_DragStartX, pageWidth);
                follow = x != m_LastMouseX;
            }
        } else if (x < m_DragStartX && m_DragStartX - x < pageWidth - 10) {
            m_TurnOffset = std::min(m_DragStartX - x, pageWidth);
            follow = x != m_LastMouseX;
        }
        if (follow)
            m_Timer1->start();
        else
            m_Timer1->stop();
    }
    m_LastMouseX = x;
}

void Reader::completeArmedTurn()
{
    if (!m_leftTurnPending)
        return;
    m_leftTurnPending = false;
    m_Timer1->stop();
    if (m_TurnArmed)
        m_Timer2->start();
    m_TurnArmed = false;
    SyncSlider();
}

void Reader::release(Qt::MouseButton button, QPoint position)
{
    const int x = position.x();
    const int y = position.y();
    if (button == Qt::LeftButton && m_leftTurnPending) {
        // Wherever the button comes up, an armed turn completes.
        completeArmedTurn();
        return;
    }
    const bool wasArmed = m_TurnArmed;
    m_TurnArmed = false;
    if (m_IsBusy || !m_book)
        return;
    if (y < 30) {
        tabStripRelease(button, position);
        return;
    }
    if (button == Qt::RightButton && wasArmed) {
        const PageRectangle &page = geometry().PageRect;
        if (x > page.Left && x < page.Right && y < page.Bottom &&
            m_bookmarks.tabCount() < kMaxBookmarks && !m_fromClipboard)
            emit bookmarkPopupRequested(position, BookmarkAction::Add);
    }
}

void Reader::dragTick() { drawTurnFrame(); }

void Reader::completionTick()
{
    m_IsBusy = true;
    const double pageWidth = geometry().PageWidth;
    m_TurnOffset = std::min(m_TurnOffset + m_TurnStep, pageWidth);
    drawTurnFrame();
    if (m_TurnOffset >= pageWidth) {
        m_Timer2->stop();
        ShowSpread(m_AnchorPage, false);
        finishBusy();
    }
}

void Reader::drawTurnFrame()
{
    m_frame = curlGeometry(m_TurnBack ? TurnDirection::Back : TurnDirection::Forward,
                           m_TurnOffset, geometry());
    update();
}

QImage Reader::turnFrame(TurnDirection direction, double offset)
{
    if (!m_book || m_IsBusy)
        return {};
    const PageRectangle &page = geometry().PageRect;
    const bool forward = direction == TurnDirection::Forward;
    press(Qt::LeftButton, Qt::LeftButton, QPoint(forward ? page.Right - 1 : page.Left + 1, 31));
    if (!m_leftTurnPending)
        return {};
    m_TurnOffset = std::clamp(offset, 0.0, double(geometry().PageWidth));
    drawTurnFrame();
    return padImage();
}

void Reader::simulateTurn(int x1, int x2, int x3)
{
    press(Qt::LeftButton, Qt::LeftButton, QPoint(x1, 31));
    move(Qt::LeftButton, QPoint(x2, 31));
    release(Qt::LeftButton, QPoint(x3, 31));
}

void Reader::keyPressEvent(QKeyEvent *event)
{
    // Esc gives up a book that is still being made.
    if (m_opening && event->key() == Qt::Key_Escape) {
        emit closeRequested();
        event->accept();
        return;
    }
    if (m_IsBusy || m_panel->isOut() || !m_book) {
        event->accept();
        return;
    }
    const PageRectangle &page = geometry().PageRect;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (m_AnchorPage >= 2)
            simulateTurn(page.Left + 1, page.Left + 2, page.Left + 3);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_AnchorPage < m_book->PageCount)
            simulateTurn(page.Right - 1, page.Right - 2, page.Right - 3);
        break;
    case Qt::Key_F9:
        m_IsBusy = false;
        refreshAndFocus();
        break;
    case Qt::Key_Escape:
        emit closeRequested();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Reader::onWheel(int, int rotation, double x, double)
{
    if (m_IsBusy || m_panel->isOut() || !m_book) {
        m_notches.reset();
        return;
    }
    // A page per whole notch.
    const int notches = m_notches.add(rotation);
    if (notches == 0)
        return;
    const bool towardsUser = notches < 0;
    const PageRectangle &page = geometry().PageRect;
    if (towardsUser) {
        if (m_AnchorPage < m_book->PageCount)
            simulateTurn(page.Right - 1, page.Right - 2, page.Right - 3);
        return;
    }
    const int pointerX = mapFromGlobal(QPointF(x, 0)).toPoint().x();
    if (pointerX < geometry().SpreadCenterX && m_AnchorPage < 3)
        return;
    if (m_AnchorPage >= 2)
        simulateTurn(page.Left + 1, page.Left + 2, page.Left + 3);
}

} // namespace quillmoth
