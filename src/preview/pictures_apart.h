#pragma once

#include "preview/placed_picture.h"
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
// of a picture through its general path at about twice the cost.
//
// rlottie renders the scene without the pictures; a probe of the pictures and the layers that
// move them tells, from rlottie's render tree, where each picture lands, how opaque it is and
// what of it its reveal mask has opened. The order the movie gives the layers is kept: a
// picture is laid over the rendered scene on a frame where nothing above it in the scene
// reaches its place, or handed back to be laid under the scene where nothing below it does
// (the previous template's last frame, say, at the bottom of a movie). On any other frame
// render() declines and the caller has rlottie render the whole scene.
//
// Not thread-safe, like the animations it holds.
class PicturesApart {
public:
    // Null when the parts list no picture drawn apart, or rlottie or Qt refuses one of them.
    static std::unique_ptr<PicturesApart> load(const TemplateMovie::Parts& parts);
    ~PicturesApart();

    // Renders the scene at frame `frame` into `scene` (Format_ARGB32_Premultiplied, cleared by
    // rlottie) and returns true, with the pictures to lay under it appended to `under` (bottom
    // first; none when `under` is null). Returns false, `scene` untouched, on a frame where some
    // picture must be drawn in its place among the layers.
    bool render(int frame, QImage& scene, std::vector<PlacedPicture>* under) const;

private:
    struct Picture {
        QImage pixels;
        std::string probe_name;
        int depth = 0;   // index among the scene's layers, top first
    };
    // Where a picture shows on one frame, and whether layers of the scene reach it.
    struct Shown {
        const Picture* picture = nullptr;
        PlacedPicture laid;
        QRectF bounds;
        bool reached_from_above = false;
        bool reached_from_below = false;

        bool goes_under() const { return reached_from_above; }
    };

    PicturesApart() = default;
    // The pictures shown at `frame`; false when one has masks Qt cannot clip as rlottie does.
    bool place(int frame, QSize size, std::vector<Shown>& shown) const;
    void find_reach(const LOTLayerNode& scene, std::vector<Shown>& shown) const;
    static bool keeps_order(const std::vector<Shown>& shown, bool under_allowed);

    std::unique_ptr<rlottie::Animation> scene_;
    std::unique_ptr<rlottie::Animation> probe_;
    std::vector<Picture> pictures_;   // bottom first
    std::vector<int> scene_depths_;   // the scene's layers' depths, in render-tree order
};

} // namespace velmora
