#pragma once

#include "preview/placed_picture.h"

#include <QImage>
#include <vector>

namespace velmora {

// Frames are composed in bands of this many rows, each band through every part before the next:
// the band of the frame, the scene and the top (about 1.5 MB at 1920 pixels a row) stays in the
// cache, where laying whole frames one after another would stream the frame through memory
// once for each part.
constexpr int kComposeBandRows = 64;

// Layers laid unchanged over every frame, with the pieces of each band where they show: the
// rest (the clear middle of a vignette, say) is neither read nor blended.
class StillTop {
public:
    StillTop() = default;
    // `rendered`: Format_ARGB32_Premultiplied.
    explicit StillTop(QImage rendered);

    QSize size() const { return image_.size(); }
    // Lays the top's band `band` over `painter`'s device, which is that band of a frame.
    void lay_over_band(QPainter& painter, int band) const;
    void lay_over(QImage& frame) const;

private:
    QImage image_;
    std::vector<std::vector<QRect>> pieces_;   // by band, in the top's coordinates
};

// Makes `frame` (Format_ARGB32_Premultiplied) the still top over the scene over the pictures
// `under` (bottom first) over the background picture, an opaque Format_RGB32 picture copied
// with the nearest-pixel sampling rlottie uses; `scene` and `top` (when not null) have the
// frame's size. Frame pixels the background leaves uncovered start transparent. Returns whether
// the background covers the whole frame, which leaves the frame opaque.
bool compose_frame(const PlacedPicture& background, const std::vector<PlacedPicture>& under, const QImage& scene,
                   const StillTop* top, QImage& frame);

} // namespace velmora
