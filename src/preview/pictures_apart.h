#pragma once

#include "preview/template_movie.h"

#include <QImage>
#include <QRectF>
#include <QTransform>
#include <memory>
#include <vector>

namespace rlottie {
class Animation;
}

struct LOTLayerNode;

namespace velmora {

// Draws a scene's pictures by Qt rather than by rlottie, which samples and blends every pixel
// of a picture through its general path at several times the cost of a scaled copy.
//
// rlottie renders the scene without the pictures; a probe of the pictures and the layers that
// move them tells, from rlottie's render tree, where each picture lands, how opaque it is and
// whether its reveal mask still clips it. A picture is laid over the rendered scene only on a
// frame where nothing drawn above it in the scene reaches its place, so the order the movie
// gives the layers is kept; on any other frame render() declines and the caller has rlottie
// render the whole scene.
//
// Not thread-safe, like the animations it holds.
class PicturesApart {
public:
    // Null when the parts list no picture drawn apart, or rlottie or Qt refuses one of them.
    static std::unique_ptr<PicturesApart> load(const TemplateMovie::Parts& parts);
    ~PicturesApart();

    // Renders the scene at frame `frame` into `target` (Format_ARGB32_Premultiplied, cleared by
    // rlottie) and returns true; returns false, `target` untouched, on a frame where some picture
    // must be drawn in its place among the layers.
    bool render(int frame, QImage& target) const;

private:
    struct Picture {
        QImage pixels;
        std::string probe_name;
        int depth = 0;   // index among the scene's layers, top first
    };
    // Where a picture shows on one frame.
    struct Shown {
        const Picture* picture = nullptr;
        QTransform placement;
        double opacity = 1;
        QRectF bounds;
    };

    PicturesApart() = default;
    // The pictures shown at `frame`; false when one is still clipped by its mask.
    bool place(int frame, QSize size, std::vector<Shown>& shown) const;
    // Whether a layer of the scene above a shown picture reaches it.
    bool covered(const LOTLayerNode& scene, const std::vector<Shown>& shown) const;

    std::unique_ptr<rlottie::Animation> scene_;
    std::unique_ptr<rlottie::Animation> probe_;
    std::vector<Picture> pictures_;   // bottom first
    std::vector<int> scene_depths_;   // the scene's layers' depths, in render-tree order
};

} // namespace velmora
