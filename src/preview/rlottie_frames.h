#pragma once

#include <QImage>
#include <memory>
#include <string>

namespace rlottie {
class Animation;
}

namespace velmora {

// An animation from Lottie JSON; null when rlottie refuses it. Loaded without rlottie's model
// cache: pictures are rewritten on disk between loads of the same movie, and a cached model
// would show the old ones.
std::unique_ptr<rlottie::Animation> animation_from_json(const std::string& json);

// Renders `frame` over the whole of `target` (Format_ARGB32_Premultiplied), which rlottie clears.
void render_animation(rlottie::Animation& animation, int frame, QImage& target);

} // namespace velmora
