#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

namespace velmora {

// The size a JPEG stored at `stored` is decoded at for a picture of `target` (both in stored
// orientation): the smallest DCT scaling, at most 1/1, whose result still covers the target in
// both directions, so the final resize only ever shrinks. A target larger than the photo
// decodes it at full size.
QSize dct_decode_size(QSize stored, QSize target);

struct DecodedJpeg {
    QImage image;           // null when decoding failed
    bool cut_short = false; // failed because the data ends before the image does
};

// `jpeg` decoded by libjpeg-turbo at dct_decode_size(), in stored orientation, Format_RGB32.
// The image is null when the decoder fails, and when the data ends before the image does (a
// file cut short): its missing rows would show as a grey band. Other decoder warnings (stray
// bytes between segments, as some cameras write) leave the whole image decoded and pass.
DecodedJpeg decode_jpeg_scaled(QByteArrayView jpeg, QSize stored_target);

} // namespace velmora
