#pragma once

#include "media/av_handles.h"

#include <QImage>
#include <QSize>

namespace velmora::mcl {

// Turns frame pictures of any size into the video encoder's frames: YUV 4:2:0 at the output
// size. Each call gives a frame of its own, so the encoder may keep the ones it holds for
// B-frames while the next is made. One thread at a time.
class PictureScaler {
public:
    explicit PictureScaler(QSize output) : output_(output) {}

    // Throws EncodeError when the picture cannot be scaled or memory runs out.
    av::FramePtr scaled(const QImage& picture);

private:
    int scaling_flags(QSize source) const;

    QSize output_;
    av::SwsPtr scaler_;
};

} // namespace velmora::mcl
