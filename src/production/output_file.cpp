#include "production/output_file.h"

#include "core/clock.h"
#include "production/encode_error.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/opt.h>
}

namespace velmora::mcl {
namespace {

constexpr AVRational kFrameTime{1, kFramesPerSecond};
constexpr int kGopFrames = 12;

const AVCodec* find_encoder(const char* name) {
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (!codec)
        throw EncodeError(QStringLiteral("The encoder %1 is not available").arg(QLatin1String(name)));
    return codec;
}

av::CodecPtr alloc_codec(const AVCodec* codec) {
    av::CodecPtr context(avcodec_alloc_context3(codec));
    if (!context)
        throw EncodeError(QStringLiteral("Out of memory for the encoder"));
    return context;
}

// MPEG-1/2 program streams carry a model of the player's input buffer, and their muxer paces
// its packs by the peak rate and buffer size the video declares; left undeclared, it assumes
// the average rate and a small buffer, which every large picture breaks. The peak is half as
// much again as the average, within what the type's players read beside the sound; the buffer
// half a second of it, within the 224 KiB DVD and SVCD players hold. A peak no higher than the
// average leaves the encoder's rate control no room (FFmpeg warns it will fail), so the players'
// limit keeps the highest average below it.
void declare_player_buffer(AVCodecContext& c, const AlbumFormat& format) {
    constexpr qint64 kPlayerBufferBits = 1835008;
    const qint64 average = c.bit_rate;
    qint64 peak = average * 3 / 2;
    if (format.player_kbps > 0)
        peak = std::max(average, std::min(peak, qint64(format.player_kbps - format.audio_kbps) * 1000));
    c.rc_max_rate = peak;
    c.rc_buffer_size = int(std::min(peak / 2, kPlayerBufferBits));
}

// A disc stream keeps to what its players take: the pictures between key frames, the peak and
// floor rates and the buffer are fixed by the disc format, not derived from the average.
void declare_disc_rates(AVCodecContext& c, const DiscFormat& disc) {
    c.gop_size = disc.gop_frames;
    c.rc_max_rate = qint64(disc.peak_kbps) * 1000;
    c.rc_min_rate = qint64(disc.floor_kbps) * 1000;
    c.rc_buffer_size = disc.buffer_bits;
    c.sample_aspect_ratio = AVRational{disc.sample_aspect.num, disc.sample_aspect.den};
}

AVRational frame_time(const OutputPlan& plan) {
    return plan.disc ? AVRational{plan.disc->frame_rate.den, plan.disc->frame_rate.num} : kFrameTime;
}

bool is_mpeg_video(const AVCodec& codec) {
    return codec.id == AV_CODEC_ID_MPEG1VIDEO || codec.id == AV_CODEC_ID_MPEG2VIDEO;
}

// What the encoder tells the muxer beyond the stream parameters, the buffer sizes and rates
// among them.
void copy_coded_side_data(const AVCodecContext& codec, AVStream& stream) {
    for (int i = 0; i < codec.nb_coded_side_data; ++i) {
        const AVPacketSideData& data = codec.coded_side_data[i];
        uint8_t* copy = av_stream_new_side_data(&stream, data.type, data.size);
        if (!copy)
            throw EncodeError(QStringLiteral("Out of memory for a stream"));
        std::memcpy(copy, data.data, data.size);
    }
}

AVColorSpace colour_matrix(TvStandard standard) {
    return standard == TvStandard::ntsc ? AVCOL_SPC_SMPTE170M : AVCOL_SPC_BT470BG;
}

} // namespace

OutputFile::OutputFile(const OutputPlan& plan)
    : plan_(plan), sound_(av_frame_alloc()), packet_(av_packet_alloc()), scaler_({plan.width, plan.height}) {
    if (!sound_ || !packet_)
        throw EncodeError(QStringLiteral("Out of memory for the encoder"));
    open_container();
    open_video();
    open_audio();
    feed_ = std::make_unique<AudioFeed>(plan_.songs, *audio_.codec);
    open_file();
}

OutputFile::~OutputFile() {
    if (container_ && !(container_->oformat->flags & AVFMT_NOFILE))
        avio_closep(&container_->pb);
    avformat_free_context(container_);
}

void OutputFile::open_container() {
    const QByteArray path = plan_.path.toUtf8();
    const char* muxer = plan_.disc ? plan_.disc->muxer : plan_.format->muxer;
    check_av(avformat_alloc_output_context2(&container_, nullptr, muxer, path.constData()),
             QStringLiteral("Cannot set up a %1 file").arg(QLatin1String(plan_.format->name)));
    if (plan_.disc)
        set_disc_muxing();
}

void OutputFile::set_disc_muxing() {
    container_->packet_size = unsigned(plan_.disc->packet_bytes);
    check_av(av_opt_set_int(container_->priv_data, "muxrate", plan_.disc->mux_rate, 0),
             QStringLiteral("Cannot set the mux rate"));
    if (plan_.disc->preload_us > 0)
        check_av(av_opt_set_int(container_->priv_data, "preload", plan_.disc->preload_us, 0),
                 QStringLiteral("Cannot set the preload"));
}

void OutputFile::open_video() {
    const AVCodec* codec = find_encoder(plan_.format->video_codec);
    video_.codec = alloc_codec(codec);
    AVCodecContext* c = video_.codec.get();
    c->width = plan_.width;
    c->height = plan_.height;
    c->time_base = frame_time(plan_);
    c->framerate = av_inv_q(c->time_base);
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->bit_rate = qint64(plan_.video_kbps) * 1000;
    c->gop_size = kGopFrames;
    c->max_b_frames = plan_.format->max_b_frames;
    c->colorspace = colour_matrix(plan_.standard);
    if (plan_.disc)
        declare_disc_rates(*c, *plan_.disc);
    else if (is_mpeg_video(*codec))
        declare_player_buffer(*c, *plan_.format);
    if (plan_.format->encoder_preset)
        av_opt_set(c->priv_data, "preset", plan_.format->encoder_preset, 0);
    if (container_->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check_av(avcodec_open2(c, codec, nullptr),
             QStringLiteral("Cannot open the %1 encoder").arg(QLatin1String(codec->name)));
}

void OutputFile::open_audio() {
    const AVCodec* codec = find_encoder(plan_.format->audio_codec);
    audio_.codec = alloc_codec(codec);
    AVCodecContext* c = audio_.codec.get();
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    c->sample_rate = plan_.format->audio_sample_rate;
    c->time_base = AVRational{1, c->sample_rate};
    c->bit_rate = qint64(plan_.format->audio_kbps) * 1000;
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    check_av(av_channel_layout_copy(&c->ch_layout, &stereo), QStringLiteral("Out of memory"));
    if (container_->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check_av(avcodec_open2(c, codec, nullptr),
             QStringLiteral("Cannot open the %1 encoder").arg(QLatin1String(codec->name)));
    sound_->format = c->sample_fmt;
    sound_->sample_rate = c->sample_rate;
    check_av(av_channel_layout_copy(&sound_->ch_layout, &c->ch_layout), QStringLiteral("Out of memory"));
}

void OutputFile::open_file() {
    for (Encoder* encoder : {&video_, &audio_}) {
        encoder->stream = avformat_new_stream(container_, nullptr);
        if (!encoder->stream)
            throw EncodeError(QStringLiteral("Out of memory for a stream"));
        encoder->stream->time_base = encoder->codec->time_base;
        check_av(avcodec_parameters_from_context(encoder->stream->codecpar, encoder->codec.get()),
                 QStringLiteral("Cannot set up a stream"));
        copy_coded_side_data(*encoder->codec, *encoder->stream);
    }
    check_av(avio_open(&container_->pb, plan_.path.toUtf8().constData(), AVIO_FLAG_WRITE),
             QStringLiteral("Cannot write %1").arg(plan_.path));
    check_av(avformat_write_header(container_, nullptr),
             QStringLiteral("Cannot write the start of %1").arg(plan_.path));
}

void OutputFile::write_picture(const QImage& picture) {
    write_frame(scaler_.scaled(picture));
}

// The encoder keeps its own reference to each frame it is sent, so one picture can be sent
// again with the next time stamp.
void OutputFile::write_frame(av::FramePtr frame) {
    ++frames_;
    const qint64 until = av_rescale_q(frames_, kFrameTime, video_.codec->time_base);
    while (video_pts_ < until) {
        frame->pts = video_pts_++;
        encode(video_, frame.get());
    }
    write_sound_until(video_end_sample());
}

void OutputFile::finish() {
    const qint64 end = video_end_sample();
    if (!plan_.keep_duration) {
        while (!feed_->exhausted())
            write_audio_frame(audio_.codec->frame_size > 0 ? audio_.codec->frame_size : 1024);
    }
    write_sound_until(end);
    encode(video_, nullptr);
    encode(audio_, nullptr);
    check_av(av_write_trailer(container_), QStringLiteral("Cannot write the end of %1").arg(plan_.path));
    check_av(avio_closep(&container_->pb), QStringLiteral("Cannot close %1").arg(plan_.path));
}

qint64 OutputFile::video_end_sample() const {
    return av_rescale_q(frames_, kFrameTime, audio_.codec->time_base);
}

// Codecs with a fixed frame size get whole frames; the last may reach up to one frame past `end`.
void OutputFile::write_sound_until(qint64 end_sample) {
    const bool variable = audio_.codec->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    const int frame_size = audio_.codec->frame_size > 0 ? audio_.codec->frame_size : 1024;
    while (samples_ < end_sample) {
        const qint64 left = end_sample - samples_;
        write_audio_frame(variable && left < frame_size ? static_cast<int>(left) : frame_size);
    }
}

void OutputFile::write_audio_frame(int samples) {
    av_frame_unref(sound_.get());
    AVCodecContext* c = audio_.codec.get();
    sound_->format = c->sample_fmt;
    sound_->sample_rate = c->sample_rate;
    sound_->nb_samples = samples;
    check_av(av_channel_layout_copy(&sound_->ch_layout, &c->ch_layout), QStringLiteral("Out of memory"));
    check_av(av_frame_get_buffer(sound_.get(), 0), QStringLiteral("Out of memory for the sound"));
    feed_->fill(sound_.get());
    sound_->pts = samples_;
    encode(audio_, sound_.get());
    samples_ += samples;
}

void OutputFile::encode(Encoder& encoder, const AVFrame* frame) {
    check_av(avcodec_send_frame(encoder.codec.get(), frame),
             QStringLiteral("Cannot encode with %1").arg(QLatin1String(encoder.codec->codec->name)));
    for (;;) {
        const int rc = avcodec_receive_packet(encoder.codec.get(), packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return;
        check_av(rc, QStringLiteral("Cannot encode with %1").arg(QLatin1String(encoder.codec->codec->name)));
        // libx264 leaves the duration open; QuickTime files then lose their last frame.
        if (packet_->duration <= 0 && &encoder == &video_)
            packet_->duration = 1;
        av_packet_rescale_ts(packet_.get(), encoder.codec->time_base, encoder.stream->time_base);
        packet_->stream_index = encoder.stream->index;
        check_av(av_interleaved_write_frame(container_, packet_.get()),
                 QStringLiteral("Cannot write %1").arg(plan_.path));
    }
}

} // namespace velmora::mcl
