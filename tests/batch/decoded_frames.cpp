#include "batch/decoded_frames.h"

#include <stdexcept>

namespace velmora::test {

VideoFrames::VideoFrames(const QString& path, QSize picture_size) : size_(picture_size) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0)
        throw std::runtime_error("cannot open " + path.toStdString());
    input_.reset(raw);
    avformat_find_stream_info(raw, nullptr);
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream_ < 0)
        throw std::runtime_error("no video stream in " + path.toStdString());
    decoder_.reset(avcodec_alloc_context3(codec));
    if (!decoder_ || avcodec_parameters_to_context(decoder_.get(), raw->streams[stream_]->codecpar) < 0
        || avcodec_open2(decoder_.get(), codec, nullptr) < 0)
        throw std::runtime_error("cannot decode the video of " + path.toStdString());
}

bool VideoFrames::next(QImage& picture) {
    while (!receive(picture)) {
        if (drained_)
            return false;
        if (av_read_frame(input_.get(), packet_.get()) < 0) {
            avcodec_send_packet(decoder_.get(), nullptr);
            drained_ = true;
            continue;
        }
        if (packet_->stream_index == stream_)
            avcodec_send_packet(decoder_.get(), packet_.get());
        av_packet_unref(packet_.get());
    }
    return true;
}

bool VideoFrames::receive(QImage& picture) {
    if (avcodec_receive_frame(decoder_.get(), frame_.get()) < 0)
        return false;
    const QSize size = size_.isEmpty() ? QSize(frame_->width, frame_->height) : size_;
    scaler_.reset(sws_getCachedContext(scaler_.release(), frame_->width, frame_->height,
                                       AVPixelFormat(frame_->format), size.width(), size.height(),
                                       AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler_)
        throw std::runtime_error("cannot turn the decoded frames into pictures");
    picture = QImage(size, QImage::Format_RGB32);
    uint8_t* planes[1] = {picture.bits()};
    const int strides[1] = {int(picture.bytesPerLine())};
    sws_scale(scaler_.get(), frame_->data, frame_->linesize, 0, frame_->height, planes, strides);
    return true;
}

std::vector<QImage> decoded_frames(const QString& path, const std::vector<int>& wanted) {
    VideoFrames frames(path);
    std::vector<QImage> images;
    QImage picture;
    int seen = 0;
    for (; images.size() < wanted.size() && frames.next(picture); ++seen)
        if (seen == wanted[images.size()])
            images.push_back(picture);
    if (images.size() < wanted.size())
        throw std::runtime_error("the file has only " + std::to_string(seen) + " frames");
    return images;
}

} // namespace velmora::test
