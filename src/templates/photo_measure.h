#pragma once

#include <optional>
#include <QSize>
#include <QString>

namespace velmora {

// The displayed pixel size of a JPEG photo, from its header and EXIF orientation alone: the
// stored size, with width and height exchanged when the orientation turns the photo by a
// quarter (5..8). This is the orientation the thumbnail service renders in. Empty when the
// file is not a JPEG that can be decoded (missing, not a JPEG, header cut short, zero size).
std::optional<QSize> measure_photo(const QString& path);

} // namespace velmora
