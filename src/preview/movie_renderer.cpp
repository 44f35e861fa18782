#include "preview/movie_renderer.h"

#include "core/data_error.h"
#include "preview/rlottie_frames.h"

#include <QTransform>
#include <rlottie.h>
#include <rlottiecommon.h>

namespace velmora {
namespace {

// The first picture node of a layer tree: the background movie has one picture layer.
const LOTNode* first_picture(const LOTLayerNode* layer) {
    if (!layer)
        return nullptr;
    if (const LOTNode* node = picture_node(*layer))
        return node;
    for (std::size_t i = 0; i < layer->mLayerList.size; ++i)
        if (const LOTNode* node = first_picture(layer->mLayerList.ptr[i]))
            return node;
    return nullptr;
}

// The picture is an opaque JPEG, taken with the nearest-pixel sampling rlottie itself uses.
PlacedPicture placed(const LOTNode& picture) {
    return {QImage(picture.mImageInfo.data, int(picture.mImageInfo.width), int(picture.mImageInfo.height),
                   int(picture.mImageInfo.width) * 4, QImage::Format_RGB32),
            placement_of(picture)};
}

} // namespace

MovieRenderer::MovieRenderer(const TemplateMovie& movie, int background_opacity_percent) {
    if (load_parts(movie.parts(background_opacity_percent)))
        return;
    // A part rlottie refuses on its own, or a background picture it does not place, leaves the
    // whole movie to rlottie.
    background_.reset();
    still_top_.reset();
    pictures_.reset();
    scene_ = animation_from_json(movie.lottie_json(background_opacity_percent));
    if (!scene_)
        throw DataError(QStringLiteral("The movie %1 cannot be played: rlottie refused it").arg(movie.path()));
}

MovieRenderer::~MovieRenderer() = default;

bool MovieRenderer::load_parts(const TemplateMovie::Parts& parts) {
    scene_ = animation_from_json(parts.scene);
    if (!scene_)
        return false;
    if (!parts.background.empty()) {
        background_ = animation_from_json(parts.background);
        if (!background_ || !background_picture(0, {1920, 1080}))
            return false;
    }
    if (!parts.still_top.empty()) {
        still_top_ = animation_from_json(parts.still_top);
        if (!still_top_)
            return false;
    }
    // Pictures rlottie or Qt cannot take apart stay in the scene.
    pictures_ = PicturesApart::load(parts);
    return true;
}

const LOTNode* MovieRenderer::background_picture(int frame, QSize size) const {
    const LOTNode* node = first_picture(background_->renderTree(size_t(frame), size_t(size.width()),
                                                                size_t(size.height())));
    return node && node->mImageInfo.width > 0 && node->mImageInfo.height > 0 ? node : nullptr;
}

const StillTop* MovieRenderer::still_top_at(QSize size) const {
    if (!still_top_)
        return nullptr;
    if (still_top_frame_.size() != size) {
        QImage rendered(size, QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::transparent);
        render_animation(*still_top_, 0, rendered);
        still_top_frame_ = StillTop(std::move(rendered));
    }
    return &still_top_frame_;
}

QImage MovieRenderer::render(int frame, QSize size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    // The background layer spans the whole movie, so its picture is found on every frame; were
    // it not, the rest still shows.
    const LOTNode* picture = background_ ? background_picture(frame, size) : nullptr;
    if (picture) {
        if (scene_frame_.size() != size)
            scene_frame_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        std::vector<PlacedPicture> under;
        if (!pictures_ || !pictures_->render(frame, scene_frame_, &under))
            render_animation(*scene_, frame, scene_frame_);
        if (compose_frame(placed(*picture), under, scene_frame_, still_top_at(size), image))
            image.reinterpretAsFormat(QImage::Format_RGB32);
        return image;
    }
    // Cleared here as well as by rlottie: a host of another aspect than the canvas leaves
    // margins that rlottie may not touch.
    image.fill(Qt::transparent);
    if (!pictures_ || !pictures_->render(frame, image, nullptr))
        render_animation(*scene_, frame, image);
    if (const StillTop* top = still_top_at(size))
        top->lay_over(image);
    return image;
}

} // namespace velmora
