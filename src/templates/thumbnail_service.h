#pragma once

#include <QImage>
#include <QSize>
#include <QString>

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
    // render(...).image.
    QImage thumbnail(const QString& path, QSize size) const { return render(path, size).image; }

    // The file-type icon given for files that cannot be decoded: a page with a folded corner.
    static QImage file_icon(QSize size);
};

// The size a JPEG stored at `stored` is decoded at for a picture of `target` (both in stored
// orientation): the smallest DCT scaling, at most 1/1, whose result still covers the target in
// both directions, so the final resize only ever shrinks.
QSize dct_decode_size(QSize stored, QSize target);

} // namespace velmora
