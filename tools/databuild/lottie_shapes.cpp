#include "lottie_shapes.h"

#include <cmath>

namespace velmora::databuild {
namespace {

json points_json(const std::vector<Point>& points) {
    json out = json::array();
    for (const Point& p : points)
        out.push_back({tidy(p.x), tidy(p.y)});
    return out;
}

json contour_json(const BezierContour& c) {
    return {{"i", points_json(c.in_tangents)}, {"o", points_json(c.out_tangents)},
            {"v", points_json(c.vertices)}, {"c", c.closed}};
}

json transform_json(const GroupTransform& t) {
    auto or_static = [](const std::vector<Keyframe>& keys, std::vector<double> identity) {
        return keys.empty() ? static_property(identity) : animated_property(keys);
    };
    return {{"ty", "tr"},
            {"p", or_static(t.position, {0, 0})},
            {"a", static_property(t.anchor)},
            {"s", or_static(t.scale, {100, 100})},
            {"r", or_static(t.rotation, {0})},
            {"o", or_static(t.opacity, {100})},
            {"sk", static_property(0.0)},
            {"sa", static_property(0.0)}};
}

// Colours keep three decimals: one decimal would band every colour into ten steps.
json colour_property(const Colour& c) {
    json k = json::array();
    for (double v : c.rgba())
        k.push_back(std::round(v * 1000.0) / 1000.0);
    return {{"a", 0}, {"k", k}};
}

} // namespace

json rect_shape(double width, double height, double radius, double cx, double cy) {
    return {{"ty", "rc"}, {"d", 1}, {"s", static_property({width, height})},
            {"p", static_property({cx, cy})}, {"r", static_property(radius)}};
}

json ellipse_shape(double width, double height, double cx, double cy) {
    return {{"ty", "el"}, {"d", 1}, {"s", static_property({width, height})},
            {"p", static_property({cx, cy})}};
}

json path_shape(const BezierContour& contour) {
    return {{"ty", "sh"}, {"d", 1}, {"ks", {{"a", 0}, {"k", contour_json(contour)}}}};
}

json animated_path_shape(const std::vector<std::pair<double, BezierContour>>& frames, Ease ease) {
    Keyframe unused;
    json list = json::array();
    for (size_t i = 0; i < frames.size(); ++i) {
        json k = {{"t", tidy(frames[i].first)}, {"s", json::array({contour_json(frames[i].second)})}};
        if (i + 1 < frames.size()) {
            const json eased = animated_property({{0, {0}, ease}, {1, {1}, ease}});
            k["e"] = json::array({contour_json(frames[i + 1].second)});
            k["o"] = eased["k"][0]["o"];
            k["i"] = eased["k"][0]["i"];
        }
        list.push_back(std::move(k));
    }
    return {{"ty", "sh"}, {"d", 1}, {"ks", {{"a", 1}, {"k", list}}}};
}

json fill(const Colour& colour, double opacity_percent, bool even_odd) {
    return {{"ty", "fl"}, {"c", colour_property(colour)}, {"o", static_property(opacity_percent)},
            {"r", even_odd ? 2 : 1}};
}

json animated_fill(const Colour& colour, const std::vector<Keyframe>& opacity) {
    json f = fill(colour);
    f["o"] = animated_property(opacity);
    return f;
}

json stroke(const Colour& colour, double width, double opacity_percent) {
    return {{"ty", "st"}, {"c", colour_property(colour)}, {"o", static_property(opacity_percent)},
            {"w", static_property(width)}, {"lc", 2}, {"lj", 2}, {"ml", 4}};
}

json gradient_fill(const std::vector<GradientStop>& stops, std::vector<double> start,
                   std::vector<double> end, bool radial, bool even_odd) {
    std::vector<double> values;
    for (const GradientStop& s : stops)
        values.insert(values.end(), {s.at, s.colour.r, s.colour.g, s.colour.b});
    for (const GradientStop& s : stops)
        values.insert(values.end(), {s.at, s.opacity});
    json numbers = json::array();
    for (double v : values)
        numbers.push_back(std::round(v * 1000.0) / 1000.0);
    return {{"ty", "gf"}, {"t", radial ? 2 : 1}, {"o", static_property(100.0)}, {"r", even_odd ? 2 : 1},
            {"s", static_property(start)}, {"e", static_property(end)},
            {"g", {{"p", stops.size()}, {"k", {{"a", 0}, {"k", numbers}}}}}};
}

json trim_paths(const std::vector<Keyframe>& start, const std::vector<Keyframe>& end) {
    return {{"ty", "tm"}, {"s", animated_property(start)}, {"e", animated_property(end)},
            {"o", static_property(0.0)}, {"m", 1}};
}

json repeater(int copies, std::vector<double> step, double rotation) {
    return {{"ty", "rp"}, {"c", static_property(double(copies))}, {"o", static_property(0.0)}, {"m", 1},
            {"tr", {{"ty", "tr"}, {"p", static_property(step)}, {"a", static_property({0, 0})},
                    {"s", static_property({100, 100})}, {"r", static_property(rotation)},
                    {"so", static_property(100.0)}, {"eo", static_property(100.0)}}}};
}

json group(std::vector<json> items, const GroupTransform& transform) {
    items.push_back(transform_json(transform));
    return {{"ty", "gr"}, {"it", std::move(items)}};
}

} // namespace velmora::databuild
