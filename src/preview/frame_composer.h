#pragma once

#include <QImage>
#include <QTransform>
#include <vector>

namespace velmora {

// Frames are composed in bands of this many rows, each band through every part before the next:
// the band of the frame, the scene and the top (about 1.5 MB at 1920 pixels a row) stays in the
// cache, where laying whole frames one after another would stream the frame through memory
// once for each part.
constexpr int kComposeBandRows = 64;

// An opaque picture and where it lands on the frame, as rlottie's render tree places a layer's
// picture.
struct PlacedPicture {
    QImage pixels;          // Format_RGB32
    QTransform placement;   // picture pixels to frame pixels
};

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

// Makes `frame` (Format_ARGB32_Premultiplied) the still top over the scene over the picture,
// copied with the nearest-pixel sampling rlottie uses; `scene` and `top` (when not null) have
// the frame's size. Frame pixels the picture leaves uncovered start transparent. Returns
// whether the picture covers the whole frame, which leaves the frame opaque.
bool compose_frame(const PlacedPicture& background, const QImage& scene, const StillTop* top, QImage& frame);

} // namespace velmora
