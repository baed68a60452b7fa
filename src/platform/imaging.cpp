#include "imaging.h"

#include "text/atomic_file.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace quillmoth {

QImage loadImage(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image;
}

void drawImageStretched(QPainter &painter, const QImage &image, const QRectF &destination)
{
    if (image.isNull())
        return;
    painter.drawImage(destination, image, QRectF(image.rect()));
}

ImageAttributes ImageAttributes::fromColorMatrix(
    const std::array<std::array<float, 5>, 5> &matrix)
{
    ImageAttributes attributes;
    attributes.redScale = double(matrix[0][0]);
    attributes.greenScale = double(matrix[1][1]);
    attributes.blueScale = double(matrix[2][2]);
    attributes.alphaScale = double(matrix[3][3]);
    return attributes;
}

QImage scaledChannels(const QImage &image, const ImageAttributes &attributes)
{
    if (image.isNull())
        return {};
    // Scaling works on straight (not premultiplied) colours, so that a scale
    // above 1 cannot push a channel past its alpha.
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const auto scale = [](int channel, double factor) {
        return std::clamp(int(std::lround(channel * factor)), 0, 255);
    };
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgba(scale(qRed(pixel), attributes.redScale),
                            scale(qGreen(pixel), attributes.greenScale),
                            scale(qBlue(pixel), attributes.blueScale), qAlpha(pixel));
        }
    }
    return result;
}

void drawImageRect(QPainter &painter, const QImage &image, const QRectF &destination,
                   const QRectF &source, const ImageAttributes *attributes)
{
    if (image.isNull())
        return;
    if (!attributes) {
        painter.drawImage(destination, image, source);
        return;
    }
    const double opacity = std::clamp(attributes->alphaScale, 0.0, 1.0);
    if (opacity <= 0.0)
        return;
    painter.save();
    painter.setOpacity(painter.opacity() * opacity);
    if (attributes->scalesColor()) {
        // Only the part that is drawn is tinted.
        const QRect part = source.toAlignedRect().intersected(image.rect());
        const QImage tinted = scaledChannels(image.copy(part), *attributes);
        painter.drawImage(destination, tinted, source.translated(-part.topLeft()));
    } else {
        painter.drawImage(destination, image, source);
    }
    painter.restore();
}

void rotateFlip(QImage &image, RotateFlip kind)
{
    if (image.isNull())
        return;
    const auto turned = [&image](int degrees) {
        return image.transformed(QTransform().rotate(degrees), Qt::FastTransformation);
    };
    switch (kind) {
    case RotateFlip::None:
        return;
    case RotateFlip::Rotate90:
        image = turned(90);
        return;
    case RotateFlip::Rotate180:
        image.mirror(true, true);
        return;
    case RotateFlip::Rotate270:
        image = turned(270);
        return;
    case RotateFlip::FlipX:
        image.mirror(true, false);
        return;
    case RotateFlip::Rotate90FlipX:
        image = turned(90);
        image.mirror(true, false);
        return;
    case RotateFlip::FlipY:
        image.mirror(false, true);
        return;
    case RotateFlip::Rotate270FlipX:
        image = turned(270);
        image.mirror(true, false);
        return;
    }
}

QImage surfaceImage(QWidget &surface)
{
    return surface.grab().toImage();
}

QImage thumbnail(const QImage &image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return {};
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool saveJpeg(const QImage &image, const QString &path, int quality, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (image.isNull())
        return fail(QStringLiteral("There is no picture to save."));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(std::clamp(quality, 0, 100));
    // JPEG has no alpha: flatten over white rather than over undefined black.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    if (!writer.write(opaque))
        return fail(writer.errorString());
    std::string why;
    if (!writeFileAtomically(path.toStdU16String(), std::string_view(bytes.constData(), std::size_t(bytes.size())), &why))
        return fail(QString::fromStdString(why));
    if (error)
        error->clear();
    return true;
}

void clipToPolygon(QPainter &painter, const QPolygon &polygon)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(polygon));
    path.closeSubpath();
    painter.setClipPath(path, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void translateAndRotate(QPainter &painter, const QPointF &offset, double degrees)
{
    painter.translate(offset);
    painter.rotate(degrees);
}

void fillTranslucentRect(QPainter &painter, const QRectF &rect, QRgb argb)
{
    painter.fillRect(rect, QColor::fromRgba(argb));
}

} // namespace quillmoth
