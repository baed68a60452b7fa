// frmMain's pointer in the page modes (the counterpart of the shelf's own),
// the wheel, drag and drop, and closing.
#include "shelf/frm_main.h"

#include "controls/cls_uni_tool_tip.h"
#include "controls/easy_button.h"
#include "controls/m_wheel.h"
#include "controls/tree_be.h"
#include "platform/builtin_pictures.h"
#include "platform/qt_text.h"
#include "reader/frm_reader.h"
#include "shelf/cover_thumbnails.h"
#include "shelf/folder_scanner.h"
#include "shelf/shelf_layout.h"
#include "shelf/shelf_painter.h"
#include "shelf/shelf_view.h"
#include "shelf/theme_panel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>

#include <cstdlib>

namespace quillmoth {


void frmMain::enableShelfWheel(bool shelf)
{
    if (shelf) {
        m_shelf->wheel()->EnableWheel();
        m_MWheel2->DisableWheel();
    } else {
        m_MWheel2->EnableWheel();
    }
    m_TreeBe2->setDisableWheel(false);
}

void frmMain::pagePress(QPoint point, Qt::MouseButton button)
{
    m_MouseDownOnCover = true;
    m_MouseDownX = point.x();
    Q_UNUSED(button);
    const int position = MouseOverCovers(point, m_pages.PageRects());
    m_HoveredIndex = position < 0 ? -1 : m_pages.FirstIndex() + position;
    if (position < 0)
        return;
    const std::optional<BookEntry> book = bookAt(m_HoveredIndex);
    if (!book)
        return;
    m_CurrentBook = book;
    const QString path = qtPath(book->fullPath());
    if (path != m_LastSelectedPath) {
        m_LastSelectedPath = path;
        m_Label1->setText(path);
    }
    update();
}

void frmMain::mousePressEvent(QMouseEvent *event)
{
    m_ePopup->hide();
    if (m_context.flags.IsRefreshing || isShelfMode() || m_BookList.empty())
        return;
    pagePress(event->position().toPoint(), event->button());
}

void frmMain::mouseMoveEvent(QMouseEvent *event)
{
    if (m_context.flags.IsRefreshing)
        return;
    m_Frame1->setOpen(false);
    if (isShelfMode() || m_BookList.empty())
        return;
    const QPoint point = event->position().toPoint();
    if (inCoverArea(point, size())) {
        const int position = m_HoveredIndex - m_pages.FirstIndex();
        if ((event->buttons() & Qt::LeftButton) && m_MouseDownOnCover && position >= 0 &&
            position < int(m_pages.PageRects().size()) &&
            m_pages.PageRects()[std::size_t(position)].strictlyContains(point) &&
            m_MouseDownX - point.x() > 30 && !m_openingArmed) {
            m_openingArmed = true;
            setCursor(grabCursor());
        }
        enableShelfWheel(false);
    } else if (point.y() > height() - 20) {
        m_HoveredPage = PageButtonAt(
            point.x(), BuildPageButtons(m_pages.pageCount(), m_pages.CurrentPage() + 1, size()));
    }
}

void frmMain::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_context.flags.IsRefreshing || isShelfMode() || m_BookList.empty())
        return;
    enableShelfWheel(false);
    const QPoint point = event->position().toPoint();
    if (m_openingArmed) {
        m_openingArmed = false;
        unsetCursor();
        if (event->button() == Qt::LeftButton)
            openBook(m_HoveredIndex);
    }
    m_MouseDownOnCover = false;
    if (event->button() == Qt::RightButton && m_CurrentBook)
        showPopup(point - QPoint(50, 5));
    if (point.y() > height() - 20 && m_HoveredPage >= 1) {
        const int page = m_HoveredPage;
        m_Label1->clear();
        m_CurrentBook.reset();
        m_HoveredIndex = -1;
        m_LastSelectedPath = QStringLiteral("???");
        m_pages.showPage(page, pageStyle());
    }
}

void frmMain::windowWheel(int rotation)
{
    if (m_context.flags.IsRefreshing || isShelfMode() || m_BookList.empty()) {
        m_notches.reset();
        return;
    }
    // One page per whole notch.
    const int notches = m_notches.add(rotation);
    if (notches == 0)
        return;
    const bool away = notches > 0;
    m_Label1->clear();
    m_CurrentBook.reset();
    m_HoveredIndex = -1;
    m_LastSelectedPath = QStringLiteral("???");
    m_pages.PanningCovers(away, pageStyle());
}

void frmMain::mouseDoubleClickEvent(QMouseEvent *)
{
    close();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!isShelfMode() && !firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    const QPoint point = event->position().toPoint();
    const int position = MouseOverCovers(point, m_pages.PageRects());
    if (position != m_dragOverPosition) {
        m_dragOverPosition = position;
        pagePress(point, Qt::LeftButton);
        m_MouseDownOnCover = false;
    }
    event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    m_dragOverPosition = -1;
    const int position = MouseOverCovers(event->position().toPoint(), m_pages.PageRects());
    const QString file = firstDroppedFile(event->mimeData());
    if (position < 0 || file.isEmpty())
        return;
    event->acceptProposedAction();
    dropPicture(m_pages.FirstIndex() + position, file);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_context.flags.IsRefreshing) {
        event->ignore();
        return;
    }
    m_pages.finishAnimation();
    m_scanner->cancel();
    m_ToolTips.clear();
    if (m_reader != nullptr)
        m_reader->close();
    event->accept();
}

} // namespace quillmoth
