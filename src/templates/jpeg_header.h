#pragma once

#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace velmora {

// What the header segments of a JPEG file say, read without decoding any pixels.
struct JpegHeader {
    int stored_width = 0;
    int stored_height = 0;
    int orientation = 1; // EXIF orientation, 1 when the file has none
    QByteArray exif_thumbnail; // the camera's embedded small JPEG, empty when there is none

    int display_width() const;
    int display_height() const;
};

// Reads the segments from the start of image up to the start of scan: the frame header
// (size) and the APP1 Exif segment (orientation). Empty when the bytes are not a JPEG that can
// be decoded: no start-of-image, a header cut short before the scan, a zero size, or a frame
// type or sample precision the decoder does not handle.
std::optional<JpegHeader> read_jpeg_header(QByteArrayView bytes);
// The same from a file; only the header segments are read from disk.
std::optional<JpegHeader> read_jpeg_header_file(const QString& path);

} // namespace velmora
