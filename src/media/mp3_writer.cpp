#include "media/mp3_writer.h"

#include <algorithm>
#include <vector>
#include <QFile>

#include "core/data_error.h"
#include "media/av_error.h"
#include "media/av_handles.h"

namespace velmora {
namespace {

void check(int rc, const QString& what) {
    if (rc < 0)
        throw DataError(QStringLiteral("%1: %2").arg(what, av_error_text(rc)));
}

void drain(AVCodecContext* codec, AVFormatContext* out, AVPacket* packet, const QString& path) {
    while (avcodec_receive_packet(codec, packet) >= 0) {
        av_packet_rescale_ts(packet, codec->time_base, out->streams[0]->time_base);
        check(av_interleaved_write_frame(out, packet), QStringLiteral("cannot write %1").arg(path));
    }
}

// Copies float samples into one frame of the encoder's planar format (s16p, s32p or fltp).
void fill(AVFrame* frame, const std::vector<float>& left, const std::vector<float>& right) {
    const float* channels[2] = {left.data(), right.data()};
    for (int ch = 0; ch < 2; ++ch) {
        for (int i = 0; i < frame->nb_samples; ++i) {
            const float v = std::clamp(channels[ch][i], -1.0f, 1.0f);
            if (frame->format == AV_SAMPLE_FMT_FLTP)
                reinterpret_cast<float*>(frame->data[ch])[i] = v;
            else if (frame->format == AV_SAMPLE_FMT_S32P)
                reinterpret_cast<int32_t*>(frame->data[ch])[i] = int32_t(double(v) * 2147483647.0);
            else
                reinterpret_cast<int16_t*>(frame->data[ch])[i] = int16_t(v * 32767.0f);
        }
    }
}

void encode(const QString& path, qint64 total_samples, const SampleSource& source) {
    const QByteArray name = path.toUtf8();
    AVFormatContext* out = nullptr;
    check(avformat_alloc_output_context2(&out, nullptr, "mp3", name.constData()), QStringLiteral("no MP3 muxer"));
    const std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> owner(out, avformat_free_context);
    const AVCodec* lame = avcodec_find_encoder_by_name("libmp3lame");
    if (!lame)
        throw DataError(QStringLiteral("the MP3 encoder libmp3lame is not available"));
    av::CodecPtr codec(avcodec_alloc_context3(lame));
    codec->sample_fmt = lame->sample_fmts[0];
    codec->sample_rate = kMp3SampleRate;
    codec->bit_rate = 128000;
    codec->time_base = AVRational{1, kMp3SampleRate};
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&codec->ch_layout, &stereo);
    check(avcodec_open2(codec.get(), lame, nullptr), QStringLiteral("cannot open libmp3lame"));
    AVStream* stream = avformat_new_stream(out, nullptr);
    stream->time_base = codec->time_base;
    avcodec_parameters_from_context(stream->codecpar, codec.get());
    check(avio_open(&out->pb, name.constData(), AVIO_FLAG_WRITE), QStringLiteral("cannot create %1").arg(path));
    check(avformat_write_header(out, nullptr), QStringLiteral("cannot write %1").arg(path));
    av::FramePtr frame(av_frame_alloc());
    av::PacketPtr packet(av_packet_alloc());
    std::vector<float> left(std::size_t(codec->frame_size)), right(std::size_t(codec->frame_size));
    for (qint64 done = 0; done < total_samples; done += frame->nb_samples) {
        av_frame_unref(frame.get());
        frame->format = codec->sample_fmt;
        frame->nb_samples = codec->frame_size;
        av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout);
        check(av_frame_get_buffer(frame.get(), 0), QStringLiteral("out of memory"));
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
        source(done, int(std::min<qint64>(frame->nb_samples, total_samples - done)), left.data(), right.data());
        fill(frame.get(), left, right);
        frame->pts = done;
        check(avcodec_send_frame(codec.get(), frame.get()), QStringLiteral("cannot encode %1").arg(path));
        drain(codec.get(), out, packet.get(), path);
    }
    avcodec_send_frame(codec.get(), nullptr);
    drain(codec.get(), out, packet.get(), path);
    check(av_write_trailer(out), QStringLiteral("cannot finish %1").arg(path));
    avio_closep(&out->pb);
}

} // namespace

void write_mp3(const QString& path, qint64 total_samples, const SampleSource& source) {
    const QString partial = path + QStringLiteral(".part");
    try {
        encode(partial, total_samples, source);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw DataError(QStringLiteral("cannot write %1").arg(path));
    }
}

} // namespace velmora
