#pragma once

#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;
class QWidget;

namespace quillmoth {

// The picture operations the whole program relies on, over QImage and
// QPainter. A failed load gives a null image; every drawing function draws
// nothing for a null image.

// Reads a JPEG, PNG, GIF or BMP file (any format Qt reads); a null image on
// failure, never an exception.
QImage loadImage(const QString &path);

// Draws the whole image stretched into the destination rectangle.
void drawImageStretched(QPainter &painter, const QImage &image, const QRectF &destination);

// Per-channel scales applied while drawing, the part of a 5 x 5 colour
// matrix the program uses: its diagonal.
struct ImageAttributes {
    double redScale = 1.0;
    double greenScale = 1.0;
    double blueScale = 1.0;
    double alphaScale = 1.0;

    // The scales of a colour matrix laid out row by row, as GDI+ takes it
    // (element [i][i] scales channel i: red, green, blue, alpha).
    static ImageAttributes fromColorMatrix(const std::array<std::array<float, 5>, 5> &matrix);

    bool scalesColor() const { return redScale != 1.0 || greenScale != 1.0 || blueScale != 1.0; }
};

// Draws the source rectangle (image pixels) stretched into the destination,
// with the colours and alpha scaled by the attributes when given.
void drawImageRect(QPainter &painter, const QImage &image, const QRectF &destination,
                   const QRectF &source, const ImageAttributes *attributes = nullptr);

// A copy of the image with each channel scaled (the tinted copy behind
// drawImageRect's attributes).
QImage scaledChannels(const QImage &image, const ImageAttributes &attributes);

// Rotations and flips with the numbering of GDI+'s RotateFlipType.
enum class RotateFlip {
    None = 0,
    Rotate90 = 1,
    Rotate180 = 2,
    Rotate270 = 3,
    FlipX = 4,
    Rotate90FlipX = 5,
    FlipY = 6,
    Rotate270FlipX = 7,
};

// Turns or mirrors the image in place (rotations are clockwise).
void rotateFlip(QImage &image, RotateFlip kind);

// What the widget shows now, as an image.
QImage surfaceImage(QWidget &surface);

// A new image of exactly the given size with the whole image stretched into
// it (smoothly); a null image for a null source or an empty size.
QImage thumbnail(const QImage &image, int width, int height);

// Saves the image as a JPEG file of the given quality (0 to 100), atomically:
// an existing file is replaced only once the new one is complete. Returns
// true on success; otherwise `error` says why.
bool saveJpeg(const QImage &image, const QString &path, int quality, QString *error = nullptr);

// Narrows the painter's clip to the polygon (intersected with any clip that
// is already set).
void clipToPolygon(QPainter &painter, const QPolygon &polygon);

// Moves later drawing by the offset and then turns it by the angle in
// degrees (clockwise on screen, as GDI+ turns the world).
void translateAndRotate(QPainter &painter, const QPointF &offset, double degrees);

// Fills a rectangle with an ARGB colour (0xAARRGGBB), blending it over what
// is there.
void fillTranslucentRect(QPainter &painter, const QRectF &rect, QRgb argb);

} // namespace quillmoth
