#include "preview/background_layer.h"

#include "preview/frame_composer.h"

#include <QPainter>
#include <cstring>

namespace velmora {
namespace {

// A frame pixel shows the picture when its centre falls on it. The frame is covered when its
// corners, brought back onto the picture, fall on it (both are convex, so every point between
// does too). A quarter of a pixel to spare keeps rounding at the edges from counting a frame
// covered that the copy leaves a row short.
bool covers_frame(const PlacedPicture& picture, QSize frame) {
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

// Draws the picture into rows [first, first + rows) of `frame`, through `painter` on those rows.
// The picture is opaque: copied, not blended; rows it leaves uncovered are cleared.
void draw_band(QPainter& painter, const PlacedPicture& picture, bool covers, QImage& frame, int first, int rows) {
    if (!covers)
        std::memset(frame.scanLine(first), 0, std::size_t(frame.bytesPerLine()) * std::size_t(rows));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setTransform(picture.placement * QTransform::fromTranslate(0, -first));
    painter.drawImage(0, 0, picture.pixels);
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace

void BackgroundLayer::place(const PlacedPicture& picture, QSize size) {
    if (same_as_last(picture, size)) {
        if (still_.isNull())
            draw_still();
        return;
    }
    picture_ = picture;
    size_ = size;
    covers_ = covers_frame(picture, size);
    still_ = QImage();
}

bool BackgroundLayer::same_as_last(const PlacedPicture& picture, QSize size) const {
    return size == size_ && picture.pixels.constBits() == picture_.pixels.constBits()
           && picture.pixels.size() == picture_.pixels.size() && picture.placement == picture_.placement;
}

// Drawn in the composer's bands, so a copied row is the very row drawing it in place gives.
void BackgroundLayer::draw_still() {
    still_ = QImage(size_, QImage::Format_ARGB32_Premultiplied);
    for (int first = 0; first < size_.height(); first += kComposeBandRows) {
        const int rows = std::min(kComposeBandRows, size_.height() - first);
        QImage band(still_.scanLine(first), still_.width(), rows, still_.bytesPerLine(), still_.format());
        QPainter painter(&band);
        draw_band(painter, picture_, covers_, still_, first, rows);
    }
}

void BackgroundLayer::lay_band(QPainter& painter, QImage& frame, int first, int rows) const {
    if (still_.isNull() || still_.bytesPerLine() != frame.bytesPerLine()) {
        draw_band(painter, picture_, covers_, frame, first, rows);
        return;
    }
    std::memcpy(frame.scanLine(first), still_.constScanLine(first),
                std::size_t(frame.bytesPerLine()) * std::size_t(rows));
}

} // namespace velmora
