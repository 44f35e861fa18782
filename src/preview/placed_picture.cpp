#include "preview/placed_picture.h"

#include <QBrush>
#include <QPainter>
#include <QPolygonF>

namespace velmora {

void lay_picture(QPainter& painter, const PlacedPicture& picture, QPoint origin) {
    const QTransform placement = picture.placement * QTransform::fromTranslate(-origin.x(), -origin.y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setOpacity(picture.opacity);
    QBrush texture(picture.pixels);
    texture.setTransform(placement);
    painter.setBrush(texture);
    const QPolygonF outline = placement.map(QPolygonF(QRectF(picture.pixels.rect())));
    if (!picture.clip) {
        painter.drawPolygon(outline);
    } else {
        QPainterPath shape;
        shape.addPolygon(outline);
        shape.closeSubpath();
        painter.drawPath(shape.intersected(picture.clip->translated(-origin.x(), -origin.y())));
    }
    painter.restore();
}

} // namespace velmora
