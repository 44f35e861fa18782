#include "templates/thumbnail_service.h"

#include <cstdlib>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <turbojpeg.h>

#include "templates/exif_orientation.h"
#include "templates/jpeg_header.h"

namespace velmora {
namespace {

// Frees the TurboJPEG handle however decoding ends.
struct Decompressor {
    tjhandle handle = tjInitDecompress();
    ~Decompressor() {
        if (handle)
            tjDestroy(handle);
    }
};

tjscalingfactor choose_scaling(QSize stored, QSize target) {
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    tjscalingfactor best{1, 1};
    qint64 best_area = qint64(stored.width()) * stored.height();
    for (int i = 0; i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom)
            continue;
        const int w = TJSCALED(stored.width(), f), h = TJSCALED(stored.height(), f);
        if (w >= target.width() && h >= target.height() && qint64(w) * h < best_area) {
            best = f;
            best_area = qint64(w) * h;
        }
    }
    return best;
}

// Decodes at the chosen DCT scale, in stored orientation. Null on any decoder error.
QImage decode_scaled(const QByteArray& jpeg, QSize stored_target) {
    Decompressor d;
    if (!d.handle)
        return {};
    auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(d.handle, data, jpeg.size(), &width, &height, &subsampling, &colourspace) != 0)
        return {};
    const tjscalingfactor f = choose_scaling(QSize(width, height), stored_target);
    QImage image(TJSCALED(width, f), TJSCALED(height, f), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // Format_RGB32 lies in memory as B, G, R, X on little-endian machines.
    const int pixel_format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    if (tjDecompress2(d.handle, data, jpeg.size(), image.bits(), image.width(), int(image.bytesPerLine()),
                      image.height(), pixel_format, 0) != 0 &&
        tjGetErrorCode(d.handle) != TJERR_WARNING)
        return {};
    // A warning (data cut short, say) still leaves every row written: show what was decoded.
    return image;
}

// The camera's embedded thumbnail, when it is large enough for `stored_target` and shows the
// whole photo (same proportions within 2 %): decoding a few kilobytes instead of megabytes is
// what makes a page of small thumbnails fast.
QImage embedded_thumbnail(const JpegHeader& header, QSize stored_target) {
    if (header.exif_thumbnail.isEmpty())
        return {};
    const QImage small = decode_scaled(header.exif_thumbnail, stored_target);
    if (small.width() < stored_target.width() || small.height() < stored_target.height())
        return {};
    const qint64 cross_a = qint64(small.width()) * header.stored_height;
    const qint64 cross_b = qint64(small.height()) * header.stored_width;
    if (std::abs(cross_a - cross_b) * 50 > cross_b)
        return {};
    return small;
}

QImage decode_jpeg(const QString& path, QSize size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray jpeg = file.readAll();
    const std::optional<JpegHeader> header = read_jpeg_header(jpeg);
    if (!header)
        return {};
    const QSize stored_target = orientation_swaps_axes(header->orientation) ? size.transposed() : size;
    QImage stored = embedded_thumbnail(*header, stored_target);
    if (stored.isNull())
        stored = decode_scaled(jpeg, stored_target);
    return stored.isNull() ? QImage() : apply_orientation(stored, header->orientation);
}

// Formats the JPEG path does not take (BMP, and JPEGs in colour spaces TurboJPEG refuses),
// decoded close to the wanted size where the format allows it.
QImage decode_other(const QString& path, QSize size) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize) &&
        full.width() > 2 * size.width() && full.height() > 2 * size.height())
        reader.setScaledSize(full.scaled(size * 2, Qt::KeepAspectRatioByExpanding));
    return reader.read();
}

} // namespace

QSize dct_decode_size(QSize stored, QSize target) {
    const tjscalingfactor f = choose_scaling(stored, target);
    return {TJSCALED(stored.width(), f), TJSCALED(stored.height(), f)};
}

Thumbnail ThumbnailService::render(const QString& path, QSize size) const {
    if (size.isEmpty())
        return {file_icon(size.expandedTo(QSize(1, 1))), true};
    QImage picture = decode_jpeg(path, size);
    if (picture.isNull())
        picture = decode_other(path, size);
    if (picture.isNull())
        return {file_icon(size), true};
    QImage scaled = picture.size() == size
                        ? picture
                        : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return {scaled.convertToFormat(QImage::Format_RGB32), false};
}

QImage ThumbnailService::file_icon(QSize size) {
    QImage icon(size, QImage::Format_RGB32);
    icon.fill(Qt::white);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(size.width(), size.height());
    const qreal page_w = side * 0.6, page_h = side * 0.8, fold = side * 0.18;
    const QPointF top_left((size.width() - page_w) / 2, (size.height() - page_h) / 2);
    QPainterPath page;
    page.moveTo(top_left);
    page.lineTo(top_left + QPointF(page_w - fold, 0));
    page.lineTo(top_left + QPointF(page_w, fold));
    page.lineTo(top_left + QPointF(page_w, page_h));
    page.lineTo(top_left + QPointF(0, page_h));
    page.closeSubpath();
    p.setPen(QPen(QColor(120, 126, 140), std::max(1.0, side / 40.0)));
    p.setBrush(QColor(246, 247, 250));
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(top_left + QPointF(page_w - fold, 0));
    corner.lineTo(top_left + QPointF(page_w - fold, fold));
    corner.lineTo(top_left + QPointF(page_w, fold));
    p.setBrush(QColor(214, 218, 226));
    p.drawPath(corner);
    return icon;
}

} // namespace velmora
