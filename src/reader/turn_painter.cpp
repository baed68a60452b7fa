#include "turn_painter.h"

#include "platform/imaging.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace quillmoth {
namespace {

bool isDrawable(const QPolygon &polygon)
{
    return polygon.size() >= 3 && !polygon.boundingRect().isEmpty();
}

} // namespace

void paintTurnFrame(QPainter &painter, const CurlGeometry &curl, const TurnImages &images)
{
    if (!images.isReady())
        return;
    // Clips without antialiasing: an antialiased clip costs several times more.
    if (isDrawable(curl.RevealPolygon)) {
        painter.save();
        clipToPolygon(painter, curl.RevealPolygon);
        painter.drawImage(curl.revealedPageOrigin, images.revealedPage);
        painter.restore();
    }
    if (isDrawable(curl.FlapPolygon)) {
        painter.save();
        clipToPolygon(painter, curl.FlapPolygon);
        painter.translate(curl.flapOrigin);
        painter.rotate(curl.flapRotation);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(curl.backImageOffset, curl.backImageSize), images.backImage);
        painter.resetTransform();
        // The lifted paper curves away from the fold: a little darker there,
        // catching the light towards its corner.
        const QLineF fold = curl.foldLine();
        const QPointF middle = fold.center();
        const QLineF across = fold.normalVector().unitVector();
        const QPointF towardsCorner = across.p2() - across.p1();
        const double reach = std::max(1.0, QLineF(middle, curl.corner).length());
        const double side = QPointF::dotProduct(curl.corner - middle, towardsCorner) >= 0 ? 1 : -1;
        QLinearGradient light(middle, middle + towardsCorner * (side * reach));
        light.setColorAt(0, QColor(0, 0, 0, 46));
        light.setColorAt(0.35, QColor(0, 0, 0, 10));
        light.setColorAt(1, QColor(255, 255, 255, 30));
        painter.fillRect(curl.FlapPolygon.boundingRect(), light);
        painter.restore();
    }
    if (curl.shadow && !images.shadowImage.isNull()) {
        painter.save();
        painter.translate(curl.shadow->origin);
        painter.rotate(curl.shadow->rotation);
        painter.setOpacity(images.shadowOpacity);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(curl.shadow->destination, images.shadowImage);
        painter.restore();
    }
    if (isDrawable(curl.FlapPolygon)) {
        // Only the fold is antialiased: it smooths the clip's stairs where
        // the eye looks, at a fraction of an antialiased clip's cost.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 0, 0, 90), 1.2));
        painter.drawLine(curl.foldLine());
        painter.restore();
    }
}

} // namespace quillmoth
