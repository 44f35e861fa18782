#pragma once

#include <QImage>
#include <QTransform>
#include <memory>
#include <string>

namespace rlottie {
class Animation;
}

struct LOTLayerNode;
struct LOTNode;

namespace velmora {

// An animation from Lottie JSON; null when rlottie refuses it. Loaded without rlottie's model
// cache: pictures are rewritten on disk between loads of the same movie, and a cached model
// would show the old ones.
std::unique_ptr<rlottie::Animation> animation_from_json(const std::string& json);

// Renders `frame` over the whole of `target` (Format_ARGB32_Premultiplied), which rlottie clears.
void render_animation(rlottie::Animation& animation, int frame, QImage& target);

// The picture node among a render-tree layer's own nodes; null when it shows none.
const LOTNode* picture_node(const LOTLayerNode& layer);
// A picture node's placement: its picture's pixels to frame pixels.
QTransform placement_of(const LOTNode& picture);

} // namespace velmora
