#include "lottie_keyframes.h"

#include <cmath>
#include <stdexcept>

namespace velmora::databuild {
namespace {

struct Tangents {
    double out_x, out_y, in_x, in_y;
};

Tangents tangents_of(Ease ease) {
    switch (ease) {
    case Ease::Linear: return {0.0, 0.0, 1.0, 1.0};
    case Ease::Smooth: return {0.45, 0.0, 0.25, 1.0};
    case Ease::Out: return {0.16, 1.0, 0.3, 1.0};
    case Ease::In: return {0.55, 0.0, 0.85, 0.3};
    case Ease::Back: return {0.34, 1.45, 0.64, 1.0};
    case Ease::Hold: return {0.0, 0.0, 1.0, 1.0};
    }
    return {0.0, 0.0, 1.0, 1.0};
}

json value_json(const std::vector<double>& v) {
    return tidy_vector(v);
}

json one_keyframe(const Keyframe& key, const Keyframe& next) {
    const Tangents t = tangents_of(key.ease);
    json k = {{"t", tidy(key.frame)}, {"s", value_json(key.value)}, {"e", value_json(next.value)},
              {"o", {{"x", {t.out_x}}, {"y", {t.out_y}}}},
              {"i", {{"x", {t.in_x}}, {"y", {t.in_y}}}}};
    if (key.ease == Ease::Hold)
        k["h"] = 1;
    return k;
}

std::vector<double> numbers_of(const json& v) {
    if (v.is_number())
        return {v.get<double>()};
    return v.get<std::vector<double>>();
}

} // namespace

Ease ease_from_name(const std::string& name) {
    if (name == "linear") return Ease::Linear;
    if (name == "smooth") return Ease::Smooth;
    if (name == "out") return Ease::Out;
    if (name == "in") return Ease::In;
    if (name == "back") return Ease::Back;
    if (name == "hold") return Ease::Hold;
    throw std::runtime_error("unknown ease \"" + name + "\"");
}

double tidy(double v) {
    const double r = std::round(v * 10.0) / 10.0;
    return r == 0.0 ? 0.0 : r; // no "-0"
}

json tidy_vector(const std::vector<double>& v) {
    json out = json::array();
    for (double x : v)
        out.push_back(tidy(x));
    return out;
}

json static_property(const std::vector<double>& value) {
    if (value.size() == 1)
        return static_property(value.front());
    return {{"a", 0}, {"k", tidy_vector(value)}};
}

json static_property(double value) {
    return {{"a", 0}, {"k", tidy(value)}};
}

json animated_property(const std::vector<Keyframe>& keys) {
    if (keys.empty())
        throw std::runtime_error("a property needs at least one keyframe");
    if (keys.size() == 1)
        return static_property(keys.front().value);
    json list = json::array();
    for (size_t i = 0; i + 1 < keys.size(); ++i)
        list.push_back(one_keyframe(keys[i], keys[i + 1]));
    list.push_back({{"t", tidy(keys.back().frame)}, {"s", value_json(keys.back().value)}});
    return {{"a", 1}, {"k", list}};
}

std::vector<Keyframe> keyframes_from_json(const json& list) {
    std::vector<Keyframe> keys;
    for (const json& item : list) {
        Keyframe key;
        key.frame = item.at(0).get<double>();
        key.value = numbers_of(item.at(1));
        if (item.size() > 2)
            key.ease = ease_from_name(item.at(2).get<std::string>());
        if (!keys.empty() && key.frame <= keys.back().frame)
            throw std::runtime_error("keyframes must be in increasing frame order");
        keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<Keyframe> scaled_keys(std::vector<Keyframe> keys, const std::vector<double>& factor) {
    for (Keyframe& key : keys)
        for (size_t i = 0; i < key.value.size() && i < factor.size(); ++i)
            key.value[i] *= factor[i];
    return keys;
}

} // namespace velmora::databuild
