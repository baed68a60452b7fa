#include "shelf/shelf_view.h"

#include "controls/m_wheel.h"
#include "platform/builtin_pictures.h"
#include "shelf/cover_thumbnails.h"

#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>

#include <cstdlib>

namespace quillmoth {

namespace {

// Rows drawn beyond the seen part, so a wheel notch rarely needs new drawing.
constexpr int kBandMargin = 2 * shelf::kRowPitch;

} // namespace

ShelfView::ShelfView(CoverCache &covers, const bool &refreshing, QWidget *parent)
    : QWidget(parent), m_covers(covers), m_refreshing(refreshing), m_wheel(new MWheel(this)),
      m_Label2(new QLabel(this))
{
    setAcceptDrops(true);
    setMouseTracking(true);
    m_wheel->setHWndCapture(this);
    connect(m_wheel, &MWheel::WheelScroll, this,
            [this](int, int rotation, double, double) { wheelTurned(rotation); });
    m_Timer2.setInterval(10);
    connect(&m_Timer2, &QTimer::timeout, this, &ShelfView::timerTick);
    m_Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_Label2->setTextFormat(Qt::PlainText);
    m_Label2->setStyleSheet(QStringLiteral("color: rgb(255, 240, 200); background: transparent;"));
    m_Label2->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_Label2->hide();
}

void ShelfView::setPictures(ShelfPieces pieces, QImage defaultCover,
                            std::filesystem::path thumbsFolder)
{
    m_pieces = std::move(pieces);
    m_defaultCover = std::move(defaultCover);
    m_thumbsFolder = std::move(thumbsFolder);
    m_bandValid = false;
    update();
}

void ShelfView::setBooks(const BookList *books)
{
    m_books = books;
    m_Timer2.stop();
    m_scroll = std::make_unique<ShelfScroll>(shelfCanvasHeight(bookCount(), height()), height());
    m_hasThumb.assign(std::size_t(bookCount()), -1);
    resetPointer();
    m_bandValid = false;
    update();
}

void ShelfView::redrawCovers()
{
    std::fill(m_hasThumb.begin(), m_hasThumb.end(), -1);
    m_bandValid = false;
    update();
}

int ShelfView::canvasTop() const
{
    return m_scroll ? m_scroll->canvasTop() : 0;
}

void ShelfView::setScrollValue(int value)
{
    if (!m_scroll)
        return;
    m_scroll->setCanvasTop(-std::clamp(value, 0, std::max(0, scrollMaximum())));
    update();
}

bool ShelfView::hasThumb(int index) const
{
    if (index < 0 || index >= int(m_hasThumb.size()))
        return false;
    signed char &known = m_hasThumb[std::size_t(index)];
    if (known < 0) // not drawn yet
        known = hasThumbnail(m_thumbsFolder, (*m_books)[std::size_t(index)]) ? 1 : 0;
    return known == 1;
}

void ShelfView::resetPointer()
{
    m_selected = -1;
    m_hovered = -1;
    m_dragOverIndex = -1;
    m_MouseDownOnCover = false;
    m_armed = false;
    unsetCursor();
    m_Label2->hide();
    update();
}

void ShelfView::wheelTurned(int rotation)
{
    if (!m_scroll || !m_scroll->canScroll())
        return;
    // A whole notch scrolls one row.
    const int notches = m_notches.add(rotation);
    for (int i = 0; i < std::abs(notches); ++i)
        m_scroll->wheel(notches > 0 ? ShelfScroll::Direction::Up : ShelfScroll::Direction::Down);
    if (m_scroll->isRunning() && !m_Timer2.isActive())
        m_Timer2.start();
    update();
}

void ShelfView::timerTick()
{
    if (!m_scroll || !m_scroll->tick()) {
        m_Timer2.stop();
        emit scrollStopped(m_scroll ? -m_scroll->canvasTop() : 0);
    }
    if (m_Label2->isVisible())
        m_Label2->hide();
    update();
}

// ---------------------------------------------------------------------------
// Drawing

void ShelfView::ensureBand()
{
    const int top = -canvasTop();
    if (m_bandValid && top >= m_bandTop && top + height() <= m_bandTop + m_band.height())
        return;
    const int bandTop = std::max(0, top - kBandMargin);
    const int bandBottom = std::min(canvasHeight(), top + height() + kBandMargin);
    drawBand(bandTop, bandBottom - bandTop);
}

void ShelfView::drawBand(int top, int bandHeight)
{
    const qreal ratio = devicePixelRatioF();
    m_band = QImage((QSizeF(width(), bandHeight) * ratio).toSize(), QImage::Format_RGB32);
    m_band.setDevicePixelRatio(ratio);
    m_band.fill(Qt::black);
    m_bandTop = top;
    m_bandValid = true;

    QPainter painter(&m_band);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(0, -top);
    paintShelfBackground(painter, m_pieces, QSize(width(), canvasHeight()), top, bandHeight);
    if (!m_books)
        return;
    const IndexRange range = shelfBooksInBand(top, bandHeight, 0, bookCount());
    for (int index = range.first; index <= range.last; ++index) {
        const BookEntry &book = (*m_books)[std::size_t(index)];
        const CoverRect rect = shelfCoverRect(index);
        const QImage thumbnail = m_covers.cover(thumbnailPath(m_thumbsFolder, book),
                                                QSize(shelf::kCoverWidth, shelf::kCoverHeight));
        m_hasThumb[std::size_t(index)] = thumbnail.isNull() ? 0 : 1;
        paintCover(painter, rect, thumbnail, m_defaultCover,
                   QString::fromStdU16String(book.title()), font());
    }
}

void ShelfView::paintEvent(QPaintEvent *)
{
    ensureBand();
    QPainter painter(this);
    const int top = -canvasTop();
    painter.drawImage(QPoint(0, m_bandTop - top), m_band);
    if (m_selected >= 0) {
        painter.translate(0, -top);
        paintSelectionFrame(painter, shelfSelectionFrame(shelfCoverRect(m_selected)));
    }
}

void ShelfView::resizeEvent(QResizeEvent *)
{
    if (m_scroll)
        m_scroll =
            std::make_unique<ShelfScroll>(shelfCanvasHeight(bookCount(), height()), height());
    m_bandValid = false;
}

// ---------------------------------------------------------------------------
// The pointer

void ShelfView::press(QPoint canvasPoint, Qt::MouseButton button)
{
    const int index = MouseOverShelf(canvasPoint, bookCount());
    if (index >= 0) {
        m_selected = index;
        update();
    }
    if (button == Qt::LeftButton) {
        m_MouseDownOnCover = true;
        m_MouseDownX = canvasPoint.x();
    }
    emit coverPressed(index, button);
}

void ShelfView::mousePressEvent(QMouseEvent *event)
{
    press(toCanvas(event->position().toPoint()), event->button());
}

void ShelfView::hover(int index)
{
    if (index < 0) {
        m_Label2->hide();
        m_hovered = -1;
        return;
    }
    if (!hasThumb(index)) {
        m_Label2->hide();
        m_hovered = index;
        return;
    }
    if (m_Label2->isVisible() && m_hovered == index)
        return;
    m_hovered = index;
    m_Label2->setText(QString::fromStdU16String((*m_books)[std::size_t(index)].fileName()));
    m_Label2->setGeometry(0, shelfCoverRect(index).Bottom + 3 + canvasTop(), width(),
                          m_Label2->sizeHint().height());
    m_Label2->show();
}

void ShelfView::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved();
    const QPoint point = toCanvas(event->position().toPoint());
    if ((event->buttons() & Qt::LeftButton) && m_MouseDownOnCover && m_selected >= 0 &&
        shelfCoverRect(m_selected).strictlyContains(point) && m_MouseDownX - point.x() > 30) {
        if (!m_armed) {
            m_armed = true;
            setCursor(grabCursor());
        }
        return;
    }
    hover(MouseOverShelf(point, bookCount()));
}

void ShelfView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_refreshing)
        return;
    if (m_armed && event->button() == Qt::LeftButton) {
        m_armed = false;
        unsetCursor();
        emit openRequested(m_selected);
    }
    m_MouseDownOnCover = false;
    if (event->button() == Qt::RightButton && m_selected >= 0) {
        // Under the pointer, wherever the shelf is scrolled to.
        const QPoint at = mapToParent(event->position().toPoint()) - QPoint(50, 12);
        emit popupRequested(at);
    }
}

void ShelfView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ShelfView::dragMoveEvent(QDragMoveEvent *event)
{
    const QPoint point = toCanvas(event->position().toPoint());
    const int index = MouseOverShelf(point, bookCount());
    if (index != m_dragOverIndex) {
        m_dragOverIndex = index;
        press(point, Qt::LeftButton);
        m_MouseDownOnCover = false;
    }
    event->acceptProposedAction();
}

void ShelfView::dropEvent(QDropEvent *event)
{
    const int index = MouseOverShelf(toCanvas(event->position().toPoint()), bookCount());
    const QString file = firstDroppedFile(event->mimeData());
    m_dragOverIndex = -1;
    if (index < 0 || file.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(index, file);
}

} // namespace quillmoth
