// Feeds arbitrary bytes to the JPEG header reader and, as an APP1 payload, to the EXIF reader.
#include "fuzz/fuzz_support.h"
#include "templates/exif_orientation.h"
#include "templates/jpeg_header.h"

#include <QImage>

using namespace velmora;

namespace {

bool same_header(const std::optional<JpegHeader>& a, const std::optional<JpegHeader>& b) {
    if (a.has_value() != b.has_value())
        return false;
    return !a || (a->stored_width == b->stored_width && a->stored_height == b->stored_height
                  && a->orientation == b->orientation && a->exif_thumbnail == b->exif_thumbnail);
}

void check_orientation(int orientation) {
    fuzz::require(orientation >= 1 && orientation <= 8, "orientations are 1..8");
    QImage stored(3, 2, QImage::Format_RGB32);
    stored.fill(Qt::white);
    const QImage shown = apply_orientation(stored, orientation);
    const QSize expected = orientation_swaps_axes(orientation) ? QSize(2, 3) : QSize(3, 2);
    fuzz::require(shown.size() == expected, "turning a picture keeps its pixels");
}

void check_header(const JpegHeader& header) {
    fuzz::require(header.stored_width > 0 && header.stored_height > 0, "a header has a size");
    check_orientation(header.orientation);
    fuzz::require(qint64(header.display_width()) * header.display_height() == qint64(header.stored_width) * header.stored_height,
                  "the displayed size is the stored size turned");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);

    check_orientation(exif_orientation(bytes));
    const QByteArrayView thumbnail = exif_thumbnail(bytes);
    fuzz::require(thumbnail.isEmpty()
                      || (thumbnail.data() >= bytes.constData()
                          && thumbnail.data() + thumbnail.size() <= bytes.constData() + bytes.size()),
                  "the thumbnail lies inside the payload");

    const std::optional<JpegHeader> header = read_jpeg_header(bytes);
    if (header) {
        check_header(*header);
        if (!header->exif_thumbnail.isEmpty())
            if (const auto inner = read_jpeg_header(header->exif_thumbnail))
                check_header(*inner);
    }

    if (fuzz::through_file(size)) {
        const QString path = fuzz::scratch_path(QStringLiteral("photo.jpg"));
        fuzz::write_scratch(path, bytes);
        fuzz::require(same_header(read_jpeg_header_file(path), header), "a file reads as its bytes do");
    }
    return 0;
}
