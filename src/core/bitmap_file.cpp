#include "core/bitmap_file.h"

#include <cstring>
#include <limits>
#include <QFile>

#include "core/data_error.h"

namespace velmora {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kHeaderSize = kFileHeaderSize + kInfoHeaderSize;

void put16(char* at, quint16 v) {
    at[0] = char(v & 0xff);
    at[1] = char(v >> 8);
}

void put32(char* at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        at[i] = char((v >> (8 * i)) & 0xff);
}

quint32 get32(const char* at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(at[i]);
    return v;
}

quint16 get16(const char* at) { return quint16(quint8(at[0]) | quint8(at[1]) << 8); }

QByteArray header_for(int width, int height) {
    const quint32 pixel_bytes = quint32(width) * quint32(height) * 4;
    QByteArray header(kHeaderSize, '\0');
    char* h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, kHeaderSize + pixel_bytes);
    put32(h + 10, kHeaderSize);
    put32(h + 14, kInfoHeaderSize);
    put32(h + 18, quint32(width));
    put32(h + 22, quint32(-height)); // negative: rows run from the top
    put16(h + 26, 1);
    put16(h + 28, 32);
    put32(h + 34, pixel_bytes);
    return header;
}

// Whether the bytes are a BMP of the layout write_bitmap makes: 32 bits, uncompressed.
bool is_plain_32bit(const QByteArray& bytes) {
    return bytes.size() >= kHeaderSize && bytes[0] == 'B' && bytes[1] == 'M' &&
           get16(bytes.constData() + 28) == 32 && get32(bytes.constData() + 30) == 0;
}

// The fast path for 32-bit uncompressed BMPs; null when the file is damaged or cut short.
QImage read_plain_32bit(const QByteArray& bytes) {
    const char* b = bytes.constData();
    const quint32 offset = get32(b + 10);
    const qint32 width = qint32(get32(b + 18));
    const qint32 raw_height = qint32(get32(b + 22));
    if (get32(b + 14) < kInfoHeaderSize || width <= 0 ||
        raw_height == 0 || raw_height == std::numeric_limits<qint32>::min())
        return {};
    const qint32 height = raw_height < 0 ? -raw_height : raw_height;
    const qint64 row_bytes = qint64(width) * 4;
    if (qint64(offset) + row_bytes * height > bytes.size())
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (qint32 y = 0; y < height; ++y) {
        const qint32 source_row = raw_height < 0 ? y : height - 1 - y;
        std::memcpy(image.scanLine(y), b + offset + row_bytes * source_row, std::size_t(row_bytes));
    }
    return image;
}

} // namespace

void write_bitmap(const QImage& image, const QString& path) {
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const qint64 row_bytes = qint64(rgb.width()) * 4;
    QFile file(path);
    bool ok = !rgb.isNull() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              file.write(header_for(rgb.width(), rgb.height())) == kHeaderSize;
    if (ok && rgb.bytesPerLine() == row_bytes) {
        ok = file.write(reinterpret_cast<const char*>(rgb.constBits()), row_bytes * rgb.height()) ==
             row_bytes * rgb.height();
    } else {
        for (int y = 0; ok && y < rgb.height(); ++y)
            ok = file.write(reinterpret_cast<const char*>(rgb.constScanLine(y)), row_bytes) == row_bytes;
    }
    if (!ok)
        throw DataError(QStringLiteral("The frame file %1 cannot be written: %2").arg(path, file.errorString()));
}

QImage read_bitmap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return is_plain_32bit(bytes) ? read_plain_32bit(bytes) : QImage::fromData(bytes);
}

} // namespace velmora
