#pragma once

#include <vector>

#include "bezier_path.h"
#include "colour.h"
#include "lottie_keyframes.h"

namespace velmora::databuild {

// Shape items of a Lottie shape layer; a group ("gr") holds geometry, paint and a transform.

json rect_shape(double width, double height, double radius, double cx = 0, double cy = 0);
json ellipse_shape(double width, double height, double cx = 0, double cy = 0);
json path_shape(const BezierContour& contour);
json animated_path_shape(const std::vector<std::pair<double, BezierContour>>& frames, Ease ease);

json fill(const Colour& colour, double opacity_percent = 100, bool even_odd = false);
json animated_fill(const Colour& colour, const std::vector<Keyframe>& opacity);
json stroke(const Colour& colour, double width, double opacity_percent = 100);

struct GradientStop {
    double at;          // 0..1 along the gradient
    Colour colour;
    double opacity;     // 0..1
};
// A linear (or radial) gradient fill from `start` to `end` in the layer's coordinates;
// `even_odd` leaves holes where the group's paths overlap.
json gradient_fill(const std::vector<GradientStop>& stops, std::vector<double> start,
                   std::vector<double> end, bool radial = false, bool even_odd = false);

// Trims the paths of its group to the animated start..end range (percent).
json trim_paths(const std::vector<Keyframe>& start, const std::vector<Keyframe>& end);

// Repeats the shapes above it in its group `copies` times, each offset by `step` and `rotation`.
json repeater(int copies, std::vector<double> step, double rotation);

// A group transform; empty keys mean the identity.
struct GroupTransform {
    std::vector<Keyframe> position, scale, rotation, opacity;
    std::vector<double> anchor = {0, 0};
};
json group(std::vector<json> items, const GroupTransform& transform = {});

} // namespace velmora::databuild
