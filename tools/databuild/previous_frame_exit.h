#pragma once

#include "lottie_layers.h"

namespace velmora::databuild {

// Adds the previous template's last frame (../../pic/picture_0.jpg, full frame) and lets it
// leave: "fade" (fades while receding), "slide" (slides away left), "iris" (closes into a
// shrinking circle), "blinds" (vertical strips close), "wipe" (closes towards the left).
// `frames` is how long it takes; a style name that is unknown throws std::runtime_error.
void add_previous_frame_exit(Movie& movie, const std::string& style, double frames);

} // namespace velmora::databuild
