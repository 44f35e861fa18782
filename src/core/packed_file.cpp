#include "core/packed_file.h"

#include <limits>
#include <QFile>
#include <QSaveFile>
#include <QTime>
#include <zlib.h>

#include "core/data_error.h"

namespace velmora {
namespace {

constexpr qint64 kHeaderSize = 4;
constexpr qint64 kMaxContentSize = qint64(2) * 1024 * 1024 * 1024; // 2 GiB
constexpr qint64 kSlackBytes = 1024 * 1024;                          // 1 MiB
constexpr qint64 kMaxRatio = 64;

qint32 read_length_field(const QByteArray& buffer) {
    const auto* b = reinterpret_cast<const unsigned char*>(buffer.constData());
    const quint32 raw = quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
    return static_cast<qint32>(raw);
}

void check_length_is_plausible(qint64 length, qint64 packed_size, const QString& what) {
    if (length < 0)
        throw DataError(QStringLiteral("%1 is damaged: negative content length %2").arg(what).arg(length));
    if (length > kMaxContentSize || length > kMaxRatio * packed_size + kSlackBytes)
        throw DataError(QStringLiteral("%1 is damaged: content length %2 is implausible for %3 packed bytes")
                            .arg(what).arg(length).arg(packed_size));
}

// Inflates the stream after the header into exactly `length` bytes.
QByteArray inflate_exactly(const QByteArray& buffer, qint64 length, const QString& what) {
    QByteArray out(length, Qt::Uninitialized);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw DataError(QStringLiteral("%1: cannot start inflating").arg(what));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(buffer.constData() + kHeaderSize));
    zs.avail_in = static_cast<uInt>(buffer.size() - kHeaderSize);
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(length);
    int rc = Z_OK;
    while (zs.avail_out > 0 && rc == Z_OK)
        rc = inflate(&zs, Z_NO_FLUSH);
    const qint64 produced = length - zs.avail_out;
    const QString zmsg = zs.msg ? QString::fromLatin1(zs.msg) : QString();
    inflateEnd(&zs);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw DataError(QStringLiteral("%1 is damaged: %2").arg(what, zmsg.isEmpty() ? QStringLiteral("bad zlib data") : zmsg));
    if (produced < length)
        throw DataError(QStringLiteral("%1 is damaged: content length %2 but the data inflates to only %3 bytes")
                            .arg(what).arg(length).arg(produced));
    return out;
}

QByteArray read_whole_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    return file.readAll();
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

void unpack_once(QByteArray& buffer, const QString& what) {
    if (buffer.isEmpty())
        return;
    if (buffer.size() < kHeaderSize)
        throw DataError(QStringLiteral("%1 is damaged: shorter than its length field").arg(what));
    const qint64 length = read_length_field(buffer);
    check_length_is_plausible(length, buffer.size(), what);
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

void unpack_nested(const QString& source, int rounds, const IntermediateName& intermediate,
                   const QString& final_path) {
    if (rounds < 1)
        throw DataError(QStringLiteral("cannot unpack %1 in %2 rounds").arg(source).arg(rounds));
    QString current = source;
    for (int k = 1; k <= rounds; ++k) {
        QByteArray data = read_whole_file(current);
        unpack_once(data, current);
        if (k == rounds) {
            write_final(final_path, data);
            return;
        }
        current = intermediate(k);
        write_intermediate(current, data);
    }
}

void unpack_nested_in_memory(const QString& source, int rounds, const QString& final_path) {
    if (rounds < 1)
        throw DataError(QStringLiteral("cannot unpack %1 in %2 rounds").arg(source).arg(rounds));
    QByteArray data = read_whole_file(source);
    for (int k = 1; k <= rounds; ++k)
        unpack_once(data, source);
    write_final(final_path, data);
}

QString time_of_day_stamp() {
    return QTime::currentTime().toString(QStringLiteral("HHmmss"));
}

} // namespace velmora
