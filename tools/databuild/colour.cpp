#include "colour.h"

#include <stdexcept>

namespace velmora::databuild {

Colour Colour::from_hex(const std::string& hex) {
    if (hex.size() != 7 || hex[0] != '#')
        throw std::runtime_error("colour \"" + hex + "\" is not #rrggbb");
    auto component = [&](int at) {
        size_t used = 0;
        const int v = std::stoi(hex.substr(at, 2), &used, 16);
        if (used != 2)
            throw std::runtime_error("colour \"" + hex + "\" is not #rrggbb");
        return v / 255.0;
    };
    return {component(1), component(3), component(5)};
}

Colour Colour::mixed_with(const Colour& other, double t) const {
    return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
}

} // namespace velmora::databuild
