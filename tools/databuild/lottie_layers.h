#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bezier_path.h"
#include "lottie_keyframes.h"

namespace velmora::databuild {

// A layer's transform; empty keys mean the identity (scale 100, opacity 100).
struct LayerTransform {
    std::vector<Keyframe> position, scale, rotation, opacity;
    std::vector<double> anchor = {0, 0};
};

json image_layer(const std::string& name, const std::string& asset_id, const LayerTransform& t);
json shape_layer(const std::string& name, std::vector<json> shapes, const LayerTransform& t);
json null_layer(const std::string& name, const LayerTransform& t);

// Mask modes: "a" adds (shows the inside), `inverted` shows the outside instead.
json mask(const json& path_property, bool inverted = false);
json static_mask_path(const BezierContour& contour);
json animated_mask_path(const std::vector<std::pair<double, BezierContour>>& frames, Ease ease);
void add_mask(json& layer, json mask_item);

// A Lottie composition under construction. Layers are added from the bottom up; the first
// layer added is drawn first (lowest).
class Movie {
public:
    Movie(int width, int height, int frames, double frame_rate = 25);

    int frames() const { return frames_; }
    void add_image_asset(const std::string& id, int width, int height, const std::string& folder,
                         const std::string& file);
    // Adds `layer` above all earlier ones and returns its index (for parenting).
    int add_layer(json layer, std::optional<int> parent = std::nullopt);
    void add_marker(const std::string& comment);

    json to_json(const std::string& name) const;

private:
    int width_, height_, frames_;
    double frame_rate_;
    json assets_ = json::array();
    std::vector<json> layers_;
    json markers_ = json::array();
};

} // namespace velmora::databuild
