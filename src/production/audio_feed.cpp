#include "production/audio_feed.h"

#include "core/native_path.h"
#include "production/encode_error.h"

namespace velmora::mcl {

AudioFeed::AudioFeed(QStringList songs, const AVCodecContext& target)
    : songs_(std::move(songs)),
      target_(target),
      queue_(av_audio_fifo_alloc(target.sample_fmt, target.ch_layout.nb_channels, 4096)),
      decoded_(av_frame_alloc()),
      converted_(av_frame_alloc()),
      packet_(av_packet_alloc()) {
    if (!queue_ || !decoded_ || !converted_ || !packet_)
        throw EncodeError(QStringLiteral("Out of memory for the sound"));
}

void AudioFeed::fill(AVFrame* frame) {
    const int wanted = frame->nb_samples;
    while (av_audio_fifo_size(queue_.get()) < wanted && decode_more()) {
    }
    const int got = av_audio_fifo_read(queue_.get(), reinterpret_cast<void**>(frame->data), wanted);
    check_av(got, QStringLiteral("Cannot read the decoded sound"));
    if (got < wanted)
        av_samples_set_silence(frame->data, got, wanted - got, target_.ch_layout.nb_channels,
                               target_.sample_fmt);
}

bool AudioFeed::exhausted() const {
    return !input_ && next_song_ >= songs_.size() && av_audio_fifo_size(queue_.get()) == 0;
}

bool AudioFeed::decode_more() {
    if (!input_) {
        if (next_song_ >= songs_.size())
            return false;
        open_song(songs_[next_song_++]);
    }
    read_packet();
    return true;
}

void AudioFeed::open_song(const QString& path) {
    song_ = path;
    AVFormatContext* raw = nullptr;
    check_av(avformat_open_input(&raw, native_path(path).constData(), nullptr, nullptr),
             QStringLiteral("Cannot open song %1").arg(path));
    input_.reset(raw);
    check_av(avformat_find_stream_info(raw, nullptr), QStringLiteral("Cannot read song %1").arg(path));
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    check_av(stream_, QStringLiteral("No sound in song %1").arg(path));
    decoder_.reset(avcodec_alloc_context3(codec));
    check_av(avcodec_parameters_to_context(decoder_.get(), raw->streams[stream_]->codecpar),
             QStringLiteral("Cannot decode song %1").arg(path));
    check_av(avcodec_open2(decoder_.get(), codec, nullptr),
             QStringLiteral("Cannot decode song %1").arg(path));
}

void AudioFeed::close_song() {
    resampler_.reset();
    decoder_.reset();
    input_.reset();
}

// A damaged packet is skipped, as players do; only a failing read ends the song.
void AudioFeed::read_packet() {
    const int rc = av_read_frame(input_.get(), packet_.get());
    if (rc < 0) {
        drain_decoder();
        return;
    }
    if (packet_->stream_index == stream_ && avcodec_send_packet(decoder_.get(), packet_.get()) >= 0) {
        while (avcodec_receive_frame(decoder_.get(), decoded_.get()) >= 0)
            convert(decoded_.get());
    }
    av_packet_unref(packet_.get());
}

void AudioFeed::drain_decoder() {
    avcodec_send_packet(decoder_.get(), nullptr);
    while (avcodec_receive_frame(decoder_.get(), decoded_.get()) >= 0)
        convert(decoded_.get());
    if (resampler_)
        convert(nullptr);
    close_song();
}

void AudioFeed::start_resampler(const AVFrame& decoded) {
    AVChannelLayout layout{};
    if (decoded.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, decoded.ch_layout.nb_channels);
    else
        check_av(av_channel_layout_copy(&layout, &decoded.ch_layout), QStringLiteral("Out of memory"));
    // FFmpeg 5.1 takes the output layout as non-const; hand it a copy.
    AVChannelLayout out_layout{};
    check_av(av_channel_layout_copy(&out_layout, &target_.ch_layout), QStringLiteral("Out of memory"));
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &out_layout, target_.sample_fmt,
                                       target_.sample_rate, &layout,
                                       static_cast<AVSampleFormat>(decoded.format),
                                       decoded.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&layout);
    av_channel_layout_uninit(&out_layout);
    resampler_.reset(raw);
    check_av(rc, QStringLiteral("Cannot resample song %1").arg(song_));
    check_av(swr_init(raw), QStringLiteral("Cannot resample song %1").arg(song_));
}

// `decoded` null flushes the resampler's delay at the end of a song.
void AudioFeed::convert(const AVFrame* decoded) {
    if (decoded && !resampler_)
        start_resampler(*decoded);
    const int in_samples = decoded ? decoded->nb_samples : 0;
    av_frame_unref(converted_.get());
    converted_->format = target_.sample_fmt;
    converted_->nb_samples = swr_get_out_samples(resampler_.get(), in_samples);
    check_av(av_channel_layout_copy(&converted_->ch_layout, &target_.ch_layout),
             QStringLiteral("Out of memory"));
    if (converted_->nb_samples <= 0)
        return;
    check_av(av_frame_get_buffer(converted_.get(), 0), QStringLiteral("Out of memory for the sound"));
    const int count = swr_convert(resampler_.get(), converted_->data, converted_->nb_samples,
                                  decoded ? const_cast<const uint8_t**>(decoded->extended_data) : nullptr,
                                  in_samples);
    check_av(count, QStringLiteral("Cannot resample song %1").arg(song_));
    check_av(av_audio_fifo_write(queue_.get(), reinterpret_cast<void**>(converted_->data), count),
             QStringLiteral("Cannot queue the sound of song %1").arg(song_));
}

} // namespace velmora::mcl
