#include "previous_frame_exit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "movie_markers.h"

namespace velmora::databuild {
namespace {

constexpr double kW = 1920, kH = 1080;

LayerTransform full_frame() {
    LayerTransform t;
    t.anchor = {kW / 2, kH / 2};
    t.position = {{0, {kW / 2, kH / 2}, Ease::Hold}};
    return t;
}

// One copy of the frame per strip, each closing towards its right edge a little after the
// one before: rlottie applies only one mask per layer, so each strip is its own layer.
void add_blinds(Movie& movie, const LayerTransform& t, double frames) {
    constexpr int kStrips = 8;
    const double strip = kW / kStrips;
    for (int i = 0; i < kStrips; ++i) {
        const double left = strip * i, delay = frames * 0.06 * i;
        json layer = image_layer("previous frame", kPreviousFrameId, t);
        add_mask(layer, mask(animated_mask_path({{delay, rect_contour(left, 0, strip, kH)},
                                                 {delay + frames * 0.55, rect_contour(left + strip, 0, 0.1, kH)}},
                                                Ease::Smooth)));
        // Each strip's layer ends once its strip has closed, so no hairline of it stays.
        layer["op"] = std::min(movie.frames(), int(std::ceil(delay + frames * 0.55)));
        movie.add_layer(std::move(layer));
    }
}

} // namespace

void add_previous_frame_exit(Movie& movie, const std::string& style, double frames) {
    movie.add_image_asset(kPreviousFrameId, int(kW), int(kH), "../../pic/", "picture_0.jpg");
    LayerTransform t = full_frame();
    json layer;
    if (style == "fade") {
        t.scale = {{0, {100, 100}, Ease::Smooth}, {frames, {106, 106}}};
        t.opacity = {{0, {100}, Ease::Smooth}, {frames, {0}}};
        layer = image_layer("previous frame", kPreviousFrameId, t);
    } else if (style == "slide") {
        t.position = {{0, {kW / 2, kH / 2}, Ease::Smooth}, {frames, {-kW / 2, kH / 2}}};
        t.opacity = {{0, {100}, Ease::Smooth}, {frames, {60}}};
        layer = image_layer("previous frame", kPreviousFrameId, t);
    } else if (style == "iris") {
        // The old frame closes into a shrinking circle that drifts back as it goes.
        t.scale = {{0, {100, 100}, Ease::In}, {frames, {90, 90}}};
        layer = image_layer("previous frame", kPreviousFrameId, t);
        const double r = std::hypot(kW, kH) / 2 + 4;
        add_mask(layer, mask(animated_mask_path({{0, ellipse_contour(kW / 2, kH / 2, r, r)},
                                                 {frames, ellipse_contour(kW / 2, kH / 2, 0.1, 0.1)}},
                                                Ease::In)));
    } else if (style == "blinds") {
        add_blinds(movie, t, frames);
        return;
    } else if (style == "wipe") {
        layer = image_layer("previous frame", kPreviousFrameId, t);
        add_mask(layer, mask(animated_mask_path({{0, rect_contour(0, 0, kW, kH)}, {frames, rect_contour(0, 0, 0.1, kH)}},
                                                Ease::Smooth)));
    } else {
        throw std::runtime_error("unknown intro style " + style);
    }
    layer["op"] = std::min(movie.frames(), int(std::ceil(frames)) + 1);
    movie.add_layer(std::move(layer));
}

} // namespace velmora::databuild
