#include "lottie_layers.h"

#include "lottie_shapes.h"

namespace velmora::databuild {
namespace {

json transform_json(const LayerTransform& t) {
    auto or_static = [](const std::vector<Keyframe>& keys, std::vector<double> identity) {
        return keys.empty() ? static_property(identity) : animated_property(keys);
    };
    return {{"o", or_static(t.opacity, {100})},
            {"r", or_static(t.rotation, {0})},
            {"p", or_static(t.position, {0, 0, 0})},
            {"a", static_property(t.anchor)},
            {"s", or_static(t.scale, {100, 100})}};
}

json layer_base(int type, const std::string& name, const LayerTransform& t) {
    return {{"ddd", 0}, {"ty", type}, {"nm", name}, {"sr", 1}, {"ks", transform_json(t)},
            {"ao", 0}, {"bm", 0}};
}

} // namespace

json image_layer(const std::string& name, const std::string& asset_id, const LayerTransform& t) {
    json layer = layer_base(2, name, t);
    layer["refId"] = asset_id;
    return layer;
}

json shape_layer(const std::string& name, std::vector<json> shapes, const LayerTransform& t) {
    json layer = layer_base(4, name, t);
    layer["shapes"] = std::move(shapes);
    return layer;
}

json null_layer(const std::string& name, const LayerTransform& t) {
    return layer_base(3, name, t);
}

json mask(const json& path_property, bool inverted) {
    return {{"mode", "a"}, {"inv", inverted}, {"pt", path_property}, {"o", static_property(100.0)},
            {"x", static_property(0.0)}, {"nm", "mask"}};
}

json static_mask_path(const BezierContour& contour) {
    return path_shape(contour)["ks"];
}

json animated_mask_path(const std::vector<std::pair<double, BezierContour>>& frames, Ease ease) {
    return animated_path_shape(frames, ease)["ks"];
}

void add_mask(json& layer, json mask_item) {
    layer["hasMask"] = true;
    layer["masksProperties"].push_back(std::move(mask_item));
}

Movie::Movie(int width, int height, int frames, double frame_rate)
    : width_(width), height_(height), frames_(frames), frame_rate_(frame_rate) {}

void Movie::add_image_asset(const std::string& id, int width, int height, const std::string& folder,
                            const std::string& file) {
    assets_.push_back({{"id", id}, {"w", width}, {"h", height}, {"u", folder}, {"p", file}, {"e", 0}});
}

int Movie::add_layer(json layer, std::optional<int> parent) {
    const int index = int(layers_.size()) + 1;
    layer["ind"] = index;
    if (!layer.contains("ip"))
        layer["ip"] = 0;
    if (!layer.contains("op"))
        layer["op"] = frames_;
    layer["st"] = 0;
    if (parent)
        layer["parent"] = *parent;
    layers_.push_back(std::move(layer));
    return index;
}

void Movie::add_marker(const std::string& comment) {
    markers_.push_back({{"cm", comment}, {"tm", 0}, {"dr", 0}});
}

json Movie::to_json(const std::string& name) const {
    json layers = json::array();
    for (auto it = layers_.rbegin(); it != layers_.rend(); ++it)
        layers.push_back(*it);
    return {{"v", "5.7.4"}, {"fr", frame_rate_}, {"ip", 0}, {"op", frames_}, {"w", width_},
            {"h", height_}, {"nm", name}, {"ddd", 0}, {"assets", assets_}, {"layers", layers},
            {"markers", markers_}};
}

} // namespace velmora::databuild
