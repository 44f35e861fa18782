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

// Why a chosen file cannot become a photo of the album.
enum class PhotoRefusal {
    None,
    Unreadable,    // not a JPEG, or its image does not decode to the end (a file cut short)
    TooManyPixels, // over kMaxPhotoPixels
    TooNarrow,     // one side more than kMaxPhotoAspect times the other
};

struct CheckedPhoto {
    QSize size; // the measured display size; empty when refused
    PhotoRefusal refusal = PhotoRefusal::None;
};

// Measures a photo and makes sure it can serve: within the size limits, and its image decodes
// (at the cheapest DCT scale, about a sixty-fourth of the pixels). What is checked once here
// is what every later rendering of the photo relies on.
CheckedPhoto check_photo(const QString& path);

} // namespace velmora
