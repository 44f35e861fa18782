#pragma once

#include <QImage>
#include <QString>

namespace velmora {

// The frame file is rewritten for every album frame and read back at once, so it is written
// as a plain 32-bit top-down BMP in one block, without the per-pixel conversion of a general
// image writer. Any BMP reader opens it.

// Writes `image` (converted to RGB32 if needed) to `path`, replacing the file in place: the
// frame file has one writer and its reader runs on the same thread after the write returns.
// Throws DataError when the file cannot be written.
void write_bitmap(const QImage& image, const QString& path);

// Reads a BMP. 32-bit uncompressed files (as write_bitmap makes them) are copied straight into
// an RGB32 image; any other picture goes through Qt's readers. Null when it cannot be read.
QImage read_bitmap(const QString& path);

} // namespace velmora
