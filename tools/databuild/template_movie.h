#pragma once

#include "glyph_outline.h"
#include "template_source.h"

namespace velmora::databuild {

// The Lottie movie of a template: a base wash, the background picture (layer wj_y_l_b_j) with a
// slow drift, the previous template's last frame leaving in the design's intro style, then the
// design's elements. Answers the template marker.
json template_movie(const TemplateSource& t, const TitleFonts& fonts);

} // namespace velmora::databuild
