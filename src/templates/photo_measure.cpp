#include "templates/photo_measure.h"

#include "templates/jpeg_header.h"

namespace velmora {

std::optional<QSize> measure_photo(const QString& path) {
    const std::optional<JpegHeader> header = read_jpeg_header_file(path);
    if (!header)
        return std::nullopt;
    return QSize(header->display_width(), header->display_height());
}

} // namespace velmora
