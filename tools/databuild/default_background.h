#pragma once

#include <QByteArray>
#include "lottie_keyframes.h"

namespace velmora::databuild {

// The default background picture as a 1920 x 1080 JPEG: a soft vertical colour wash with
// out-of-focus lights and a gentle vignette, painted from `design` (colours, light count,
// seed), the same bytes on every build.
QByteArray default_background_jpeg(const json& design);

} // namespace velmora::databuild
