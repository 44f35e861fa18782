#include "preview/rlottie_frames.h"

#include <rlottie.h>

namespace velmora {

std::unique_ptr<rlottie::Animation> animation_from_json(const std::string& json) {
    return rlottie::Animation::loadFromData(json, std::string(), std::string(), false);
}

void render_animation(rlottie::Animation& animation, int frame, QImage& target) {
    rlottie::Surface surface(reinterpret_cast<uint32_t*>(target.bits()), size_t(target.width()),
                             size_t(target.height()), size_t(target.bytesPerLine()));
    animation.renderSync(size_t(frame), surface);
}

} // namespace velmora
