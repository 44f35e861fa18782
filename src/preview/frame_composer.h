#pragma once

#include <QImage>
#include <QTransform>

namespace velmora {

// An opaque picture and where it lands on the frame, as rlottie's render tree places a layer's
// picture.
struct PlacedPicture {
    QImage pixels;          // Format_RGB32
    QTransform placement;   // picture pixels to frame pixels
};

// Makes `frame` (Format_ARGB32_Premultiplied) the still top layers over the scene over the
// picture, copied with the nearest-pixel sampling rlottie uses; `scene` and `still_top` (when
// not null) have the frame's size. Frame pixels the picture leaves uncovered start transparent.
// Returns whether the picture covers the whole frame, which leaves the frame opaque.
bool compose_frame(const PlacedPicture& background, const QImage& scene, const QImage* still_top, QImage& frame);

} // namespace velmora
