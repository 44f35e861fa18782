#include "templates/photo_limits.h"

namespace velmora {

PhotoSizeFault photo_size_fault(QSize size) {
    const qint64 w = size.width(), h = size.height();
    if (w * h > kMaxPhotoPixels)
        return PhotoSizeFault::TooManyPixels;
    if (w > h * kMaxPhotoAspect || h > w * kMaxPhotoAspect)
        return PhotoSizeFault::TooNarrow;
    return PhotoSizeFault::None;
}

} // namespace velmora
