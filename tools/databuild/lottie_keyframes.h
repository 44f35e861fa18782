#pragma once

#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace velmora::databuild {

// Ordered: rlottie reads a shape's "ty" before the keys that follow it, so keys keep the
// order in which the builders write them.
using json = nlohmann::ordered_json;

// How a value travels from one keyframe to the next.
enum class Ease { Linear, Smooth, Out, In, Back, Hold };

// Parses an ease name of the data sources ("linear", "smooth", "out", "in", "back", "hold").
// Throws std::runtime_error on an unknown name.
Ease ease_from_name(const std::string& name);

struct Keyframe {
    double frame = 0;
    std::vector<double> value;
    Ease ease = Ease::Smooth; // the segment that starts at this keyframe
};

// Rounds to one decimal so that the movies stay small and byte-stable.
double tidy(double v);
json tidy_vector(const std::vector<double>& v);

// A property that never changes: {"a":0,"k":v} (a scalar when v has one item).
json static_property(const std::vector<double>& value);
json static_property(double value);

// A keyframed property; one keyframe gives a static property. Keyframes must be in frame order.
json animated_property(const std::vector<Keyframe>& keys);

// Reads [[frame, value-or-array, "ease"?], ...] from a data source.
std::vector<Keyframe> keyframes_from_json(const json& list);

// Every keyframe's value multiplied item by item with `factor`.
std::vector<Keyframe> scaled_keys(std::vector<Keyframe> keys, const std::vector<double>& factor);

} // namespace velmora::databuild
