#include "spread_painter.h"

#include "platform/qt_text.h"

#include "reader/reader_geometry.h"

#include "engine/chapter_detection.h"
#include "platform/imaging.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillmoth {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

// Text drawn with its top-left corner at `topLeft`, the way a surface prints.
void printAt(QPainter &painter, QPointF topLeft, const QString &text)
{
    painter.drawText(QRectF(topLeft, QSizeF(1 << 16, 1 << 16)), kTextFlags, text);
}

std::vector<std::u16string_view> splitLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find(u"\r\n"); end != std::u16string_view::npos;
         end = text.find(u"\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

bool isBlank(std::u16string_view line)
{
    return std::all_of(line.begin(), line.end(),
                       [](char16_t c) { return c == u' ' || c == u'\u3000' || c == u'\t'; });
}

bool isHeading(std::u16string_view line, bool isCJK)
{
    return isCJK ? !Book_FindChapterChST(line).empty() : SubTitleE(line);
}

qreal devicePixelRatioOf(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device != nullptr ? device->devicePixelRatioF() : 1.0;
}

// The lines in the outline colour, drawn once into a layer that is then laid
// down nine times, shifted by a pixel each way: one text shaping instead of nine.
void paintOutline(QPainter &painter, QPoint origin, const std::vector<std::u16string_view> &lines,
                  const PageStyle &style)
{
    const QFontMetricsF metrics(style.font, painter.device());
    qreal widest = 0;
    for (std::u16string_view line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(qtText(line)));
    const QSize size(int(std::ceil(widest)) + 4, int(lines.size()) * style.lineHeight + 4);
    const qreal ratio = devicePixelRatioOf(painter);
    QImage layer(size * ratio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setFont(style.font);
        layerPainter.setPen(style.outlineColor);
        for (std::size_t k = 0; k < lines.size(); ++k)
            printAt(layerPainter, QPointF(2, 2 + double(k) * style.lineHeight), qtText(lines[k]));
    }
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx)
            painter.drawImage(QPoint(origin.x() - 2 + dx, origin.y() - 2 + dy), layer);
    }
}

} // namespace

QPoint SpreadLayout::textOrigin(Side side) const
{
    return side == Side::Left ? QPoint(35, 40) : QPoint(SpreadCenterX + 5, 40);
}

QPoint SpreadLayout::pageNumberOrigin(Side side, int pageNumber, int top) const
{
    // The number starts at half of what is left of the page after 30 pixels
    // and one pixel per character.
    const int numberX =
        roundHalfEvenToInt(((PageWidth - 30) - int(pageNumberText(pageNumber).size())) * 0.5);
    return side == Side::Left ? QPoint(numberX, top) : QPoint(SpreadCenterX - 30 + numberX, top);
}

PageTextExtent paintPageText(QPainter &painter, QPoint origin, std::u16string_view pageText,
                             const PageStyle &style)
{
    const std::vector<std::u16string_view> lines = splitLines(pageText);
    PageTextExtent extent{int(lines.size()), origin.y()};
    painter.save();
    painter.setFont(style.font);
    if (style.outlineColor.isValid())
        paintOutline(painter, origin, lines, style);

    const int h = style.lineHeight;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::u16string_view line = lines[k];
        const int top = origin.y() + int(k) * h;
        if (!isBlank(line))
            extent.textBottom = top + h;
        QColor color = style.textColor;
        if (style.colorizeChapterTitles && !line.empty() && isHeading(line, style.isCJK)) {
            painter.setPen(style.textColor);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(origin.x() - 2, top, style.PageWidth - 68, h));
            color = style.chapterTitleColor;
        }
        if (line.empty())
            continue;
        painter.setPen(color);
        printAt(painter, QPointF(origin.x(), top), qtText(line));
    }
    painter.restore();
    return extent;
}

QString pageNumberText(int pageNumber)
{
    return QStringLiteral("\u2014\u2014 %1 \u2014\u2014").arg(pageNumber);
}

int pageNumberTop(int usualTop, int textBottom, int numberHeight, int surfaceHeight)
{
    if (textBottom <= usualTop)
        return usualTop;
    return std::max(0, std::min(textBottom, surfaceHeight - numberHeight));
}

void paintPageNumber(QPainter &painter, QPoint origin, int pageNumber, const QFont &font,
                     const QColor &color)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    printAt(painter, origin, pageNumberText(pageNumber));
    painter.restore();
}

void paintHeader(QPainter &painter, const HeaderInput &header)
{
    const SpreadLayout &layout = header.layout;
    const double middle = layout.surfaceSize.width() * 0.5;
    const double ruleLength = 0.6 * layout.PageWidth;
    painter.save();
    painter.setFont(header.font);
    painter.setPen(header.color);
    painter.setBrush(Qt::NoBrush);

    const int leftStart = roundHalfEvenToInt(middle - ruleLength);
    const int leftEnd = roundHalfEvenToInt(middle - 15);
    painter.drawLine(leftStart, 26, leftEnd, 26);
    painter.fillRect(QRect(QPoint(leftStart, 28), QPoint(leftEnd - 1, 29)), header.color);
    printAt(painter, QPointF(layout.SpreadCenterX - 150, 10),
            QStringLiteral("Total Pages: %1").arg(header.PageCount));

    const int rightStart = layout.SpreadCenterX - 10;
    const int rightEnd = roundHalfEvenToInt(rightStart + ruleLength);
    painter.drawLine(rightStart, 26, rightEnd, 26);
    painter.drawRect(QRect(QPoint(rightStart, 28), QPoint(rightEnd - 1, 28)));
    printAt(painter, QPointF(rightStart, 10), header.BookFileName);
    painter.restore();
}

QRectF CalcNewSize(QSizeF image, QSizeF box)
{
    const double iw = image.width();
    const double ih = image.height();
    const double mw = box.width();
    const double mh = box.height();
    if (iw <= 0 || ih <= 0)
        return {};
    if (iw <= mw && ih <= mh)
        return {(mw - iw) / 2, (mh - ih) / 2, iw, ih};
    if (ih >= iw) {
        const double w = iw * mh / ih;
        if (w <= mw)
            return {(mw - w) / 2, 0, w, mh};
    }
    const double h = ih * mw / iw;
    if (h <= mh)
        return {0, (mh - h) / 2, mw, h};
    const double w = iw * mh / ih;
    return {(mw - w) / 2, 0, w, mh};
}

QSize illustrationBox(int PageWidth, int PageHeight, int top)
{
    return {PageWidth - 60, (PageHeight - 40) - top};
}

void paintIllustration(QPainter &painter, QPoint topLeft, QSize box, const QImage &image,
                       bool framed)
{
    if (image.isNull() || box.width() <= 0 || box.height() < kSmallestIllustrationHeight)
        return;
    const QRectF fit = CalcNewSize(image.size(), box);
    const QRect target(topLeft.x() + roundHalfEvenToInt(fit.x()),
                       topLeft.y() + roundHalfEvenToInt(fit.y()), roundHalfEvenToInt(fit.width()),
                       roundHalfEvenToInt(fit.height()));
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    if (framed) {
        painter.setPen(QColor(250, 250, 250));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(target.adjusted(-1, -1, 0, 0));
    }
    painter.restore();
}

double shadeOpacityForLuminance(int luminance)
{
    double opacity = 0;
    if (luminance < 100)
        opacity = (255 - luminance) * 1.2 / 255;
    else if (luminance <= 220)
        opacity = (255 - luminance) * 1.1 / 255;
    else
        opacity = (255 - luminance) / 255.0;
    return std::clamp(opacity, 0.45, 1.0);
}

int foldLuminance(const QImage &surface)
{
    const qreal ratio = surface.devicePixelRatio();
    const int width = roundHalfEvenToInt(surface.width() / ratio);
    const int height = roundHalfEvenToInt(surface.height() / ratio);
    const int middle = roundHalfEvenToInt(width / 2.0);
    std::int64_t red = 0;
    std::int64_t green = 0;
    std::int64_t blue = 0;
    std::int64_t samples = 0;
    for (int x = middle - 30; x <= middle + 30; x += 2) {
        for (int y = 0; y < height; y += 10) {
            const QPoint device(int(x * ratio), int(y * ratio));
            if (!surface.valid(device))
                continue;
            const QRgb pixel = surface.pixel(device);
            red += qRed(pixel);
            green += qGreen(pixel);
            blue += qBlue(pixel);
            ++samples;
        }
    }
    if (samples == 0)
        return 255;
    const auto average = [samples](std::int64_t sum) {
        return roundHalfEvenToInt(double(sum) / double(samples));
    };
    return roundHalfEvenToInt(0.587 * average(green) + 0.299 * average(red) +
                              0.114 * average(blue));
}

void paintFoldLine(QImage &surface)
{
    if (surface.isNull())
        return;
    if (surface.format() != QImage::Format_ARGB32_Premultiplied &&
        surface.format() != QImage::Format_RGB32 && surface.format() != QImage::Format_ARGB32)
        surface = surface.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int middle = roundHalfEvenToInt(surface.width() / 2.0);
    if (middle - 3 < 0 || middle + 3 >= surface.width())
        return;
    const auto darken = [](int v) { return std::max(v - 30, 0); };
    const auto lift = [](int v, int by) { return std::min(v + by, 255); };
    static constexpr int kLift[7] = {20, 10, 0, -1, 0, 10, 20};  // -1: darkened once more
    for (int y = 0; y < surface.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(surface.scanLine(y));
        const QRgb centre = line[middle];
        const int r = darken(qRed(centre));
        const int g = darken(qGreen(centre));
        const int b = darken(qBlue(centre));
        for (int i = 0; i < 7; ++i) {
            const int by = kLift[i];
            line[middle - 3 + i] = by < 0 ? qRgb(darken(r), darken(g), darken(b))
                                          : qRgb(lift(r, by), lift(g, by), lift(b, by));
        }
    }
}

double paintBackground(QImage &surface, const BackgroundInput &input)
{
    const SpreadLayout &layout = input.layout;
    const int width = layout.surfaceSize.width();
    const int height = layout.surfaceSize.height();
    surface.fill(input.paperColor);

    const bool hasBackground = !input.backgroundImage.isNull();
    if (hasBackground) {
        QPainter painter(&surface);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const double alpha = input.BgOpacity == 0 ? 0.1 : input.BgOpacity * 0.01;
        painter.setOpacity(std::clamp(alpha, 0.0, 1.0));
        const QImage &image = input.backgroundImage;
        const bool stretch = (image.width() < width && image.height() < width) ||
                             image.width() > image.height();
        if (stretch) {
            painter.drawImage(QRectF(0, 0, width, height), image);
        } else {
            // A tall picture keeps its proportions, filling the height.
            const double drawnWidth = double(image.width()) * height / image.height();
            painter.drawImage(QRectF((width - drawnWidth) / 2, 0, drawnWidth, height), image);
        }
    }
    const double shadeOpacity =
        hasBackground ? shadeOpacityForLuminance(foldLuminance(surface)) : 0.45;
    paintFoldLine(surface);

    QPainter painter(&surface);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage &shadow = input.midShadowImage;
    if (!shadow.isNull()) {
        const int middle = roundHalfEvenToInt(width / 2.0);
        const ImageAttributes tint{0.1, 0.1, 0.1, shadeOpacity};
        const int mw = shadow.width();
        const int mh = shadow.height();
        const double left = middle - mw / 2.0;
        drawImageRect(painter, shadow, QRectF(left, 0, mw, height), QRectF(0, 10, mw, mh - 20),
                      &tint);
        const int outer = roundHalfEvenToInt(left) + 200;
        if (mw > 130 && outer < width) {
            drawImageRect(painter, shadow, QRectF(outer, 0, width - outer, height),
                          QRectF(0, 0, mw - 130, mh - 20), &tint);
        }
    }

    const QImage &corner = input.cornerImage;
    if (!corner.isNull()) {
        const bool small = corner.width() <= 120 && corner.height() <= 120;
        const QSize base = small ? corner.size() : QSize(120, 120);
        const QSize drawn(roundHalfEvenToInt(base.width() * input.padSize * 0.01),
                          roundHalfEvenToInt(base.height() * input.padSize * 0.01));
        painter.save();
        painter.setOpacity(input.CornerOpacity == 0 ? 1.0
                                                    : std::clamp(input.CornerOpacity * 0.01, 0.0, 1.0));
        const int right = width - drawn.width() - 2;
        const int lower = layout.PageHeight - 2 - drawn.height();
        painter.drawImage(QRect(QPoint(2, 2), drawn), corner);
        painter.drawImage(QRect(QPoint(2, lower), drawn), corner.mirrored(false, true));
        painter.drawImage(QRect(QPoint(right, lower), drawn), corner.mirrored(true, true));
        painter.drawImage(QRect(QPoint(right, 2), drawn), corner.mirrored(true, false));
        painter.restore();
    }

    if (!input.fixedIllustration.isNull()) {
        const QPoint topLeft(roundHalfEvenToInt(width * 0.5) + 30, input.IllustrationTop);
        paintIllustration(painter, topLeft,
                          illustrationBox(layout.PageWidth, layout.PageHeight, topLeft.y()),
                          input.fixedIllustration, input.frameFixedIllustration);
    }
    paintHeader(painter, input.header);
    return shadeOpacity;
}

} // namespace quillmoth
