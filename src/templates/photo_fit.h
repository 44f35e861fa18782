#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

namespace velmora {

// The size a photo of `width` x `height` is shown at inside `box` less `margin` pixels in each
// direction: a landscape photo is fitted width first, a portrait photo height first, and the
// other side is reduced (the first scaled back) when it would overflow. Integer arithmetic,
// products before divisions. A square photo is fitted like a landscape one.
QSize fit_photo(int width, int height, QSize box, int margin);

// `picture` drawn `frame` pixels in from a white frame, centred in an image of `cell` size
// filled with `background`.
QImage framed_picture(const QImage& picture, QSize cell, int frame, QColor background);

} // namespace velmora
