#pragma once

#include "media/av_handles.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace velmora::test {

// The video frames of a file, one after another in display order, as RGB32 pictures: at the
// frames' own size, or at `picture_size` when one is given (the pictures an encoder would be
// given to make that video again, say).
class VideoFrames {
public:
    // Throws std::runtime_error when the file has no video that can be decoded.
    explicit VideoFrames(const QString& path, QSize picture_size = {});

    // The next frame; false after the last.
    bool next(QImage& picture);

private:
    bool receive(QImage& picture);

    QSize size_;
    av::InputPtr input_;
    av::CodecPtr decoder_;
    av::PacketPtr packet_{av_packet_alloc()};
    av::FramePtr frame_{av_frame_alloc()};
    av::SwsPtr scaler_;
    int stream_ = -1;
    bool drained_ = false;
};

// Decoded video frames `wanted` (0-based, display order, ascending) of the file at `path`, as
// RGB32 pictures; one pass over the file. Throws std::runtime_error when it cannot be read or a
// frame is missing.
std::vector<QImage> decoded_frames(const QString& path, const std::vector<int>& wanted);

} // namespace velmora::test
