#pragma once

#include <QImage>

namespace velmora {

// A painted stand-in for a photo (sky, sun, hills, a figure), different for each seed, so
// templates can be reviewed without real photos.
QImage paint_sample_photo(QSize size, int seed);

} // namespace velmora
