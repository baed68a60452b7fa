#include "shelf/shelf_painter.h"

#include "platform/imaging.h"
#include "platform/resource_extraction.h"
#include "platform/text_drawing.h"

#include <QPainter>

#include <algorithm>

namespace quillmoth {

namespace {

QImage builtinPiece(const char *resourceName)
{
    return QImage::fromData(builtinResource(QString::fromLatin1(resourceName)));
}

QImage usablePiece(QImage image, const char *resourceName)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        image = builtinPiece(resourceName);
    return image;
}

ShelfPieces completed(ShelfPieces pieces)
{
    pieces.top = usablePiece(std::move(pieces.top), "TOP");
    pieces.leftPost = usablePiece(std::move(pieces.leftPost), "LEFT");
    pieces.board = usablePiece(std::move(pieces.board), "MIDDLE");
    pieces.rightPost = pieces.leftPost.mirrored(true, false);
    return pieces;
}

} // namespace

ShelfPieces loadShelfPieces(const std::filesystem::path &topFile,
                            const std::filesystem::path &leftFile,
                            const std::filesystem::path &boardFile)
{
    ShelfPieces pieces;
    pieces.top = loadDataPicture(topFile, QStringLiteral("TOP"));
    pieces.leftPost = loadDataPicture(leftFile, QStringLiteral("LEFT"));
    pieces.board = loadDataPicture(boardFile, QStringLiteral("MIDDLE"));
    return completed(std::move(pieces));
}

ShelfPieces builtinShelfPieces()
{
    return completed({});
}

void paintShelfBackground(QPainter &painter, const ShelfPieces &pieces, QSize canvasSize,
                          int bandTop, int bandHeight)
{
    const int width = canvasSize.width();
    const int height = canvasSize.height();
    const int bandBottom = bandTop + bandHeight;
    const auto inBand = [&](int top, int tileHeight) {
        return top < bandBottom && top + tileHeight > bandTop;
    };

    const int topHeight = pieces.top.height();
    if (inBand(0, topHeight)) {
        drawImageStretched(painter, pieces.top, QRectF(0, 0, width, topHeight));
        painter.drawImage(width - pieces.top.width(), 0, pieces.top);
    }

    const int postWidth = pieces.leftPost.width();
    const int postHeight = pieces.leftPost.height();
    // Only the tiles that reach into the band are drawn; the loop bounds are
    // the ones of the whole canvas, so the tiles stand where they always do.
    const int firstPost = std::max(0, (bandTop - topHeight) / postHeight - 1);
    for (int k = firstPost; k * postHeight <= height; ++k) {
        const int y = topHeight + k * postHeight;
        if (y >= bandBottom)
            break;
        if (!inBand(y, postHeight))
            continue;
        painter.drawImage(0, y, pieces.leftPost);
        painter.drawImage(width - postWidth, y, pieces.rightPost);
    }

    const int boardWidth = pieces.board.width();
    const int boardHeight = pieces.board.height();
    const int lastLeft = width - postWidth - boardWidth;
    const int firstRow = std::max(0, (bandTop - topHeight) / boardHeight - 1);
    for (int k = firstRow; k * boardHeight <= height; ++k) {
        const int y = topHeight + k * boardHeight;
        if (y >= bandBottom)
            break;
        if (!inBand(y, boardHeight))
            continue;
        for (int x = postWidth; x <= width - postWidth; x += boardWidth) {
            // The last board of a row is pulled left so that it ends at the right post.
            painter.drawImage(QRect(std::min(x, lastLeft), y, boardWidth, boardHeight),
                              pieces.board);
        }
    }
}

void paintCover(QPainter &painter, const CoverRect &rect, const QImage &thumbnail,
                const QImage &defaultCover, const QString &title, const QFont &font)
{
    if (!thumbnail.isNull()) {
        drawImageStretched(painter, thumbnail, rect.rect());
        return;
    }
    drawImageStretched(painter, defaultCover, rect.rect());
    paintCoverTitle(painter, rect, title, font);
}

void paintCoverTitle(QPainter &painter, const CoverRect &rect, const QString &title,
                     const QFont &font)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect box(QPoint(rect.Left + 10, rect.Top + 50),
                    QPoint(rect.Right - 10 - 1, rect.Bottom - 11 - 1));
    drawFormattedText(painter, box, title,
                      TextFormat::kCenter | TextFormat::kWordBreak | TextFormat::kNoPrefix);
    painter.restore();
}

QRect shelfSelectionFrame(const CoverRect &rect)
{
    return rect.rect().adjusted(4, 4, -4, -4);
}

QRect pageSelectionFrame(const CoverRect &rect)
{
    const QRect cover = rect.rect();
    return QRect(cover.left() + 8, cover.top() + 8, cover.width() - 15, cover.height() - 15);
}

void paintSelectionFrame(QPainter &painter, const QRect &frame)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 214, 90), 2));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
    painter.restore();
}

void paintWindowBackground(QPainter &painter, const QImage &background, QSize clientSize)
{
    drawImageStretched(painter, background,
                       QRectF(0, 25, clientSize.width(), clientSize.height() - 45));
}

void paintGlassPane(QPainter &painter, const QImage &under, const QRect &rect,
                    const QColor &glassColor)
{
    painter.save();
    painter.fillRect(rect, glassColor);
    painter.setOpacity(180.0 / 255.0);
    painter.drawImage(rect.topLeft(), under);
    painter.setOpacity(1.0);
    painter.setPen(QColor(25, 120, 120));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(-1, -1, 0, 0));
    painter.restore();
}

int dropShadowAlpha(int x, int y, QSize control)
{
    const int width = control.width();
    const int height = control.height();
    if (x < 0 || y < 0 || x >= width + 6 || y >= height + 6)
        return 0;
    // Strength falls from 6 at the control's edge to 1 at the outer edge of the
    // border, and rises over the first six pixels where the shadow begins.
    const auto step = [](int position, int extent) {
        if (position >= extent)
            return 6 - (position - extent);
        return std::min(position + 1, 6);
    };
    const int sx = step(x, width);
    const int sy = step(y, height);
    if (x >= width && y >= height)
        return 4 * sx * sy;
    if (x >= width)
        return 4 * 5 * sx * std::min(sy, 6) / 6;
    if (y >= height)
        return 4 * 5 * sy * std::min(sx, 6) / 6;
    return 4 * 5 * 6;
}

void paintDropShadow(QPainter &painter, const QRect &control)
{
    const QSize size = control.size();
    QImage shadow(size + QSize(6, 6), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    for (int y = 0; y < shadow.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(shadow.scanLine(y));
        for (int x = 0; x < shadow.width(); ++x)
            line[x] = qRgba(0, 0, 0, dropShadowAlpha(x, y, size));
    }
    painter.drawImage(control.left(), control.top() + 1, shadow);
}

void paintPageButtons(QPainter &painter, const std::vector<PageButton> &buttons, int currentPage,
                      const QFont &font)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(200, 200, 200));
    for (const PageButton &button : buttons) {
        const QRect box(button.rect.left() + 1, button.rect.top(), 40, button.rect.height());
        drawFormattedText(painter, box, QString::number(button.page),
                          TextFormat::kNoPrefix | TextFormat::kNoClip);
        if (button.page == currentPage) {
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(button.rect.adjusted(-1, -1, 0, 0));
        }
    }
    painter.restore();
}

QRect statusStrip(QSize clientSize)
{
    return QRect(0, clientSize.height() - 20, clientSize.width(), 20);
}

} // namespace quillmoth
