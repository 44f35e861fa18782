#include "preview/pictures_apart.h"

#include "preview/placed_picture.h"
#include "preview/rlottie_frames.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>
#include <rlottie.h>
#include <rlottiecommon.h>

namespace velmora {
namespace {

// A mask's outline in the render tree: points as x, y pairs (`ptCount` of them: a mask counts
// points where a node counts coordinates), elements move, line, cubic (three points), close.
QPainterPath painter_path(const LOTMask& mask) {
    QPainterPath result;
    const auto& path = mask.mPath;
    std::size_t point = 0;
    const auto take = [&](std::size_t count) {
        const bool enough = point + count <= path.ptCount;
        point += count;
        return enough;
    };
    const auto at = [&](std::size_t i) { return QPointF(path.ptPtr[2 * i], path.ptPtr[2 * i + 1]); };
    for (std::size_t i = 0; i < path.elmCount; ++i) {
        switch (path.elmPtr[i]) {
        case 0:
            if (!take(1))
                return {};
            result.moveTo(at(point - 1));
            break;
        case 1:
            if (!take(1))
                return {};
            result.lineTo(at(point - 1));
            break;
        case 2:
            if (!take(3))
                return {};
            result.cubicTo(at(point - 3), at(point - 2), at(point - 1));
            break;
        default:
            result.closeSubpath();
        }
    }
    return result;
}

// A node's outline's bounds; a node's `ptCount` counts coordinates.
QRectF path_bounds(const decltype(LOTNode::mPath)& path) {
    float left = path.ptPtr[0], right = left, top = path.ptPtr[1], bottom = top;
    for (std::size_t i = 2; i + 1 < path.ptCount; i += 2) {
        left = std::min(left, path.ptPtr[i]);
        right = std::max(right, path.ptPtr[i]);
        top = std::min(top, path.ptPtr[i + 1]);
        bottom = std::max(bottom, path.ptPtr[i + 1]);
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// Everything a layer may paint: its shapes' outlines, widened by half a stroke and a pixel of
// antialiasing, and its sublayers'. Masks and mattes only take away, so they are left out.
QRectF reach_of(const LOTLayerNode& layer) {
    QRectF reach;
    for (std::size_t i = 0; i < layer.mNodeList.size; ++i) {
        const LOTNode& node = *layer.mNodeList.ptr[i];
        const double margin = 1 + (node.mStroke.enable ? node.mStroke.width / 2 : 0);
        if (node.mPath.ptCount >= 2)
            reach |= path_bounds(node.mPath).adjusted(-margin, -margin, margin, margin);
    }
    for (std::size_t i = 0; i < layer.mLayerList.size; ++i)
        if (layer.mLayerList.ptr[i]->mVisible)
            reach |= reach_of(*layer.mLayerList.ptr[i]);
    return reach;
}

const LOTLayerNode* layer_named(const LOTLayerNode& root, const std::string& name) {
    for (std::size_t i = 0; i < root.mLayerList.size; ++i)
        if (const char* keypath = root.mLayerList.ptr[i]->keypath; keypath && name == keypath)
            return root.mLayerList.ptr[i];
    return nullptr;
}

// What of a picture its layer's masks leave open.
struct Opening {
    bool understood = true;               // false when Qt cannot clip as the masks do
    std::optional<QPainterPath> clip;     // none when the picture shows whole
};

// Qt clips as the masks do when each adds at full strength: the picture shows within their union
// (in frame pixels). One that holds all of the picture but its outermost pixel leaves it whole:
// there a mask opened exactly to the picture's edge and the edge's own antialiasing meet.
Opening open_part(const LOTLayerNode& layer, const QTransform& placement, QSizeF picture) {
    if (layer.mMaskList.size == 0)
        return {};
    const double scale = std::max(std::hypot(placement.m11(), placement.m12()), 1e-6);
    const double inset = std::min({1.0 / scale, picture.width() / 2, picture.height() / 2});
    QPainterPath inner;
    inner.addPolygon(placement.map(QPolygonF(QRectF(QPointF(0, 0), picture).adjusted(inset, inset, -inset, -inset))));
    inner.closeSubpath();
    QPainterPath open;
    for (std::size_t i = 0; i < layer.mMaskList.size; ++i) {
        const LOTMask& mask = layer.mMaskList.ptr[i];
        if (mask.mMode != MaskAdd || mask.mAlpha != 255)
            return {false, {}};
        QPainterPath outline = painter_path(mask);
        if (outline.isEmpty() && mask.mPath.elmCount > 0)
            return {false, {}};   // an outline the render tree gives in a form not understood
        outline.setFillRule(Qt::WindingFill);
        if (outline.contains(inner))
            return {};
        open = i == 0 ? outline : open.united(outline);
    }
    return {true, open};
}

QImage decoded(const QByteArray& file) {
    QImage image = QImage::fromData(file);
    if (image.isNull())
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

} // namespace

std::unique_ptr<PicturesApart> PicturesApart::load(const TemplateMovie::Parts& parts) {
    if (parts.pictures.empty())
        return nullptr;
    std::unique_ptr<PicturesApart> apart(new PicturesApart);
    apart->scene_ = animation_from_json(parts.scene_without_pictures);
    apart->probe_ = animation_from_json(parts.picture_probe);
    if (!apart->scene_ || !apart->probe_)
        return nullptr;
    for (auto it = parts.pictures.rbegin(); it != parts.pictures.rend(); ++it) {
        QImage pixels = decoded(it->file);
        if (pixels.isNull())
            return nullptr;
        apart->pictures_.push_back({std::move(pixels), it->probe_name, it->depth});
    }
    // The render tree lists a composition's layers bottom first; render() checks it lists them all.
    apart->scene_depths_.assign(parts.scene_without_pictures_depths.rbegin(), parts.scene_without_pictures_depths.rend());
    return apart;
}

PicturesApart::~PicturesApart() = default;

bool PicturesApart::place(int frame, QSize size, std::vector<Shown>& shown) const {
    const LOTLayerNode* tree = probe_->renderTree(size_t(frame), size_t(size.width()), size_t(size.height()));
    if (!tree)
        return false;
    for (const Picture& picture : pictures_) {
        const LOTLayerNode* layer = layer_named(*tree, picture.probe_name);
        if (!layer)
            return false;
        const LOTNode* node = layer->mVisible ? picture_node(*layer) : nullptr;
        if (!node || node->mImageInfo.mAlpha == 0)
            continue;
        const QTransform placement = placement_of(*node);
        const Opening open = open_part(*layer, placement, QSizeF(picture.pixels.size()));
        if (!open.understood)
            return false;
        shown.push_back({&picture, {picture.pixels, placement, node->mImageInfo.mAlpha / 255.0, open.clip},
                         placement.mapRect(QRectF(picture.pixels.rect()))});
    }
    return true;
}

void PicturesApart::find_reach(const LOTLayerNode& scene, std::vector<Shown>& shown) const {
    for (std::size_t i = 0; i < scene.mLayerList.size; ++i) {
        const LOTLayerNode& layer = *scene.mLayerList.ptr[i];
        if (!layer.mVisible)
            continue;
        std::optional<QRectF> reach;
        for (Shown& picture : shown) {
            if (!reach)
                reach = reach_of(layer);
            if (reach->intersects(picture.bounds))
                (scene_depths_[i] < picture.picture->depth ? picture.reached_from_above : picture.reached_from_below) = true;
        }
    }
}

// A picture goes over the scene when nothing above it reaches it, else under the scene when
// nothing below it does and the caller lays pictures there. A picture over the scene must not
// come to lie over one under it that the movie puts above it.
bool PicturesApart::keeps_order(const std::vector<Shown>& shown, bool under_allowed) {
    for (const Shown& picture : shown)
        if (picture.goes_under() && (!under_allowed || picture.reached_from_below))
            return false;
    for (const Shown& over : shown)
        for (const Shown& under : shown)
            if (!over.goes_under() && under.goes_under() && over.picture->depth > under.picture->depth
                && over.bounds.intersects(under.bounds))
                return false;
    return true;
}

bool PicturesApart::render(int frame, QImage& scene, std::vector<PlacedPicture>* under) const {
    std::vector<Shown> shown;
    if (!place(frame, scene.size(), shown))
        return false;
    const LOTLayerNode* tree = scene_->renderTree(size_t(frame), size_t(scene.width()), size_t(scene.height()));
    if (!tree || tree->mLayerList.size != scene_depths_.size())
        return false;
    find_reach(*tree, shown);
    if (!keeps_order(shown, under != nullptr))
        return false;
    render_animation(*scene_, frame, scene);
    std::optional<QPainter> painter;
    for (const Shown& picture : shown) {
        if (picture.goes_under()) {
            under->push_back(picture.laid);
            continue;
        }
        if (!painter)
            painter.emplace(&scene);
        lay_picture(*painter, picture.laid);
    }
    return true;
}

} // namespace velmora
