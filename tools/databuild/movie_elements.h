#pragma once

#include <map>
#include <string>

#include "glyph_outline.h"
#include "lottie_layers.h"

namespace velmora::databuild {

// What an element builder needs besides its own description.
struct ElementContext {
    Movie& movie;
    const TitleFonts& fonts;
    std::map<std::string, std::pair<int, int>> picture_sizes; // asset id -> w x h
};

// Element kinds of the motion designs, each read from its JSON description and added to the
// movie from the bottom up. Every builder throws std::runtime_error on a bad description.
//   photo   a picture on a card: optional white border, rounded corners, soft shadow, reveal mask
//   mirror  a picture flipped under another one, fading out downwards (a reflection)
//   shape   a decorative vector shape: circle, ring, rect, line, polygon, with optional draw-on trim
//   glow    a soft radial light
//   title   text as glyph outlines, letters rising in one after another
//   vignette a darkening towards the frame's edges
void add_element(ElementContext& context, const json& element);

// The movie's base colour wash under the background picture.
void add_base_wash(Movie& movie, const json& colours);

} // namespace velmora::databuild
