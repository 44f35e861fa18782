#include "media/song_probe.h"

#include "core/data_error.h"
#include "core/native_path.h"
#include "media/av_error.h"
#include "media/av_handles.h"

#include <QFileInfo>

namespace velmora {
namespace {

[[noreturn]] void fail(const QString& path, const QString& why) {
    throw DataError(QStringLiteral("Cannot measure song %1: %2").arg(path, why));
}

av::InputPtr open_input(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        fail(path, QStringLiteral("no such file"));
    if (info.size() == 0)
        fail(path, QStringLiteral("the file is empty"));
    AVFormatContext* raw = nullptr;
    if (const int rc = avformat_open_input(&raw, native_path(path).constData(), nullptr, nullptr); rc < 0)
        fail(path, av_error_text(rc));
    av::InputPtr input(raw);
    if (const int rc = avformat_find_stream_info(input.get(), nullptr); rc < 0)
        fail(path, av_error_text(rc));
    return input;
}

// Sums the packet durations of `stream`, in the stream's time base.
qint64 packet_time(AVFormatContext* input, int stream) {
    const av::PacketPtr packet(av_packet_alloc());
    qint64 total = 0;
    while (av_read_frame(input, packet.get()) >= 0) {
        if (packet->stream_index == stream)
            total += packet->duration;
        av_packet_unref(packet.get());
    }
    return total;
}

} // namespace

SongMeasure measure_song_file(const QString& path) {
    const av::InputPtr input = open_input(path);
    const int stream = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream < 0)
        fail(path, av_failure(QStringLiteral("no audio stream"), stream));
    const AVStream* audio = input->streams[stream];
    if (audio->codecpar->sample_rate <= 0)
        fail(path, QStringLiteral("the audio stream has no sample rate"));
    const qint64 time = packet_time(input.get(), stream);
    if (time <= 0)
        fail(path, QStringLiteral("the audio stream holds no sound"));
    SongMeasure measure;
    measure.length_ms = av_rescale_q_rnd(time, audio->time_base, AVRational{1, 1000}, AV_ROUND_DOWN);
    measure.sample_rate = audio->codecpar->sample_rate;
    measure.samples = av_rescale_q_rnd(time, audio->time_base, AVRational{1, measure.sample_rate},
                                       AV_ROUND_DOWN);
    return measure;
}

qint64 song_length_ms(const QString& path) {
    return measure_song_file(path).length_ms;
}

} // namespace velmora
