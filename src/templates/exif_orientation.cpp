#include "templates/exif_orientation.h"

#include <optional>
#include <QTransform>

namespace velmora {
namespace {

constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kThumbnailOffsetTag = 0x0201;
constexpr quint16 kThumbnailLengthTag = 0x0202;
constexpr quint16 kShortType = 3;
constexpr int kExifPrefixSize = 6; // "Exif\0\0"
constexpr int kIfdEntrySize = 12;

// Reads the TIFF structure in its own byte order; every read is bounds-checked.
class TiffReader {
public:
    explicit TiffReader(QByteArrayView tiff) : tiff_(tiff) {}

    bool read_byte_order() {
        if (tiff_.size() < 8)
            return false;
        if (tiff_.startsWith("II*\0")) {
            little_ = true;
            return true;
        }
        little_ = false;
        return tiff_.startsWith(QByteArrayView("MM\0*", 4));
    }
    bool u16(qsizetype at, quint16& out) const {
        if (at < 0 || at + 2 > tiff_.size())
            return false;
        const auto b0 = quint8(tiff_[at]), b1 = quint8(tiff_[at + 1]);
        out = little_ ? quint16(b0 | b1 << 8) : quint16(b0 << 8 | b1);
        return true;
    }
    bool u32(qsizetype at, quint32& out) const {
        quint16 a = 0, b = 0;
        if (!u16(at, a) || !u16(at + 2, b))
            return false;
        out = little_ ? (quint32(b) << 16 | a) : (quint32(a) << 16 | b);
        return true;
    }

private:
    QByteArrayView tiff_;
    bool little_ = true;
};

int orientation_in_ifd0(const TiffReader& tiff) {
    quint32 ifd = 0;
    quint16 count = 0;
    if (!tiff.u32(4, ifd) || !tiff.u16(qsizetype(ifd), count))
        return kUprightOrientation;
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype entry = qsizetype(ifd) + 2 + qsizetype(i) * kIfdEntrySize;
        quint16 tag = 0, type = 0, value = 0;
        if (!tiff.u16(entry, tag) || !tiff.u16(entry + 2, type))
            return kUprightOrientation;
        if (tag != kOrientationTag)
            continue;
        if (type != kShortType || !tiff.u16(entry + 8, value) || value < 1 || value > 8)
            return kUprightOrientation;
        return value;
    }
    return kUprightOrientation;
}

// The value of a SHORT or LONG entry `tag` in the IFD at `ifd`.
std::optional<quint32> ifd_value(const TiffReader& tiff, quint32 ifd, quint16 wanted) {
    quint16 count = 0;
    if (!tiff.u16(qsizetype(ifd), count))
        return std::nullopt;
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype entry = qsizetype(ifd) + 2 + qsizetype(i) * kIfdEntrySize;
        quint16 tag = 0, type = 0;
        if (!tiff.u16(entry, tag) || !tiff.u16(entry + 2, type))
            return std::nullopt;
        if (tag != wanted)
            continue;
        quint16 short_value = 0;
        quint32 long_value = 0;
        if (type == kShortType && tiff.u16(entry + 8, short_value))
            return short_value;
        if (type == 4 && tiff.u32(entry + 8, long_value))
            return long_value;
        return std::nullopt;
    }
    return std::nullopt;
}

// The offset of the IFD that follows IFD0 (IFD1 holds the thumbnail), 0 when none.
quint32 next_ifd(const TiffReader& tiff) {
    quint32 ifd0 = 0;
    quint16 count = 0;
    quint32 next = 0;
    if (!tiff.u32(4, ifd0) || !tiff.u16(qsizetype(ifd0), count) ||
        !tiff.u32(qsizetype(ifd0) + 2 + qsizetype(count) * kIfdEntrySize, next))
        return 0;
    return next;
}

} // namespace

QByteArrayView exif_thumbnail(QByteArrayView app1_payload) {
    if (!app1_payload.startsWith(QByteArrayView("Exif\0\0", kExifPrefixSize)))
        return {};
    const QByteArrayView tiff_bytes = app1_payload.sliced(kExifPrefixSize);
    TiffReader tiff(tiff_bytes);
    if (!tiff.read_byte_order())
        return {};
    const quint32 ifd1 = next_ifd(tiff);
    if (ifd1 == 0)
        return {};
    const auto offset = ifd_value(tiff, ifd1, kThumbnailOffsetTag);
    const auto length = ifd_value(tiff, ifd1, kThumbnailLengthTag);
    if (!offset || !length || *length == 0 || qint64(*offset) + qint64(*length) > tiff_bytes.size())
        return {};
    return tiff_bytes.sliced(qsizetype(*offset), qsizetype(*length));
}

int exif_orientation(QByteArrayView app1_payload) {
    if (!app1_payload.startsWith(QByteArrayView("Exif\0\0", kExifPrefixSize)))
        return kUprightOrientation;
    TiffReader tiff(app1_payload.sliced(kExifPrefixSize));
    if (!tiff.read_byte_order())
        return kUprightOrientation;
    return orientation_in_ifd0(tiff);
}

QImage apply_orientation(const QImage& stored, int orientation) {
    const QTransform clockwise = QTransform().rotate(90);
    switch (orientation) {
    case 2: return stored.mirrored(true, false);
    case 3: return stored.transformed(QTransform().rotate(180));
    case 4: return stored.mirrored(false, true);
    case 5: return stored.transformed(clockwise).mirrored(true, false);  // transpose
    case 6: return stored.transformed(clockwise);
    case 7: return stored.transformed(clockwise).mirrored(false, true);  // transverse
    case 8: return stored.transformed(QTransform().rotate(270));
    default: return stored;
    }
}

} // namespace velmora
