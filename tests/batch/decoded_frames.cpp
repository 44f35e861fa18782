#include "batch/decoded_frames.h"

#include "media/av_handles.h"

#include <stdexcept>

namespace velmora::test {
namespace {

QImage to_image(const AVFrame* frame) {
    QImage image(frame->width, frame->height, QImage::Format_RGB32);
    av::SwsPtr sws(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                  frame->height, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr));
    uint8_t* planes[1] = {image.bits()};
    const int strides[1] = {int(image.bytesPerLine())};
    sws_scale(sws.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return image;
}

} // namespace

std::vector<QImage> decoded_frames(const QString& path, const std::vector<int>& wanted) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0)
        throw std::runtime_error("cannot open " + path.toStdString());
    av::InputPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream < 0)
        throw std::runtime_error("no video stream in " + path.toStdString());
    av::CodecPtr decoder(avcodec_alloc_context3(codec));
    avcodec_parameters_to_context(decoder.get(), raw->streams[stream]->codecpar);
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        throw std::runtime_error("cannot open the decoder");
    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    std::vector<QImage> images;
    int seen = 0;
    auto receive = [&] {
        while (images.size() < wanted.size() && avcodec_receive_frame(decoder.get(), frame.get()) >= 0)
            if (seen++ == wanted[images.size()])
                images.push_back(to_image(frame.get()));
    };
    while (images.size() < wanted.size() && av_read_frame(raw, packet.get()) >= 0) {
        if (packet->stream_index == stream && avcodec_send_packet(decoder.get(), packet.get()) >= 0)
            receive();
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    if (images.size() < wanted.size())
        throw std::runtime_error("the file has only " + std::to_string(seen) + " frames");
    return images;
}

} // namespace velmora::test
