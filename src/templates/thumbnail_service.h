#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include "templates/jpeg_decoder.h"

namespace velmora {

// A picture of an image file at a requested size, in the photo's display orientation.
struct Thumbnail {
    QImage image;        // exactly the requested size, Format_RGB32
    bool failed = false; // the file could not be decoded; `image` is the file-type icon
};

// Renders picture files small. JPEGs are decoded by libjpeg-turbo with DCT scaling (never at
// full size when shown small) and turned by their EXIF orientation; other formats (BMP) go
// through QImage. The result is scaled to exactly the requested size: callers ask for the
// proportions they want to show (the photo list's measured sizes keep the photo's own).
// Synchronous and free of shared state: any thread may call, one call per object at a time.
class ThumbnailService {
public:
    // `size` must be positive in both directions; otherwise the icon is returned as failed.
    Thumbnail render(const QString& path, QSize size) const;
    // `part` of the picture (fractions of its width and height, within 0..1) at exactly `size`.
    // Only as much of the file is decoded as that part needs, so a small part of a long strip
    // never makes the whole strip as large as the part is shown. An empty part fails.
    Thumbnail render_part(const QString& path, QRectF part, QSize size) const;
    // render(...).image.
    QImage thumbnail(const QString& path, QSize size) const { return render(path, size).image; }

    // Whether the file's own image (not the camera's embedded thumbnail) decodes to the end, at
    // the cheapest DCT scale. A JPEG cut short fails, as does one larger than the program takes.
    bool decodes(const QString& path) const;

    // The file-type icon given for files that cannot be decoded: a page with a folded corner.
    static QImage file_icon(QSize size);
};


} // namespace velmora
