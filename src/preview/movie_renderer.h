#pragma once

#include "preview/template_movie.h"

#include <QImage>
#include <QSize>
#include <memory>
#include <string>

namespace rlottie {
class Animation;
}

struct LOTNode;

namespace velmora {

// Renders the frames of one movie, read once, at one background opacity.
//
// rlottie shades a picture layer pixel by pixel through its general path; for a background
// that covers the canvas that is about a third of a frame's cost. Such a background is drawn
// here instead, placed where rlottie places it, with Qt's scaled copy, and the rest of the
// movie is rendered by rlottie and laid over it. Other movies are rendered by rlottie whole.
//
// Not thread-safe: one render at a time (rlottie's animations are not either).
class MovieRenderer {
public:
    // Throws DataError naming the movie when rlottie refuses it.
    MovieRenderer(const TemplateMovie& movie, int background_opacity_percent);
    ~MovieRenderer();

    // Frame `frame` (0 .. total - 1) at `size`, Format_ARGB32_Premultiplied; a host of another
    // aspect than the canvas keeps transparent margins.
    QImage render(int frame, QSize size) const;
    // True when the background is drawn apart from the rest of the movie.
    bool draws_background_apart() const { return background_ != nullptr; }

private:
    bool set_up_background_apart(const TemplateMovie& movie);
    const LOTNode* background_picture(int frame, QSize size) const;
    void draw_background(const LOTNode& picture, QImage& target) const;

    std::unique_ptr<rlottie::Animation> scene_;
    std::unique_ptr<rlottie::Animation> background_;
    // The scene rendered before it is laid over the background; kept to spare an allocation.
    mutable QImage scene_frame_;
};

} // namespace velmora
