#include "preview/rlottie_frames.h"

#include <rlottie.h>
#include <rlottiecommon.h>

namespace velmora {

std::unique_ptr<rlottie::Animation> animation_from_json(const std::string& json) {
    return rlottie::Animation::loadFromData(json, std::string(), std::string(), false);
}

void render_animation(rlottie::Animation& animation, int frame, QImage& target) {
    rlottie::Surface surface(reinterpret_cast<uint32_t*>(target.bits()), size_t(target.width()),
                             size_t(target.height()), size_t(target.bytesPerLine()));
    animation.renderSync(size_t(frame), surface);
}

const LOTNode* picture_node(const LOTLayerNode& layer) {
    for (std::size_t i = 0; i < layer.mNodeList.size; ++i)
        if (layer.mNodeList.ptr[i]->mImageInfo.data)
            return layer.mNodeList.ptr[i];
    return nullptr;
}

QTransform placement_of(const LOTNode& picture) {
    const auto& m = picture.mImageInfo.mMatrix;
    return QTransform(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
}

} // namespace velmora
