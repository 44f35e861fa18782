#pragma once

#include "media/av_handles.h"

#include <QImage>
#include <QSize>
#include <QString>

// The video frames of a file, one after another, as RGB32 pictures of a chosen size: the
// pictures an encoder would be given to make that video again.
class VideoFrames {
public:
    // Throws std::runtime_error when the file has no video that can be decoded.
    VideoFrames(const QString& path, QSize picture_size);

    // The next frame in display order; false after the last.
    bool next(QImage& picture);

private:
    bool receive(QImage& picture);

    QSize size_;
    velmora::av::InputPtr input_;
    velmora::av::CodecPtr decoder_;
    velmora::av::PacketPtr packet_{av_packet_alloc()};
    velmora::av::FramePtr frame_{av_frame_alloc()};
    velmora::av::SwsPtr scaler_;
    int stream_ = -1;
    bool drained_ = false;
};
