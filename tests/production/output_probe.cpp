#include "production/output_probe.h"

#include "media/av_error.h"
#include "media/av_handles.h"

#include <QFile>
#include <algorithm>
#include <QImage>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace velmora::test {
namespace {

void check(int rc, const QString& what) {
    if (rc < 0)
        throw std::runtime_error((what + ": " + av_error_text(rc)).toStdString());
}

struct Decoder {
    int stream = -1;
    av::CodecPtr codec;
};

Decoder open_decoder(AVFormatContext* input, AVMediaType type) {
    Decoder decoder;
    const AVCodec* codec = nullptr;
    decoder.stream = av_find_best_stream(input, type, -1, -1, &codec, 0);
    if (decoder.stream < 0)
        return decoder;
    decoder.codec.reset(avcodec_alloc_context3(codec));
    check(avcodec_parameters_to_context(decoder.codec.get(), input->streams[decoder.stream]->codecpar), "parameters");
    check(avcodec_open2(decoder.codec.get(), codec, nullptr), "open decoder");
    return decoder;
}

av::InputPtr open_file(const QString& path) {
    AVFormatContext* raw = nullptr;
    check(avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr), "open " + path);
    av::InputPtr input(raw);
    check(avformat_find_stream_info(raw, nullptr), "stream info");
    return input;
}

// Decodes every frame of both streams, handing each to `on_frame` (false stops).
void decode_all(AVFormatContext* input, Decoder& video, Decoder& audio,
                const std::function<bool(const Decoder&, AVFrame*)>& on_frame) {
    av::PacketPtr packet(av_packet_alloc());
    av::FramePtr frame(av_frame_alloc());
    auto receive = [&](Decoder& d) {
        while (avcodec_receive_frame(d.codec.get(), frame.get()) >= 0) {
            if (!on_frame(d, frame.get()))
                return false;
        }
        return true;
    };
    bool going = true;
    while (going && av_read_frame(input, packet.get()) >= 0) {
        for (Decoder* d : {&video, &audio}) {
            if (d->codec && packet->stream_index == d->stream && avcodec_send_packet(d->codec.get(), packet.get()) >= 0)
                going = receive(*d);
        }
        av_packet_unref(packet.get());
    }
    for (Decoder* d : {&video, &audio}) {
        if (going && d->codec) {
            avcodec_send_packet(d->codec.get(), nullptr);
            going = receive(*d);
        }
    }
}

QImage to_image(const AVFrame* frame) {
    QImage image(frame->width, frame->height, QImage::Format_RGB32);
    av::SwsPtr sws(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                  frame->height, AV_PIX_FMT_RGB32, SWS_POINT, nullptr, nullptr, nullptr));
    uint8_t* planes[1] = {image.bits()};
    const int strides[1] = {int(image.bytesPerLine())};
    sws_scale(sws.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return image;
}

double first_channel_sample(const AVFrame* frame, int i) {
    switch (frame->format) {
    case AV_SAMPLE_FMT_FLTP:
    case AV_SAMPLE_FMT_FLT: return reinterpret_cast<const float*>(frame->data[0])[i * (frame->format == AV_SAMPLE_FMT_FLT ? frame->ch_layout.nb_channels : 1)];
    case AV_SAMPLE_FMT_S16P: return reinterpret_cast<const int16_t*>(frame->data[0])[i] / 32768.0;
    case AV_SAMPLE_FMT_S16: return reinterpret_cast<const int16_t*>(frame->data[0])[i * frame->ch_layout.nb_channels] / 32768.0;
    case AV_SAMPLE_FMT_S32P: return reinterpret_cast<const int32_t*>(frame->data[0])[i] / 2147483648.0;
    default: throw std::runtime_error("unexpected sample format");
    }
}

} // namespace

OutputProbe probe_output(const QString& path) {
    const av::InputPtr input = open_file(path);
    Decoder video = open_decoder(input.get(), AVMEDIA_TYPE_VIDEO);
    Decoder audio = open_decoder(input.get(), AVMEDIA_TYPE_AUDIO);
    if (!video.codec)
        throw std::runtime_error("no video stream in " + path.toStdString());
    OutputProbe probe;
    probe.container = QString::fromLatin1(input->iformat->name);
    if (const AVDictionaryEntry* brand = av_dict_get(input->metadata, "major_brand", nullptr, 0))
        probe.brand = QString::fromLatin1(brand->value);
    const AVStream* vs = input->streams[video.stream];
    probe.video_codec = QString::fromLatin1(avcodec_get_name(vs->codecpar->codec_id));
    probe.width = vs->codecpar->width;
    probe.height = vs->codecpar->height;
    const AVRational rate = vs->avg_frame_rate.num ? vs->avg_frame_rate : vs->r_frame_rate;
    probe.frame_rate = av_q2d(rate);
    probe.frame_rate_text = QStringLiteral("%1/%2").arg(rate.num).arg(rate.den);
    const AVRational sar = av_guess_sample_aspect_ratio(input.get(), const_cast<AVStream*>(vs), nullptr);
    probe.display_aspect = probe.height > 0 ? probe.width * (sar.num ? av_q2d(sar) : 1.0) / probe.height : 0;
    qint64 samples = 0;
    int sample_rate = 0;
    if (audio.codec) {
        probe.audio_codec = QString::fromLatin1(avcodec_get_name(input->streams[audio.stream]->codecpar->codec_id));
        sample_rate = audio.codec->sample_rate;
        probe.audio_sample_rate = sample_rate;
        probe.audio_channels = audio.codec->ch_layout.nb_channels;
    }
    int since_key = 0;
    decode_all(input.get(), video, audio, [&](const Decoder& d, AVFrame* frame) {
        if (d.stream == video.stream) {
            ++probe.video_frames;
            since_key = frame->key_frame ? 1 : since_key + 1;
            probe.longest_gop = std::max(probe.longest_gop, since_key);
        } else
            samples += frame->nb_samples;
        return true;
    });
    probe.video_seconds = probe.video_frames / (probe.frame_rate > 0 ? probe.frame_rate : 25.0);
    probe.audio_seconds = sample_rate > 0 ? double(samples) / sample_rate : 0;
    return probe;
}

qint64 first_pack_mux_rate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QByteArray head = file.read(14);
    const auto byte = [&](int i) { return qint64(quint8(head.at(i))); };
    if (head.size() < 14 || !head.startsWith(QByteArray("\x00\x00\x01\xba", 4)))
        return 0;
    // The rate counts units of 50 bytes a second: 22 bits after the clock reference.
    if ((byte(4) & 0xC0) == 0x40)   // MPEG-2 pack
        return ((byte(10) << 14) | (byte(11) << 6) | (byte(12) >> 2)) * 400;
    return (((byte(9) & 0x7F) << 15) | (byte(10) << 7) | (byte(11) >> 1)) * 400;
}

QColor frame_pixel(const QString& path, int frame, int x, int y) {
    const av::InputPtr input = open_file(path);
    Decoder video = open_decoder(input.get(), AVMEDIA_TYPE_VIDEO);
    Decoder none;
    QColor colour;
    int seen = 0;
    decode_all(input.get(), video, none, [&](const Decoder&, AVFrame* decoded) {
        if (seen++ < frame)
            return true;
        colour = to_image(decoded).pixelColor(x, y);
        return false;
    });
    if (!colour.isValid())
        throw std::runtime_error("the file has no frame " + std::to_string(frame));
    return colour;
}

double sound_level(const QString& path, double from, double to) {
    const av::InputPtr input = open_file(path);
    Decoder none;
    Decoder audio = open_decoder(input.get(), AVMEDIA_TYPE_AUDIO);
    if (!audio.codec)
        throw std::runtime_error("no audio stream");
    const int rate = audio.codec->sample_rate;
    qint64 position = 0;
    double sum = 0;
    qint64 count = 0;
    decode_all(input.get(), none, audio, [&](const Decoder&, AVFrame* frame) {
        for (int i = 0; i < frame->nb_samples; ++i, ++position) {
            const double t = double(position) / rate;
            if (t >= from && t < to) {
                const double v = first_channel_sample(frame, i);
                sum += v * v;
                ++count;
            }
        }
        return double(position) / rate < to;
    });
    return count ? std::sqrt(sum / count) : 0;
}

} // namespace velmora::test
