#pragma once

#include "preview/frame_composer.h"
#include "preview/pictures_apart.h"
#include "preview/template_movie.h"

#include <QImage>
#include <QSize>
#include <memory>

namespace rlottie {
class Animation;
}

struct LOTNode;

namespace velmora {

// Renders the frames of one movie, read once, at one background opacity.
//
// rlottie shades every pixel of every layer on every frame through its general paths. Two
// parts of a template are drawn otherwise (TemplateMovie::parts):
// - a background picture that covers the canvas is sampled where rlottie places it;
// - the layers on top that never change are rendered once and laid over each frame;
// - the scene's pictures are laid by Qt on the frames where that keeps the layers' order
//   (PicturesApart).
// rlottie renders the rest of the movie between them; compose_frame lays the three together.
//
// Not thread-safe: one render at a time (rlottie's animations are not either).
class MovieRenderer {
public:
    // Throws DataError naming the movie when rlottie refuses it.
    MovieRenderer(const TemplateMovie& movie, int background_opacity_percent);
    ~MovieRenderer();

    // Frame `frame` (0 .. total - 1) at `size`: Format_RGB32 when the background covers it,
    // else Format_ARGB32_Premultiplied; a host of another aspect than the canvas keeps
    // transparent margins.
    QImage render(int frame, QSize size) const;

    bool draws_background_apart() const { return background_ != nullptr; }
    bool draws_still_top_apart() const { return still_top_ != nullptr; }

private:
    bool load_parts(const TemplateMovie::Parts& parts);
    const LOTNode* background_picture(int frame, QSize size) const;
    const StillTop* still_top_at(QSize size) const;

    std::unique_ptr<rlottie::Animation> background_;
    std::unique_ptr<rlottie::Animation> scene_;
    std::unique_ptr<rlottie::Animation> still_top_;
    std::unique_ptr<PicturesApart> pictures_;
    // The scene rendered before it is laid over the background; kept to spare an allocation.
    mutable QImage scene_frame_;
    // The still top layers at the size last asked for.
    mutable StillTop still_top_frame_;
};

} // namespace velmora
