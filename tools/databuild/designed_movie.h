#pragma once

#include <map>
#include <string>

#include "glyph_outline.h"
#include "lottie_keyframes.h"

namespace velmora::databuild {

// What a movie shows besides its design's elements.
struct MovieFrame {
    std::string name;
    int frames = 0;
    std::string marker;                  // "name=value" comment answering the load check
    bool background = false;             // shows wj_y_l_b_j.jpg from the movie's folder
    bool previous_frame = false;         // starts over ../../pic/picture_0.jpg
    std::map<std::string, std::pair<int, int>> pictures; // further picture assets, id -> w x h
};

// A 1920 x 1080, 25 fps Lottie movie from a design: a base colour wash ("base"), the background
// picture with its drift ("background_scale"), the previous frame leaving ("intro": style and
// frames), then "elements" from the bottom up.
json designed_movie(const MovieFrame& frame, const json& design, const TitleFonts& fonts);

} // namespace velmora::databuild
