#include "preview/picture_fit.h"

#include <QPainter>
#include <cstdlib>

namespace velmora {

QSize fitted_size(QSize picture, QSize box) {
    if (picture.isEmpty() || box.isEmpty())
        return {};
    const QSize scaled = picture.scaled(box, Qt::KeepAspectRatio);
    if (std::abs(scaled.width() - box.width()) <= 1 && std::abs(scaled.height() - box.height()) <= 1)
        return box;
    return scaled.expandedTo(QSize(1, 1));
}

QImage fit_picture(const QImage& picture, QSize box) {
    QImage canvas(box, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    const QSize size = fitted_size(picture.size(), box);
    if (size.isEmpty())
        return canvas;
    const QImage scaled = picture.size() == size
        ? picture
        : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&canvas);
    painter.drawImage((box.width() - size.width()) / 2, (box.height() - size.height()) / 2, scaled);
    return canvas;
}

bool fit_covers_box(const QImage& picture, QSize box) {
    return !picture.hasAlphaChannel() && fitted_size(picture.size(), box) == box;
}

} // namespace velmora
