#include "templates/visible_part.h"

namespace velmora {

std::optional<VisiblePart> visible_part(QRect placed, QRect frame) {
    const QRect shown = placed.intersected(frame);
    if (placed.isEmpty() || shown.isEmpty())
        return std::nullopt;
    const qreal w = placed.width(), h = placed.height();
    return VisiblePart{shown, QRectF((shown.x() - placed.x()) / w, (shown.y() - placed.y()) / h,
                                     shown.width() / w, shown.height() / h)};
}

} // namespace velmora
