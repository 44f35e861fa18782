#include "media/song_decoder.h"

#include <algorithm>
#include <cstring>
#include <QFileInfo>

#include "core/data_error.h"
#include "core/native_path.h"
#include "media/av_error.h"
#include "media/av_handles.h"

namespace velmora {
namespace {

[[noreturn]] void fail(const QString& path, const QString& why) {
    throw DataError(QStringLiteral("Cannot play song %1: %2").arg(path, why));
}

AVSampleFormat sample_format_for(QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8: return AV_SAMPLE_FMT_U8;
    case QAudioFormat::Int16: return AV_SAMPLE_FMT_S16;
    case QAudioFormat::Int32: return AV_SAMPLE_FMT_S32;
    case QAudioFormat::Float: return AV_SAMPLE_FMT_FLT;
    default: return AV_SAMPLE_FMT_NONE;
    }
}

} // namespace

// The FFmpeg side: demuxer, decoder and resampler, with the converted samples not yet handed out.
class SongDecoder::Stream {
public:
    Stream(const QString& path, const QAudioFormat& output) : path_(path), output_(output) {
        out_format_ = sample_format_for(output.sampleFormat());
        if (!can_produce(output))
            fail(path, QStringLiteral("the sound output's sample format is not supported"));
        open_input();
        open_decoder();
    }

    qint64 read(char* out, qint64 max_bytes) {
        const qint64 frame_bytes = output_.bytesPerFrame();
        const qint64 wanted = max_bytes / frame_bytes * frame_bytes;
        while (available() < wanted && decode_more()) {
        }
        const qint64 n = std::min(wanted, available());
        std::memcpy(out, pending_.constData() + offset_, std::size_t(n));
        offset_ += n;
        // Drop handed-out bytes now and then, not on every read.
        if (offset_ > (1 << 16) || offset_ == pending_.size()) {
            pending_.remove(0, offset_);
            offset_ = 0;
        }
        return n;
    }

    bool at_end() const { return finished_ && available() == 0; }

private:
    qint64 available() const { return pending_.size() - offset_; }

    void open_input() {
        const QFileInfo info(path_);
        if (!info.isFile())
            fail(path_, QStringLiteral("no such file"));
        if (info.size() == 0)
            fail(path_, QStringLiteral("the file is empty"));
        AVFormatContext* raw = nullptr;
        if (const int rc = avformat_open_input(&raw, native_path(path_).constData(), nullptr, nullptr); rc < 0)
            fail(path_, av_error_text(rc));
        input_.reset(raw);
        if (const int rc = avformat_find_stream_info(input_.get(), nullptr); rc < 0)
            fail(path_, av_error_text(rc));
        stream_ = av_find_best_stream(input_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
        if (stream_ < 0)
            fail(path_, av_failure(QStringLiteral("no audio stream"), stream_));
    }

    void open_decoder() {
        const AVCodecParameters* parameters = input_->streams[stream_]->codecpar;
        const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
        if (!codec)
            fail(path_, QStringLiteral("no decoder for its sound"));
        codec_.reset(avcodec_alloc_context3(codec));
        if (!codec_)
            fail(path_, QStringLiteral("out of memory"));
        if (const int rc = avcodec_parameters_to_context(codec_.get(), parameters); rc < 0)
            fail(path_, av_error_text(rc));
        if (const int rc = avcodec_open2(codec_.get(), codec, nullptr); rc < 0)
            fail(path_, av_failure(QStringLiteral("cannot open the decoder"), rc));
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
    }

    // The resampler is made for the first decoded frame, whose layout and rate are then known.
    bool make_resampler(const AVFrame* frame) {
        AVChannelLayout in_layout{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&frame->ch_layout) == 0)
            av_channel_layout_default(&in_layout, std::max(1, frame->ch_layout.nb_channels));
        else
            av_channel_layout_copy(&in_layout, &frame->ch_layout);
        AVChannelLayout out_layout{};
        av_channel_layout_default(&out_layout, output_.channelCount());
        SwrContext* raw = nullptr;
        const int rc = swr_alloc_set_opts2(&raw, &out_layout, out_format_, output_.sampleRate(), &in_layout,
                                           AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in_layout);
        av_channel_layout_uninit(&out_layout);
        swr_.reset(raw);
        return rc >= 0 && swr_ && swr_init(swr_.get()) >= 0;
    }

    // Converts `count` input samples (none: drains the resampler) onto the pending bytes.
    void convert(const uint8_t** data, int count) {
        const int room = swr_get_out_samples(swr_.get(), count);
        if (room <= 0)
            return;
        const qint64 old_size = pending_.size();
        pending_.resize(old_size + qint64(room) * output_.bytesPerFrame());
        auto* out = reinterpret_cast<uint8_t*>(pending_.data() + old_size);
        const int made = swr_convert(swr_.get(), &out, room, data, count);
        pending_.resize(old_size + qint64(std::max(made, 0)) * output_.bytesPerFrame());
    }

    // Decodes until at least one frame was converted or the song is over; false when over.
    // A damaged packet is skipped; a decoder that fails for good ends the song there.
    bool decode_more() {
        while (!finished_) {
            const int rc = avcodec_receive_frame(codec_.get(), frame_.get());
            if (rc == 0) {
                if (!swr_ && !make_resampler(frame_.get())) {
                    finished_ = true;
                    break;
                }
                convert(const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
                av_frame_unref(frame_.get());
                return true;
            }
            if (rc != AVERROR(EAGAIN)) {
                if (swr_)
                    convert(nullptr, 0);
                finished_ = true;
                return available() > 0;
            }
            feed_decoder();
        }
        return false;
    }

    void feed_decoder() {
        if (av_read_frame(input_.get(), packet_.get()) < 0) {
            avcodec_send_packet(codec_.get(), nullptr);  // end of file: the decoder drains
            return;
        }
        if (packet_->stream_index == stream_)
            avcodec_send_packet(codec_.get(), packet_.get());
        av_packet_unref(packet_.get());
    }

    QString path_;
    QAudioFormat output_;
    AVSampleFormat out_format_ = AV_SAMPLE_FMT_NONE;
    av::InputPtr input_;
    av::CodecPtr codec_;
    av::SwrPtr swr_;
    av::PacketPtr packet_;
    av::FramePtr frame_;
    int stream_ = -1;
    bool finished_ = false;
    QByteArray pending_;
    qint64 offset_ = 0;
};

SongDecoder::SongDecoder(const QString& path, const QAudioFormat& output)
    : format_(output), stream_(std::make_unique<Stream>(path, output)) {}

SongDecoder::~SongDecoder() = default;

bool SongDecoder::can_produce(const QAudioFormat& output) {
    return sample_format_for(output.sampleFormat()) != AV_SAMPLE_FMT_NONE && output.sampleRate() > 0 &&
           output.channelCount() > 0;
}

qint64 SongDecoder::read(char* out, qint64 max_bytes) { return stream_->read(out, max_bytes); }

bool SongDecoder::at_end() const { return stream_->at_end(); }

} // namespace velmora
