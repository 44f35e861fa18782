#include "templates/thumbnail_service.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include "core/native_path.h"
#include "templates/exif_orientation.h"
#include "templates/jpeg_decoder.h"
#include "templates/jpeg_header.h"
#include "templates/photo_limits.h"

namespace velmora {
namespace {

// The camera's embedded thumbnail, when it is large enough for `stored_target` and shows the
// whole photo (same proportions within 2 %): decoding a few kilobytes instead of megabytes is
// what makes a page of small thumbnails fast.
QImage embedded_thumbnail(const JpegHeader& header, QSize stored_target) {
    if (header.exif_thumbnail.isEmpty())
        return {};
    const QImage small = decode_jpeg_scaled(header.exif_thumbnail, stored_target).image;
    if (small.width() < stored_target.width() || small.height() < stored_target.height())
        return {};
    const qint64 cross_a = qint64(small.width()) * header.stored_height;
    const qint64 cross_b = qint64(small.height()) * header.stored_width;
    if (std::abs(cross_a - cross_b) * 50 > cross_b)
        return {};
    return small;
}

// The size the whole picture of `full` size must have for `part` of it to cover `size`; never
// more than `full`, so a tiny part of a long strip asks for the strip at its own size and not
// for millions of pixels.
QSize whole_size_for(QRectF part, QSize size, QSize full) {
    const auto side = [](int wanted, qreal fraction, int limit) {
        const qreal needed = std::ceil(wanted / fraction);
        return needed >= limit ? limit : std::max(1, int(needed));
    };
    return {side(size.width(), part.width(), full.width()), side(size.height(), part.height(), full.height())};
}

// `part` (fractions of the picture) cut out of `whole`, widened to whole pixels.
QImage cut_part(const QImage& whole, QRectF part) {
    const int left = int(std::floor(part.left() * whole.width()));
    const int top = int(std::floor(part.top() * whole.height()));
    const int right = int(std::ceil(part.right() * whole.width()));
    const int bottom = int(std::ceil(part.bottom() * whole.height()));
    const QRect pixels = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(whole.rect());
    if (pixels == whole.rect())
        return whole;
    return whole.copy(pixels.isEmpty() ? QRect(std::min(left, whole.width() - 1), std::min(top, whole.height() - 1), 1, 1)
                                       : pixels);
}

// Whether the camera's embedded thumbnail may stand in for the photo.
enum class Embedded { Allowed, Refused };

// The whole photo in display orientation, decoded just large enough for `part` of it to cover
// `size`. Nothing when TurboJPEG does not take the file (not a JPEG, or a colour space it
// refuses); a null image when the file is a JPEG cut short, or larger than the program takes.
std::optional<QImage> decode_jpeg(const QString& path, QRectF part, QSize size, Embedded embedded) {
    QFile file;
    if (!open_for_reading(file, path))
        return std::nullopt;
    const QByteArray jpeg = file.readAll();
    const std::optional<JpegHeader> header = read_jpeg_header(jpeg);
    if (!header)
        return std::nullopt;
    const QSize display(header->display_width(), header->display_height());
    if (photo_size_fault(display) == PhotoSizeFault::TooManyPixels)
        return QImage();
    const QSize whole = whole_size_for(part, size, display);
    const QSize stored_target = orientation_swaps_axes(header->orientation) ? whole.transposed() : whole;
    QImage stored = embedded == Embedded::Allowed ? embedded_thumbnail(*header, stored_target) : QImage();
    if (stored.isNull()) {
        const DecodedJpeg decoded = decode_jpeg_scaled(jpeg, stored_target);
        if (decoded.cut_short)
            return QImage();
        if (decoded.image.isNull())
            return std::nullopt;
        stored = decoded.image;
    }
    return apply_orientation(stored, header->orientation);
}

// Formats the JPEG path does not take (BMP, and JPEGs in colour spaces TurboJPEG refuses),
// decoded close to the wanted size where the format allows it.
QImage decode_other(const QString& path, QRectF part, QSize size) {
    QFile file;
    if (!open_for_reading(file, path))
        return {};
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid()) {
        const QSize whole = whole_size_for(part, size, full);
        if (reader.supportsOption(QImageIOHandler::ScaledSize) && full.width() > 2 * whole.width() &&
            full.height() > 2 * whole.height())
            reader.setScaledSize(full.scaled(whole * 2, Qt::KeepAspectRatioByExpanding));
    }
    return reader.read();
}

// A JPEG that TurboJPEG does not take is tried once more through QImage: Qt's reader takes
// some colour spaces that TurboJPEG refuses to turn into RGB.
QImage decode_whole(const QString& path, QRectF part, QSize size, Embedded embedded) {
    const std::optional<QImage> jpeg = decode_jpeg(path, part, size, embedded);
    return jpeg ? *jpeg : decode_other(path, part, size);
}

} // namespace

bool ThumbnailService::decodes(const QString& path) const {
    return !decode_whole(path, QRectF(0, 0, 1, 1), QSize(1, 1), Embedded::Refused).isNull();
}

Thumbnail ThumbnailService::render(const QString& path, QSize size) const {
    return render_part(path, QRectF(0, 0, 1, 1), size);
}

Thumbnail ThumbnailService::render_part(const QString& path, QRectF part, QSize size) const {
    part = part.intersected(QRectF(0, 0, 1, 1));
    if (size.isEmpty() || part.isEmpty())
        return {file_icon(size.expandedTo(QSize(1, 1))), true};
    const QImage whole = decode_whole(path, part, size, Embedded::Allowed);
    if (whole.isNull())
        return {file_icon(size), true};
    const QImage picture = cut_part(whole, part);
    QImage scaled = picture.size() == size
                        ? picture
                        : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return {file_icon(size), true};
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
