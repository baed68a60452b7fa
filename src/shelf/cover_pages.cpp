#include "shelf/cover_pages.h"

#include "shelf/cover_thumbnails.h"
#include "shelf/shelf_painter.h"

#include <QPainter>

namespace quillmoth {

namespace {

constexpr int kSlideInterval = 1;   // ms a pixel
constexpr int kCurtainInterval = 4; // ms a 4-pixel strip
constexpr int kFadeInterval = 20;   // Timer1
constexpr int kFadeTicks = 16;
constexpr double kFadeOpacity = 0.28;
constexpr int kSlideInStop = 280;

} // namespace

CoverPages::CoverPages(CoverCache &covers, bool &refreshing, QObject *parent)
    : QObject(parent), m_covers(covers), m_refreshing(refreshing)
{
    connect(&m_timer, &QTimer::timeout, this, &CoverPages::step);
}

void CoverPages::setPictures(QImage defaultCover, std::filesystem::path thumbsFolder, QFont font,
                             QImage layerBackground)
{
    m_defaultCover = std::move(defaultCover);
    m_thumbsFolder = std::move(thumbsFolder);
    m_font = std::move(font);
    m_layerBackground = std::move(layerBackground);
    if (m_books)
        m_shown = m_layer = renderPage(m_FirstIndex);
}

void CoverPages::setBooks(const BookList *books)
{
    finishAnimation();
    m_books = books;
    m_FirstIndex = 0;
    m_shown = m_layer = renderPage(0);
    emit changed();
}

bool CoverPages::hasThumb(int position) const
{
    return position >= 0 && position < int(m_hasThumb.size()) && m_hasThumb[std::size_t(position)];
}

QImage CoverPages::renderPage(int firstIndex)
{
    QImage page = m_layerBackground.isNull() ? QImage(pages::kLayer.size(), QImage::Format_RGB32)
                                             : m_layerBackground.copy();
    if (m_layerBackground.isNull())
        page.fill(Qt::black);
    m_PageRects = pageCoverRects(firstIndex, bookCount());
    m_hasThumb.assign(m_PageRects.size(), false);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(-pages::kOrigin);
    for (std::size_t position = 0; position < m_PageRects.size(); ++position) {
        const BookEntry &book = (*m_books)[std::size_t(firstIndex) + position];
        const QImage thumbnail = m_covers.cover(thumbnailPath(m_thumbsFolder, book),
                                                QSize(pages::kCoverWidth, pages::kCoverHeight));
        m_hasThumb[position] = !thumbnail.isNull();
        paintCover(painter, m_PageRects[position], thumbnail, m_defaultCover,
                   QString::fromStdU16String(book.title()), m_font);
    }
    return page;
}

void CoverPages::PanningCovers(bool towardStart, CoverPageStyle style)
{
    if (!m_books || isAnimating())
        return;
    if (towardStart) {
        if (m_FirstIndex < pages::kCoversPerPage)
            return;
        m_FirstIndex -= pages::kCoversPerPage;
    } else {
        if (bookCount() - 1 - m_FirstIndex < pages::kCoversPerPage)
            return;
        m_FirstIndex += pages::kCoversPerPage;
    }
    startAnimation(towardStart, style);
}

void CoverPages::showPage(int page, CoverPageStyle style)
{
    if (!m_books || isAnimating() || page < 1 || page > pageCount())
        return;
    const bool towardStart = page > CurrentPage();
    m_FirstIndex = firstIndexOfPage(page);
    startAnimation(towardStart, style);
}

void CoverPages::startAnimation(bool towardStart, CoverPageStyle style)
{
    m_refreshing = true;
    m_towardStart = towardStart;
    m_incoming = renderPage(m_FirstIndex);
    switch (style) {
    case CoverPageStyle::Slide:
        if (towardStart) {
            m_animation = Animation::SlideIn;
            m_layer = m_incoming;
            m_layerLeft = m_clientWidth - 100;
        } else {
            m_animation = Animation::SlideOut;
            m_layerLeft = pages::kLayer.left();
            m_shown = m_incoming;
        }
        m_timer.start(kSlideInterval);
        break;
    case CoverPageStyle::Curtain:
        m_animation = Animation::Curtain;
        m_layer = m_incoming;
        m_stripWidth = 1;
        m_timer.start(kCurtainInterval);
        break;
    case CoverPageStyle::FadeIn:
        m_animation = Animation::Fade;
        m_layer = m_incoming;
        m_fadeTicks = 0;
        m_timer.start(kFadeInterval);
        break;
    }
    emit changed();
}

void CoverPages::step()
{
    switch (m_animation) {
    case Animation::None:
        m_timer.stop();
        return;
    case Animation::SlideIn:
        if (m_layerLeft >= kSlideInStop)
            --m_layerLeft;
        else
            endAnimation();
        break;
    case Animation::SlideOut:
        if (m_layerLeft < m_clientWidth)
            ++m_layerLeft;
        else
            endAnimation();
        break;
    case Animation::Curtain:
        m_stripWidth += 4;
        if (m_stripWidth > pages::kLayer.width() + 4)
            endAnimation();
        break;
    case Animation::Fade: {
        // Each tick lays the same page over what is shown at 28 %, so after
        // sixteen ticks it stands at about 99.5 %.
        QPainter painter(&m_shown);
        painter.setOpacity(kFadeOpacity);
        painter.drawImage(0, 0, m_incoming);
        painter.end();
        if (++m_fadeTicks >= kFadeTicks)
            endAnimation();
        break;
    }
    }
    emit changed();
}

void CoverPages::endAnimation()
{
    m_timer.stop();
    if (m_animation != Animation::Fade)
        m_shown = m_incoming;
    m_layer = m_incoming;
    m_animation = Animation::None;
    m_refreshing = false;
    emit changed();
    emit pageShown();
}

void CoverPages::finishAnimation()
{
    if (isAnimating())
        endAnimation();
}

void CoverPages::paint(QPainter &painter) const
{
    const QPoint origin = pages::kOrigin;
    if (!m_shown.isNull())
        painter.drawImage(origin, m_shown);
    switch (m_animation) {
    case Animation::SlideIn:
    case Animation::SlideOut:
        painter.drawImage(QPoint(m_layerLeft, origin.y()), m_layer);
        break;
    case Animation::Curtain: {
        const int width = std::min(m_stripWidth, pages::kLayer.width());
        const int layerWidth = pages::kLayer.width();
        const qreal ratio = m_layer.devicePixelRatio();
        if (m_towardStart) {
            const QRect source(int((layerWidth - width) * ratio), 0, int(width * ratio),
                               m_layer.height());
            painter.drawImage(
                QRect(origin.x() + layerWidth - width, origin.y(), width, pages::kLayer.height()),
                m_layer, source);
        } else {
            const QRect source(0, 0, int(width * ratio), m_layer.height());
            painter.drawImage(QRect(origin.x(), origin.y(), width, pages::kLayer.height()), m_layer,
                              source);
        }
        break;
    }
    case Animation::None:
    case Animation::Fade:
        break;
    }
}

} // namespace quillmoth
