#include "templates/jpeg_header.h"

#include <QFile>

#include "core/native_path.h"
#include "templates/exif_orientation.h"

namespace velmora {
namespace {

constexpr quint8 kSoi = 0xD8;
constexpr quint8 kEoi = 0xD9;
constexpr quint8 kSos = 0xDA;
constexpr quint8 kApp1 = 0xE1;

// Baseline, extended, progressive and lossless frames, Huffman or arithmetic coded.
// 0xC4 (DHT), 0xC8 (reserved) and 0xCC (DAC) share the range but are not frames.
bool is_frame_marker(quint8 m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}
// Frames the decoder handles: 8-bit baseline, extended and progressive Huffman.
bool is_decodable_frame(quint8 m) { return m == 0xC0 || m == 0xC1 || m == 0xC2; }
bool is_standalone_marker(quint8 m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD7); }

// The segments in order, from any source that can hand out bytes and skip them.
class SegmentSource {
public:
    virtual ~SegmentSource() = default;
    virtual bool read(char* out, qint64 n) = 0;
    virtual bool skip(qint64 n) = 0;

    bool byte(quint8& out) {
        char c = 0;
        if (!read(&c, 1))
            return false;
        out = quint8(c);
        return true;
    }
    bool u16(int& out) {
        quint8 hi = 0, lo = 0;
        if (!byte(hi) || !byte(lo))
            return false;
        out = hi << 8 | lo;
        return true;
    }
};

class MemorySource : public SegmentSource {
public:
    explicit MemorySource(QByteArrayView bytes) : bytes_(bytes) {}
    bool read(char* out, qint64 n) override {
        if (n > bytes_.size() - pos_)
            return false;
        std::copy_n(bytes_.data() + pos_, n, out);
        pos_ += n;
        return true;
    }
    bool skip(qint64 n) override {
        if (n > bytes_.size() - pos_)
            return false;
        pos_ += n;
        return true;
    }

private:
    QByteArrayView bytes_;
    qint64 pos_ = 0;
};

class FileSource : public SegmentSource {
public:
    explicit FileSource(QFile& file) : file_(file) {}
    bool read(char* out, qint64 n) override { return file_.read(out, n) == n; }
    bool skip(qint64 n) override { return file_.pos() + n <= file_.size() && file_.seek(file_.pos() + n); }

private:
    QFile& file_;
};

// The next marker code, passing over fill bytes.
bool next_marker(SegmentSource& in, quint8& marker) {
    quint8 b = 0;
    if (!in.byte(b) || b != 0xFF)
        return false;
    do {
        if (!in.byte(b))
            return false;
    } while (b == 0xFF);
    marker = b;
    return true;
}

bool read_frame(SegmentSource& in, quint8 marker, int payload, JpegHeader& header) {
    if (!is_decodable_frame(marker) || payload < 6)
        return false;
    quint8 precision = 0, components = 0;
    int height = 0, width = 0;
    if (!in.byte(precision) || !in.u16(height) || !in.u16(width) || !in.byte(components))
        return false;
    if (precision != 8 || width == 0 || height == 0 || (components != 1 && components != 3 && components != 4))
        return false;
    header.stored_width = width;
    header.stored_height = height;
    return in.skip(payload - 6);
}

std::optional<JpegHeader> parse(SegmentSource& in) {
    quint8 marker = 0;
    if (!next_marker(in, marker) || marker != kSoi)
        return std::nullopt;
    JpegHeader header;
    bool have_frame = false;
    while (next_marker(in, marker)) {
        if (is_standalone_marker(marker))
            continue;
        if (marker == kSoi || marker == kEoi)
            return std::nullopt;
        int length = 0;
        if (!in.u16(length) || length < 2)
            return std::nullopt;
        const int payload = length - 2;
        if (marker == kSos)
            return have_frame ? std::optional(header) : std::nullopt;
        if (is_frame_marker(marker)) {
            if (have_frame || !read_frame(in, marker, payload, header))
                return std::nullopt;
            have_frame = true;
        } else if (marker == kApp1 && header.orientation == kUprightOrientation) {
            QByteArray app1(payload, Qt::Uninitialized);
            if (!in.read(app1.data(), payload))
                return std::nullopt;
            header.orientation = exif_orientation(app1);
            header.exif_thumbnail = exif_thumbnail(app1).toByteArray();
        } else if (!in.skip(payload)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

int JpegHeader::display_width() const {
    return orientation_swaps_axes(orientation) ? stored_height : stored_width;
}

int JpegHeader::display_height() const {
    return orientation_swaps_axes(orientation) ? stored_width : stored_height;
}

std::optional<JpegHeader> read_jpeg_header(QByteArrayView bytes) {
    MemorySource in(bytes);
    return parse(in);
}

std::optional<JpegHeader> read_jpeg_header_file(const QString& path) {
    QFile file;
    if (!open_for_reading(file, path))
        return std::nullopt;
    FileSource in(file);
    return parse(in);
}

} // namespace velmora
