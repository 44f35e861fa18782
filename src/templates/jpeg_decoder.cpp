#include "templates/jpeg_decoder.h"

#include <turbojpeg.h>

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

// libjpeg's warnings for entropy data that stops early: "Premature end of JPEG file" and
// "Corrupt JPEG data: premature end of data segment".
bool data_ended_early(tjhandle handle) {
    return QByteArrayView(tjGetErrorStr2(handle)).contains("remature end");
}

} // namespace

QSize dct_decode_size(QSize stored, QSize target) {
    const tjscalingfactor f = choose_scaling(stored, target);
    return {TJSCALED(stored.width(), f), TJSCALED(stored.height(), f)};
}

DecodedJpeg decode_jpeg_scaled(QByteArrayView jpeg, QSize stored_target) {
    Decompressor d;
    if (!d.handle)
        return {};
    auto* data = reinterpret_cast<const unsigned char*>(jpeg.data());
    const auto length = static_cast<unsigned long>(jpeg.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(d.handle, data, length, &width, &height, &subsampling, &colourspace) != 0)
        return {};
    const tjscalingfactor f = choose_scaling(QSize(width, height), stored_target);
    QImage image(TJSCALED(width, f), TJSCALED(height, f), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    // Format_RGB32 lies in memory as B, G, R, X on little-endian machines.
    const int pixel_format = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    if (tjDecompress2(d.handle, data, length, image.bits(), image.width(), int(image.bytesPerLine()),
                      image.height(), pixel_format, 0) == 0)
        return {image};
    if (data_ended_early(d.handle))
        return {{}, true};
    return {tjGetErrorCode(d.handle) == TJERR_WARNING ? image : QImage()};
}

} // namespace velmora
