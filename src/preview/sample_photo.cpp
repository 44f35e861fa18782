#include "preview/sample_photo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace velmora {
namespace {

struct Palette {
    QColor sky_top, sky_bottom, sun, far_hill, near_hill;
};

const Palette kPalettes[] = {
    {{72, 122, 196}, {250, 196, 150}, {255, 236, 190}, {104, 120, 160}, {52, 74, 92}},
    {{30, 40, 90}, {226, 110, 120}, {255, 210, 160}, {90, 60, 110}, {40, 30, 60}},
    {{120, 190, 220}, {230, 246, 250}, {255, 255, 230}, {90, 150, 120}, {50, 110, 80}},
    {{255, 170, 120}, {255, 230, 180}, {255, 250, 220}, {200, 120, 100}, {120, 70, 70}},
    {{60, 90, 140}, {180, 200, 220}, {240, 240, 255}, {80, 100, 130}, {30, 50, 70}},
};

} // namespace

QImage paint_sample_photo(QSize size, int seed) {
    const Palette& c = kPalettes[std::size_t(seed) % std::size(kPalettes)];
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, c.sky_top);
    sky.setColorAt(0.75, c.sky_bottom);
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(c.sun);
    const qreal r = qMin(w, h) * 0.11;
    p.drawEllipse(QPointF(w * (0.25 + 0.12 * (seed % 4)), h * 0.42), r, r);
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath hills;
        const qreal base = h * (layer == 0 ? 0.62 : 0.74);
        hills.moveTo(0, h);
        hills.lineTo(0, base);
        for (int i = 0; i <= 6; ++i) {
            const qreal x = w * i / 6.0;
            const qreal y = base - h * 0.08 * ((i + seed + layer) % 3);
            hills.quadTo(x - w / 12.0, y - h * 0.05, x, y);
        }
        hills.lineTo(w, h);
        hills.closeSubpath();
        p.setBrush(layer == 0 ? c.far_hill : c.near_hill);
        p.drawPath(hills);
    }
    // Soft clouds drifting across the sky.
    p.setBrush(QColor(255, 255, 255, 70));
    for (int i = 0; i < 3; ++i) {
        const qreal cx = w * (0.15 + 0.3 * i + 0.05 * (seed % 3));
        const qreal cy = h * (0.14 + 0.06 * ((seed + i) % 3));
        const qreal cw = w * 0.16;
        for (int puff = 0; puff < 3; ++puff)
            p.drawEllipse(QPointF(cx + cw * 0.3 * puff, cy - (puff == 1 ? h * 0.02 : 0)), cw * 0.28, h * 0.035);
    }
    // A few pines on the near hill give the picture a subject.
    p.setBrush(c.near_hill.darker(160));
    const int trees = 3 + seed % 3;
    for (int i = 0; i < trees; ++i) {
        const qreal tx = w * (0.58 + 0.06 * i);
        const qreal base = h * (0.80 - 0.015 * (i % 2));
        const qreal th = h * (0.16 + 0.03 * ((i + seed) % 3));
        for (int tier = 0; tier < 3; ++tier) {
            const qreal top = base - th + th * 0.22 * tier;
            const qreal half = th * (0.12 + 0.05 * tier);
            QPainterPath tier_path;
            tier_path.moveTo(tx, top);
            tier_path.lineTo(tx + half, top + th * 0.42);
            tier_path.lineTo(tx - half, top + th * 0.42);
            tier_path.closeSubpath();
            p.drawPath(tier_path);
        }
        p.drawRect(QRectF(tx - th * 0.02, base - th * 0.16, th * 0.04, th * 0.16));
    }
    return image;
}

} // namespace velmora
