#pragma once

#include <string>
#include <vector>

namespace velmora::databuild {

// An sRGB colour with components in 0..1, as Lottie stores them.
struct Colour {
    double r = 0, g = 0, b = 0;

    // Parses "#rrggbb"; throws std::runtime_error on anything else.
    static Colour from_hex(const std::string& hex);
    std::vector<double> rgba() const { return {r, g, b, 1.0}; }
    Colour mixed_with(const Colour& other, double t) const;
};

} // namespace velmora::databuild
