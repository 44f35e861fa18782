#include "preview/frame_composer.h"

#include <QPainter>
#include <algorithm>

namespace velmora {
namespace {

// Rows drawn through all three parts before the next band: the band of the frame, the scene
// and the top (about 1.5 MB at 1920 pixels a row) stays in the cache, where drawing the three
// whole frames one after another would stream the frame through memory three times.
constexpr int kBandRows = 64;

// Rows [first, first + rows) of `image` as an image of their own, sharing its pixels.
QImage band_of(const QImage& image, int first, int rows) {
    return QImage(image.constScanLine(first), image.width(), rows, image.bytesPerLine(), image.format());
}

// A frame pixel shows the picture when its centre falls on it. The frame is covered when its
// corners, brought back onto the picture, fall on it (both are convex, so every point between
// does too). A quarter of a pixel to spare keeps rounding at the edges from counting a frame
// covered that the copy leaves a row short.
bool covers(const PlacedPicture& picture, QSize frame) {
    constexpr double kSpare = 0.25;
    bool invertible = false;
    const QTransform to_picture = picture.placement.inverted(&invertible);
    if (!invertible)
        return false;
    const QRectF inner = QRectF(QPointF(0, 0), QSizeF(frame)).adjusted(kSpare, kSpare, -kSpare, -kSpare);
    const QRectF on = QRectF(picture.pixels.rect());
    for (const QPointF corner : {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()}) {
        const QPointF p = to_picture.map(corner);
        if (p.x() < on.left() || p.y() < on.top() || p.x() > on.right() || p.y() > on.bottom())
            return false;
    }
    return true;
}

} // namespace

bool compose_frame(const PlacedPicture& background, const QImage& scene, const QImage* still_top, QImage& frame) {
    const bool covered = covers(background, frame.size());
    if (!covered)
        frame.fill(Qt::transparent);
    for (int first = 0; first < frame.height(); first += kBandRows) {
        const int rows = std::min(kBandRows, frame.height() - first);
        QImage band(frame.scanLine(first), frame.width(), rows, frame.bytesPerLine(), frame.format());
        QPainter painter(&band);
        // The picture is opaque: copied, not blended.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setTransform(background.placement * QTransform::fromTranslate(0, -first));
        painter.drawImage(0, 0, background.pixels);
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(0, 0, band_of(scene, first, rows));
        if (still_top)
            painter.drawImage(0, 0, band_of(*still_top, first, rows));
    }
    return covered;
}

} // namespace velmora
