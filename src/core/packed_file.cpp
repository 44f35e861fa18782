#include "core/packed_file.h"

#include <algorithm>
#include <QFile>
#include <QSaveFile>
#include <QTime>
#include <zlib.h>

#include "core/data_error.h"
#include "core/file_utils.h"

namespace velmora {
namespace {

constexpr qint64 kHeaderSize = 4;
// The output grows in steps of at least this much, so short streams cost little.
constexpr qint64 kFirstOutputChunk = 64 * 1024;

qint32 read_length_field(const QByteArray& buffer) {
    const auto* b = reinterpret_cast<const unsigned char*>(buffer.constData());
    const quint32 raw = quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
    return static_cast<qint32>(raw);
}

void check_length_field(qint64 length, qint64 max_content_bytes, const QString& what) {
    if (length < 0)
        throw DataError(QStringLiteral("%1 is damaged: negative content length %2").arg(what).arg(length));
    if (length > max_content_bytes)
        throw DataError(QStringLiteral("%1 is refused: its content of %2 bytes is over the limit of %3 bytes for its kind")
                            .arg(what).arg(length).arg(max_content_bytes));
}

// Makes room for more output: doubles the buffer, up to one byte past `length` so that a
// stream that goes on beyond its length field is caught.
void grow_output(QByteArray& out, qint64 length) {
    const qint64 wanted = std::max(kFirstOutputChunk, 2 * out.size());
    out.resize(std::min(wanted, length + 1));
}

// Inflates the stream after the header into exactly `length` bytes, growing the output only
// as the stream delivers.
QByteArray inflate_exactly(const QByteArray& buffer, qint64 length, const QString& what) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw DataError(QStringLiteral("%1: cannot start inflating").arg(what));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(buffer.constData() + kHeaderSize));
    zs.avail_in = static_cast<uInt>(buffer.size() - kHeaderSize);
    QByteArray out;
    qint64 produced = 0;
    int rc = Z_OK;
    while (rc == Z_OK && produced <= length) {
        if (produced == out.size())
            grow_output(out, length);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        zs.avail_out = static_cast<uInt>(out.size() - produced);
        rc = inflate(&zs, Z_NO_FLUSH);
        produced = out.size() - zs.avail_out;
    }
    const QString zmsg = zs.msg ? QString::fromLatin1(zs.msg) : QString();
    inflateEnd(&zs);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw DataError(QStringLiteral("%1 is damaged: %2").arg(what, zmsg.isEmpty() ? QStringLiteral("bad zlib data") : zmsg));
    if (produced > length)
        throw DataError(QStringLiteral("%1 is damaged: content length %2 but the data inflates to more")
                            .arg(what).arg(length));
    if (produced < length)
        throw DataError(QStringLiteral("%1 is damaged: content length %2 but the data inflates to only %3 bytes")
                            .arg(what).arg(length).arg(produced));
    out.resize(length);
    return out;
}

// The largest packed file that content of `max_content_bytes` can need: zlib's bound for
// incompressible data plus the length field.
qint64 largest_packed_size(qint64 max_content_bytes) {
    return kHeaderSize + qint64(compressBound(static_cast<uLong>(max_content_bytes)));
}

// Reads a packed file, refusing one larger than content of `max_content_bytes` can need.
QByteArray read_packed_file(const QString& path, qint64 max_content_bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    const qint64 limit = largest_packed_size(max_content_bytes);
    QByteArray data = read_at_most(file, limit + 1);
    if (data.size() > limit)
        throw DataError(QStringLiteral("%1 is refused: over %2 bytes, more than its kind can need").arg(path).arg(limit));
    if (file.error() != QFileDevice::NoError)
        throw DataError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return data;
}

// Intermediates are scratch files: a plain write is enough.
void write_intermediate(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        throw DataError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

// The final file appears only once it is complete.
void write_final(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw DataError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

} // namespace

void unpack_once(QByteArray& buffer, qint64 max_content_bytes, const QString& what) {
    if (buffer.isEmpty())
        return;
    if (buffer.size() < kHeaderSize)
        throw DataError(QStringLiteral("%1 is damaged: shorter than its length field").arg(what));
    const qint64 length = read_length_field(buffer);
    check_length_field(length, max_content_bytes, what);
    buffer = inflate_exactly(buffer, length, what);
}

QByteArray pack_once(const QByteArray& content, int level) {
    uLongf bound = compressBound(static_cast<uLong>(content.size()));
    QByteArray out(kHeaderSize + qint64(bound), Qt::Uninitialized);
    const quint32 n = static_cast<quint32>(content.size());
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((n >> (8 * i)) & 0xff);
    const int rc = compress2(reinterpret_cast<Bytef*>(out.data() + kHeaderSize), &bound,
                             reinterpret_cast<const Bytef*>(content.constData()),
                             static_cast<uLong>(content.size()), level);
    if (rc != Z_OK)
        throw DataError(QStringLiteral("cannot pack %1 bytes (zlib error %2)").arg(content.size()).arg(rc));
    out.resize(kHeaderSize + qint64(bound));
    return out;
}

QByteArray pack_nested(const QByteArray& content, int rounds, int level) {
    QByteArray data = content;
    for (int k = 0; k < rounds; ++k)
        data = pack_once(data, level);
    return data;
}

void unpack_nested(const QString& source, const PackedKind& kind, const IntermediateName& intermediate,
                   const QString& final_path) {
    if (kind.rounds < 1)
        throw DataError(QStringLiteral("cannot unpack %1 in %2 rounds").arg(source).arg(kind.rounds));
    QString current = source;
    for (int k = 1; k <= kind.rounds; ++k) {
        QByteArray data = read_packed_file(current, kind.max_content_bytes);
        unpack_once(data, kind.max_content_bytes, current);
        if (k == kind.rounds) {
            write_final(final_path, data);
            return;
        }
        current = intermediate(k);
        write_intermediate(current, data);
    }
}

void unpack_nested_in_memory(const QString& source, const PackedKind& kind, const QString& final_path) {
    if (kind.rounds < 1)
        throw DataError(QStringLiteral("cannot unpack %1 in %2 rounds").arg(source).arg(kind.rounds));
    QByteArray data = read_packed_file(source, kind.max_content_bytes);
    for (int k = 1; k <= kind.rounds; ++k)
        unpack_once(data, kind.max_content_bytes, source);
    write_final(final_path, data);
}

QString time_of_day_stamp() {
    return QTime::currentTime().toString(QStringLiteral("HHmmss"));
}

} // namespace velmora
