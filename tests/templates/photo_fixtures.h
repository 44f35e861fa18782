#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace velmora::test {

// An APP1 segment (marker included) whose IFD0 holds only the orientation tag, written in
// little-endian ("II") or big-endian ("MM") byte order.
QByteArray exif_segment(int orientation, bool big_endian = false);

// An APP1 segment with the orientation in IFD0 and `thumbnail` (a JPEG) embedded through IFD1,
// as cameras write it.
QByteArray exif_segment_with_thumbnail(int orientation, const QByteArray& thumbnail);

// `image` as a JPEG, with `app1` (for instance exif_segment) inserted after the start of image.
QByteArray jpeg_with(const QImage& image, const QByteArray& app1 = {});

// A picture split in four quadrants: top left red, top right green, bottom left blue,
// bottom right white.
QImage quadrant_picture(int width, int height);
inline const QColor kTopLeft{255, 0, 0}, kTopRight{0, 255, 0}, kBottomLeft{0, 0, 255}, kBottomRight{255, 255, 255};

// Whether two colours differ by at most `tolerance` in every channel.
bool near(QColor a, QColor b, int tolerance = 40);

} // namespace velmora::test
