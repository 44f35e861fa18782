#include "production/picture_scaler.h"

#include "production/encode_error.h"

#include <cstdlib>

namespace velmora::mcl {

// Bicubic where the size really changes (a standard-quality picture made larger); a frame of
// nearly the output size, such as 1920 x 1080 into 1920 x 1088, loses nothing to the far
// cheaper bilinear filter.
int PictureScaler::scaling_flags(QSize source) const {
    const auto near = [](int from, int to) { return std::abs(from - to) * 50 <= to; };
    return near(source.width(), output_.width()) && near(source.height(), output_.height()) ? SWS_FAST_BILINEAR
                                                                                          : SWS_BICUBIC;
}

// The scaler also turns Qt's native-endian ARGB into YUV.
av::FramePtr PictureScaler::scaled(const QImage& picture) {
    const QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    scaler_.reset(sws_getCachedContext(scaler_.release(), source.width(), source.height(), AV_PIX_FMT_RGB32,
                                       output_.width(), output_.height(), AV_PIX_FMT_YUV420P,
                                       scaling_flags(source.size()), nullptr, nullptr, nullptr));
    if (!scaler_)
        throw EncodeError(QStringLiteral("Cannot scale a %1 x %2 frame").arg(source.width()).arg(source.height()));
    av::FramePtr frame(av_frame_alloc());
    if (!frame)
        throw EncodeError(QStringLiteral("Out of memory for a frame"));
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = output_.width();
    frame->height = output_.height();
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        throw EncodeError(QStringLiteral("Out of memory for a frame"));
    const uint8_t* planes[1] = {source.constBits()};
    const int strides[1] = {static_cast<int>(source.bytesPerLine())};
    sws_scale(scaler_.get(), planes, strides, 0, source.height(), frame->data, frame->linesize);
    return frame;
}

} // namespace velmora::mcl
