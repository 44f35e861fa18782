#include "templates/photo_measure.h"

#include "templates/jpeg_header.h"
#include "templates/photo_limits.h"
#include "templates/thumbnail_service.h"

namespace velmora {

std::optional<QSize> measure_photo(const QString& path) {
    const std::optional<JpegHeader> header = read_jpeg_header_file(path);
    if (!header)
        return std::nullopt;
    return QSize(header->display_width(), header->display_height());
}

CheckedPhoto check_photo(const QString& path) {
    const std::optional<QSize> size = measure_photo(path);
    if (!size)
        return {{}, PhotoRefusal::Unreadable};
    switch (photo_size_fault(*size)) {
    case PhotoSizeFault::TooManyPixels:
        return {{}, PhotoRefusal::TooManyPixels};
    case PhotoSizeFault::TooNarrow:
        return {{}, PhotoRefusal::TooNarrow};
    case PhotoSizeFault::None:
        break;
    }
    if (!ThumbnailService().decodes(path))
        return {{}, PhotoRefusal::Unreadable};
    return {*size, PhotoRefusal::None};
}

} // namespace velmora
