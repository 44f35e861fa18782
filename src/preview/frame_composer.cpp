#include "preview/frame_composer.h"

#include <QPainter>
#include <algorithm>

namespace velmora {
namespace {

// Columns where the top shows closer together than this make one piece: a draw costs more than
// blending a short stretch of clear pixels.
constexpr int kPieceGap = 64;

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

// The runs of columns of `rows` rows from `first` where `image` is not transparent, runs less
// than kPieceGap apart joined.
std::vector<QRect> showing_pieces(const QImage& image, int first, int rows) {
    std::vector<bool> shows(std::size_t(image.width()), false);
    for (int y = first; y < first + rows; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 0)
                shows[std::size_t(x)] = true;
    }
    std::vector<QRect> pieces;
    for (int x = 0; x < image.width();) {
        if (!shows[std::size_t(x)]) {
            ++x;
            continue;
        }
        const int start = x;
        int end = x;   // one past the last showing column of the piece
        for (; x < image.width() && x - end < kPieceGap; ++x)
            if (shows[std::size_t(x)])
                end = x + 1;
        pieces.emplace_back(start, first, end - start, rows);
        x = end;
    }
    return pieces;
}

} // namespace

StillTop::StillTop(QImage rendered) : image_(std::move(rendered)) {
    for (int first = 0; first < image_.height(); first += kComposeBandRows)
        pieces_.push_back(showing_pieces(image_, first, std::min(kComposeBandRows, image_.height() - first)));
}

void StillTop::lay_over_band(QPainter& painter, int band) const {
    const int first = band * kComposeBandRows;
    for (const QRect& piece : pieces_[std::size_t(band)])
        painter.drawImage(piece.topLeft() - QPoint(0, first), image_, piece);
}

void StillTop::lay_over(QImage& frame) const {
    QPainter painter(&frame);
    for (std::size_t band = 0; band < pieces_.size(); ++band) {
        painter.setTransform(QTransform::fromTranslate(0, int(band) * kComposeBandRows));
        lay_over_band(painter, int(band));
    }
}

bool compose_frame(const PlacedPicture& background, const std::vector<PlacedPicture>& under, const QImage& scene,
                   const StillTop* top, QImage& frame) {
    const bool covered = covers(background, frame.size());
    if (!covered)
        frame.fill(Qt::transparent);
    for (int index = 0, first = 0; first < frame.height(); ++index, first += kComposeBandRows) {
        const int rows = std::min(kComposeBandRows, frame.height() - first);
        QImage band(frame.scanLine(first), frame.width(), rows, frame.bytesPerLine(), frame.format());
        QPainter painter(&band);
        // The picture is opaque: copied, not blended.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setTransform(background.placement * QTransform::fromTranslate(0, -first));
        painter.drawImage(0, 0, background.pixels);
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        const QRectF band_area(0, first, frame.width(), rows);
        for (const PlacedPicture& picture : under)
            if (picture.placement.mapRect(QRectF(picture.pixels.rect())).intersects(band_area))
                lay_picture(painter, picture, {0, first});
        painter.drawImage(0, 0, band_of(scene, first, rows));
        if (top)
            top->lay_over_band(painter, index);
    }
    return covered;
}

} // namespace velmora
