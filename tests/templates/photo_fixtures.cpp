#include "templates/photo_fixtures.h"

#include <QPainter>

#include "core/jpeg_writer.h"

namespace velmora::test {
namespace {

void put16(QByteArray& out, int v, bool big) {
    if (big)
        out.append(char(v >> 8 & 0xFF)).append(char(v & 0xFF));
    else
        out.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}

void put32(QByteArray& out, quint32 v, bool big) {
    if (big) {
        put16(out, int(v >> 16), big);
        put16(out, int(v & 0xFFFF), big);
    } else {
        put16(out, int(v & 0xFFFF), big);
        put16(out, int(v >> 16), big);
    }
}

} // namespace

QByteArray exif_segment(int orientation, bool big_endian) {
    QByteArray tiff = big_endian ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4);
    put32(tiff, 8, big_endian);         // IFD0 offset
    put16(tiff, 1, big_endian);         // one entry
    put16(tiff, 0x0112, big_endian);    // orientation
    put16(tiff, 3, big_endian);         // SHORT
    put32(tiff, 1, big_endian);         // one value
    put16(tiff, orientation, big_endian);
    put16(tiff, 0, big_endian);         // value field padding
    put32(tiff, 0, big_endian);         // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    put16(segment, int(payload.size() + 2), true);
    return segment + payload;
}

QByteArray exif_segment_with_thumbnail(int orientation, const QByteArray& thumbnail) {
    QByteArray tiff("II*\0", 4);
    put32(tiff, 8, false);        // IFD0 offset
    put16(tiff, 1, false);        // IFD0: the orientation
    put16(tiff, 0x0112, false);
    put16(tiff, 3, false);
    put32(tiff, 1, false);
    put16(tiff, orientation, false);
    put16(tiff, 0, false);
    put32(tiff, 26, false);       // IFD1 follows
    put16(tiff, 2, false);        // IFD1: where the thumbnail lies
    put16(tiff, 0x0201, false);
    put16(tiff, 4, false);
    put32(tiff, 1, false);
    put32(tiff, 56, false);
    put16(tiff, 0x0202, false);
    put16(tiff, 4, false);
    put32(tiff, 1, false);
    put32(tiff, quint32(thumbnail.size()), false);
    put32(tiff, 0, false);        // no further IFD
    tiff += thumbnail;
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    put16(segment, int(payload.size() + 2), true);
    return segment + payload;
}

QByteArray jpeg_with(const QImage& image, const QByteArray& app1) {
    QByteArray jpeg = encode_jpeg(image);
    if (!app1.isEmpty())
        jpeg.insert(2, app1);
    return jpeg;
}

QImage quadrant_picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int hw = width / 2, hh = height / 2;
    p.fillRect(0, 0, hw, hh, kTopLeft);
    p.fillRect(hw, 0, width - hw, hh, kTopRight);
    p.fillRect(0, hh, hw, height - hh, kBottomLeft);
    p.fillRect(hw, hh, width - hw, height - hh, kBottomRight);
    return image;
}

bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace velmora::test
