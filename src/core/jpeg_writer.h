#pragma once

#include <QByteArray>
#include <QImage>

namespace velmora {

constexpr int kJpegQuality = 90;

// Encodes `image` as a baseline JPEG with libjpeg-turbo. Alpha is dropped (composited over
// nothing: the colour channels are kept as stored). Returns an empty array on failure.
QByteArray encode_jpeg(const QImage& image, int quality = kJpegQuality);

// encode_jpeg written to `path` under a temporary name and renamed when complete.
// Throws DataError on failure.
void save_jpeg(const QImage& image, const QString& path, int quality = kJpegQuality);

} // namespace velmora
