#include "templates/photo_fit.h"

#include <QPainter>

namespace velmora {

QSize fit_photo(int width, int height, QSize box, int margin) {
    const int bw = box.width() - margin, bh = box.height() - margin;
    if (width <= 0 || height <= 0 || bw <= 0 || bh <= 0)
        return {};
    int w = 0, h = 0;
    if (width >= height) {
        w = bw;
        h = int(qint64(height) * bw / width);
        if (h > bh) {
            h = bh;
            w = int(qint64(width) * bh / height);
        }
    } else {
        h = bh;
        w = int(qint64(width) * bh / height);
        if (w > bw) {
            w = bw;
            h = int(qint64(height) * bw / width);
        }
    }
    return {std::max(w, 1), std::max(h, 1)};
}

QImage framed_picture(const QImage& picture, QSize cell, int frame, QColor background) {
    QImage out(cell, QImage::Format_RGB32);
    out.fill(background);
    QPainter p(&out);
    const QSize framed = picture.size() + QSize(2 * frame, 2 * frame);
    const QPoint corner((cell.width() - framed.width()) / 2, (cell.height() - framed.height()) / 2);
    p.fillRect(QRect(corner, framed), Qt::white);
    p.drawImage(corner + QPoint(frame, frame), picture);
    return out;
}

} // namespace velmora
