#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QTransform>
#include <optional>

class QPainter;

namespace velmora {

// A layer's picture where it lands on the frame, as rlottie's render tree places it, at its
// opacity, within the outline its masks leave open.
struct PlacedPicture {
    QImage pixels;          // Format_RGB32, or Format_ARGB32_Premultiplied with transparent parts
    QTransform placement;   // picture pixels to frame pixels
    double opacity = 1;
    std::optional<QPainterPath> clip;   // in frame pixels; none when nothing clips the picture
};

// Lays `picture` on `painter`'s device, whose pixel (0, 0) is frame pixel `origin`, as rlottie
// lays a picture layer: nearest-pixel sampling, antialiased edges, the clip's too (a slowly
// moving picture or reveal glides rather than steps from pixel to pixel). Filled as a textured
// polygon: Qt's scaled image copy would snap the edges to whole pixels, and blends a fading
// picture at twice the cost.
void lay_picture(QPainter& painter, const PlacedPicture& picture, QPoint origin = {});

} // namespace velmora
