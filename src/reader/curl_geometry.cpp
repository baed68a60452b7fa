#include "curl_geometry.h"

#include <algorithm>
#include <cmath>

namespace quillmoth {
namespace {

// The degree-to-radian factor the turn has always used; keeping it keeps the
// fold exactly where it was drawn before.
constexpr double kRadiansPerDegree = 0.01745329238474369;

// Far outside any pad, yet safe to convert: near d = PageWidth the tangent of
// the fold angle is huge, and such values only ever decide a branch.
constexpr double kCoordinateLimit = 1 << 24;

int toPixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    return roundHalfEvenToInt(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

QPoint toPoint(const QPointF &point) { return {toPixel(point.x()), toPixel(point.y())}; }

double sinDegrees(double degrees) { return std::sin(degrees * kRadiansPerDegree); }
double cosDegrees(double degrees) { return std::cos(degrees * kRadiansPerDegree); }
double tanDegrees(double degrees) { return std::tan(degrees * kRadiansPerDegree); }

std::optional<CurlShadow> shadowBand(const QPointF &origin, double rotation, double left,
                                     double top, double width, double height)
{
    const QRect destination(toPixel(left), toPixel(top), toPixel(width), toPixel(height));
    // A band narrower than nothing would be drawn mirrored.
    if (destination.width() <= 0 || destination.height() <= 0)
        return std::nullopt;
    return CurlShadow{origin, rotation, destination};
}

} // namespace

CurlGeometry curlGeometry(TurnDirection direction, double offset, const ReaderGeometry &geometry)
{
    const PageRectangle &rect = geometry.PageRect;
    const double pageWidth = geometry.PageWidth;
    const double pageHeight = geometry.PageHeight;
    const double d = std::clamp(std::isfinite(offset) ? offset : 0.0, 0.0, std::max(pageWidth, 0.0));
    const bool forward = direction == TurnDirection::Forward;

    CurlGeometry frame;
    frame.direction = direction;
    frame.TurnOffset = d;
    const double a = pageWidth > 0 ? 45 * d / pageWidth + 45 : 45;
    frame.FoldAngle = a;
    const double t = d * tanDegrees(a);
    const double length = std::sqrt(d * d + t * t);
    const double turn = 180 - 2 * a;

    const double side = forward ? rect.Right : rect.Left;  // the edge the corner leaves
    const double sign = forward ? -1 : 1;                  // towards the fold
    const double bottom = rect.Bottom;
    // The forward corner sits one pixel higher, as it always has.
    frame.corner = QPointF(side + sign * (d + d * cosDegrees(turn)),
                           bottom - d * sinDegrees(turn) - (forward ? 1 : 0));
    frame.FoldBottom = QPointF(side + sign * d, bottom);

    const QPoint corner = toPoint(frame.corner);
    const QPoint foldBottom = toPoint(frame.FoldBottom);
    const QPoint pageCorner(int(side), rect.Bottom);

    double foldLength = length;
    double shadowWidth = d / 4;
    if (t <= pageHeight) {
        frame.foldEnd = QPointF(side, bottom - t);
        const QPoint foldEnd = toPoint(frame.foldEnd);
        frame.FlapPolygon = QPolygon({corner, foldBottom, foldEnd});
        frame.RevealPolygon = QPolygon({pageCorner, foldBottom, foldEnd});
    } else {
        // The fold leaves through the top edge at G; C is where G's corner of
        // the flap lands.
        const double over = t - pageHeight;
        const double h = over * tanDegrees(90 - a);
        QPointF top(side + sign * h, rect.Top);
        QPointF topCorner(top.x() + sign * h * cosDegrees(turn), rect.Top - h * sinDegrees(turn));
        foldLength = length - std::sqrt(h * h + over * over);
        const bool crossed = forward ? top.x() <= topCorner.x() : top.x() >= topCorner.x();
        if (crossed) {
            // The flap has passed upright: it lies over the whole other page.
            topCorner.setX(forward ? rect.Left : rect.Right);
            top.setX(geometry.clientWidth / 2.0);
            foldLength = pageHeight;
        }
        frame.foldEnd = top;
        const QPoint g = toPoint(top);
        frame.FlapPolygon = QPolygon({corner, foldBottom, g, toPoint(topCorner)});
        frame.RevealPolygon = QPolygon({pageCorner, foldBottom, g, QPoint(int(side), rect.Top)});
        shadowWidth = d / 3;
    }

    frame.backImageSize = QSize(geometry.PageHeight, geometry.PageWidth);
    if (forward) {
        frame.flapOrigin = corner;
        frame.flapRotation = 90 - 2 * a;
        frame.backImageOffset = QPoint(0, 0);
        frame.revealedPageOrigin = QPoint(geometry.SpreadCenterX, rect.Top);
        if (a < 89) {
            frame.shadow = shadowBand(frame.FoldBottom, 90 - (a - 0.8), -shadowWidth / 2 + 5,
                                      -foldLength - 10, shadowWidth - 10, foldLength + 30);
        }
    } else {
        const double flapAngle = 2 * a + 90;
        const double shadowAngle = 180 + a;
        frame.flapOrigin = corner + QPoint(1, -1);
        frame.flapRotation = flapAngle - 180;
        frame.backImageOffset = QPoint(-geometry.PageHeight, 0);
        frame.revealedPageOrigin = QPoint(rect.Left, rect.Top);
        if (shadowAngle < 268.5) {
            frame.shadow = shadowBand(frame.FoldBottom, shadowAngle - 1.5 + 90, -shadowWidth / 2,
                                      -foldLength - 10, shadowWidth, foldLength + 45);
        }
    }
    return frame;
}

} // namespace quillmoth
