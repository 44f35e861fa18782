#pragma once

#include <QImage>
#include <QSize>

namespace velmora {

// The size a picture takes inside `box` when scaled to fit it whole, keeping its aspect.
// A result within one pixel of the box in both directions snaps to the box: that difference
// is rounding, and a one-pixel transparent seam would show.
QSize fitted_size(QSize picture, QSize box);

// `picture` scaled to fitted_size(), centred on a fully transparent image of `box` size
// (ARGB32 premultiplied). Never stretched. A null picture gives the transparent image.
QImage fit_picture(const QImage& picture, QSize box);

// True when fit_picture() leaves no transparent pixel: the picture is opaque and fills the box.
bool fit_covers_box(const QImage& picture, QSize box);

} // namespace velmora
