#include "preview/embedded_picture.h"

#include "preview/picture_fit.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace velmora {
namespace {

// Opaque fitted pictures go out as JPEG: rlottie decodes it several times faster than PNG.
constexpr int kJpegQuality = 95;
// Fitted pictures with transparent margins need PNG; light compression keeps loads quick.
constexpr int kPngQuality = 80;

QByteArray data_uri(const char* mime, const QByteArray& bytes) {
    return QByteArray("data:") + mime + ";base64," + bytes.toBase64();
}

QByteArray encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// A JPEG of the asset size that needs no rotation can be handed to rlottie as it is.
bool usable_unchanged(const QByteArray& source, QSize asset_size) {
    QBuffer buffer;
    buffer.setData(source);
    QImageReader reader(&buffer);
    return reader.format() == "jpeg" && reader.size() == asset_size
        && reader.transformation() == QImageIOHandler::TransformationNone;
}

QImage decoded(const QByteArray& source) {
    QBuffer buffer;
    buffer.setData(source);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace

QByteArray read_picture_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray data_uri_content(const QByteArray& uri) {
    const qsizetype comma = uri.indexOf(',');
    if (!uri.startsWith("data:") || comma < 0 || !uri.left(comma).endsWith(";base64"))
        return {};
    return QByteArray::fromBase64(uri.mid(comma + 1));
}

QByteArray embedded_picture(const QByteArray& source, QSize asset_size) {
    if (!source.isEmpty() && usable_unchanged(source, asset_size))
        return data_uri("image/jpeg", source);
    const QImage picture = decoded(source);
    const QImage fitted = fit_picture(picture, asset_size);
    if (fit_covers_box(picture, asset_size))
        return data_uri("image/jpeg", encoded(fitted.convertToFormat(QImage::Format_RGB32), "JPEG", kJpegQuality));
    return data_uri("image/png", encoded(fitted.convertToFormat(QImage::Format_ARGB32), "PNG", kPngQuality));
}

} // namespace velmora
