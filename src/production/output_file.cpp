#include "production/output_file.h"

#include "core/clock.h"
#include "production/encode_error.h"

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

AVColorSpace colour_matrix(TvStandard standard) {
    return standard == TvStandard::ntsc ? AVCOL_SPC_SMPTE170M : AVCOL_SPC_BT470BG;
}

} // namespace

OutputFile::OutputFile(const OutputPlan& plan)
    : plan_(plan), picture_(av_frame_alloc()), sound_(av_frame_alloc()), packet_(av_packet_alloc()) {
    if (!picture_ || !sound_ || !packet_)
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
    check_av(avformat_alloc_output_context2(&container_, nullptr, plan_.format->muxer, path.constData()),
             QStringLiteral("Cannot set up a %1 file").arg(QLatin1String(plan_.format->name)));
}

void OutputFile::open_video() {
    const AVCodec* codec = find_encoder(plan_.format->video_codec);
    video_.codec = alloc_codec(codec);
    AVCodecContext* c = video_.codec.get();
    c->width = plan_.width;
    c->height = plan_.height;
    c->time_base = kFrameTime;
    c->framerate = av_inv_q(kFrameTime);
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->bit_rate = qint64(plan_.video_kbps) * 1000;
    c->gop_size = kGopFrames;
    c->max_b_frames = plan_.format->max_b_frames;
    c->colorspace = colour_matrix(plan_.standard);
    if (plan_.format->encoder_preset)
        av_opt_set(c->priv_data, "preset", plan_.format->encoder_preset, 0);
    if (container_->oformat->flags & AVFMT_GLOBALHEADER)
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check_av(avcodec_open2(c, codec, nullptr),
             QStringLiteral("Cannot open the %1 encoder").arg(QLatin1String(codec->name)));
    picture_->format = c->pix_fmt;
    picture_->width = c->width;
    picture_->height = c->height;
    check_av(av_frame_get_buffer(picture_.get(), 0), QStringLiteral("Out of memory for a frame"));
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
    }
    check_av(avio_open(&container_->pb, plan_.path.toUtf8().constData(), AVIO_FLAG_WRITE),
             QStringLiteral("Cannot write %1").arg(plan_.path));
    check_av(avformat_write_header(container_, nullptr),
             QStringLiteral("Cannot write the start of %1").arg(plan_.path));
}

void OutputFile::write_picture(const QImage& picture) {
    scale(picture);
    picture_->pts = frames_;
    encode(video_, picture_.get());
    ++frames_;
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

// Bicubic where the size really changes (a standard-quality picture made larger); a frame of
// nearly the output size, such as 1920 x 1080 into 1920 x 1088, loses nothing to the far
// cheaper bilinear filter.
int OutputFile::scaling_flags(QSize source) const {
    const auto near = [](int from, int to) { return std::abs(from - to) * 50 <= to; };
    return near(source.width(), plan_.width) && near(source.height(), plan_.height) ? SWS_FAST_BILINEAR
                                                                                   : SWS_BICUBIC;
}

// The frame file may have any size; the scaler also turns Qt's native-endian ARGB into YUV.
void OutputFile::scale(const QImage& picture) {
    const QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    scaler_.reset(sws_getCachedContext(scaler_.release(), source.width(), source.height(),
                                       AV_PIX_FMT_RGB32, plan_.width, plan_.height,
                                       AV_PIX_FMT_YUV420P, scaling_flags(source.size()), nullptr, nullptr,
                                       nullptr));
    if (!scaler_)
        throw EncodeError(QStringLiteral("Cannot scale a %1 x %2 frame").arg(source.width()).arg(source.height()));
    check_av(av_frame_make_writable(picture_.get()), QStringLiteral("Out of memory for a frame"));
    const uint8_t* planes[1] = {source.constBits()};
    const int strides[1] = {static_cast<int>(source.bytesPerLine())};
    sws_scale(scaler_.get(), planes, strides, 0, source.height(), picture_->data, picture_->linesize);
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
