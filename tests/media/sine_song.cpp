#include "media/sine_song.h"

#include "media/av_error.h"
#include "media/av_handles.h"

#include <cmath>
#include <stdexcept>

namespace velmora::test {
namespace {

constexpr int kRate = 44100;

void check(int rc, const char* what) {
    if (rc < 0)
        throw std::runtime_error(std::string(what) + ": " + av_error_text(rc).toStdString());
}

void drain(AVCodecContext* codec, AVFormatContext* out, AVPacket* packet) {
    while (avcodec_receive_packet(codec, packet) >= 0) {
        av_packet_rescale_ts(packet, codec->time_base, out->streams[0]->time_base);
        check(av_interleaved_write_frame(out, packet), "write");
    }
}

// Fills one frame of the encoder's planar sample format (s16p, s32p or fltp) with the tone.
void fill_tone(AVFrame* frame, qint64 first, double frequency) {
    for (int i = 0; i < frame->nb_samples; ++i) {
        const double v = 0.5 * std::sin(2 * M_PI * frequency * double(first + i) / kRate);
        for (int ch = 0; ch < 2; ++ch) {
            if (frame->format == AV_SAMPLE_FMT_FLTP)
                reinterpret_cast<float*>(frame->data[ch])[i] = float(v);
            else if (frame->format == AV_SAMPLE_FMT_S32P)
                reinterpret_cast<int32_t*>(frame->data[ch])[i] = int32_t(v * 2147483647.0);
            else
                reinterpret_cast<int16_t*>(frame->data[ch])[i] = int16_t(v * 32767);
        }
    }
}

} // namespace

void write_sine_mp3(const QString& path, double seconds, double frequency) {
    const QByteArray name = path.toUtf8();
    AVFormatContext* out = nullptr;
    check(avformat_alloc_output_context2(&out, nullptr, "mp3", name.constData()), "mp3 muxer");
    const std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> owner(out, avformat_free_context);
    const AVCodec* lame = avcodec_find_encoder_by_name("libmp3lame");
    if (!lame)
        throw std::runtime_error("libmp3lame is not available");
    av::CodecPtr codec(avcodec_alloc_context3(lame));
    codec->sample_fmt = lame->sample_fmts[0];
    codec->sample_rate = kRate;
    codec->bit_rate = 128000;
    codec->time_base = AVRational{1, kRate};
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&codec->ch_layout, &stereo);
    check(avcodec_open2(codec.get(), lame, nullptr), "open libmp3lame");
    AVStream* stream = avformat_new_stream(out, nullptr);
    stream->time_base = codec->time_base;
    avcodec_parameters_from_context(stream->codecpar, codec.get());
    check(avio_open(&out->pb, name.constData(), AVIO_FLAG_WRITE), "open file");
    check(avformat_write_header(out, nullptr), "header");
    av::FramePtr frame(av_frame_alloc());
    av::PacketPtr packet(av_packet_alloc());
    const qint64 total = qint64(seconds * kRate);
    for (qint64 done = 0; done < total; done += frame->nb_samples) {
        av_frame_unref(frame.get());
        frame->format = codec->sample_fmt;
        frame->nb_samples = codec->frame_size;
        av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout);
        check(av_frame_get_buffer(frame.get(), 0), "frame");
        fill_tone(frame.get(), done, frequency);
        frame->pts = done;
        check(avcodec_send_frame(codec.get(), frame.get()), "encode");
        drain(codec.get(), out, packet.get());
    }
    avcodec_send_frame(codec.get(), nullptr);
    drain(codec.get(), out, packet.get());
    check(av_write_trailer(out), "trailer");
    avio_closep(&out->pb);
}

} // namespace velmora::test
