#include "media/media_player.h"

#include <algorithm>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include "core/data_error.h"
#include "media/song_decoder.h"
#include "media/song_probe.h"

namespace velmora {
namespace {

// Enough sound queued to ride out an interface tick that blocks for a moment.
constexpr qint64 kSinkBufferUs = 250'000;

// 16-bit stereo at 44.1 kHz where the device takes it, otherwise the device's own format.
QAudioFormat output_format(const QAudioDevice& device) {
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return device.isFormatSupported(format) ? format : device.preferredFormat();
}

bool sink_failed(QAudio::Error error) {
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}

} // namespace

// What the sink pulls from: the decoder, read on demand.
class MediaPlayer::SinkFeed : public QIODevice {
public:
    explicit SinkFeed(SongDecoder& decoder) : decoder_(decoder) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return decoder_.at_end() && QIODevice::bytesAvailable() == 0; }

protected:
    qint64 readData(char* data, qint64 max_size) override { return decoder_.read(data, max_size); }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    SongDecoder& decoder_;
};

MediaPlayer::MediaPlayer() = default;

MediaPlayer::MediaPlayer(const QAudioDevice& output) : fixed_output_(output) {}

MediaPlayer::~MediaPlayer() { release_song(); }

void MediaPlayer::set_file(const QString& path) {
    release_song();
    file_ = path;
}

QAudioDevice MediaPlayer::output_device() const {
    return fixed_output_ ? *fixed_output_ : QMediaDevices::defaultAudioOutput();
}

void MediaPlayer::open() {
    release_song();
    if (file_.isEmpty())
        throw DataError(QStringLiteral("Cannot play song: no song file was set"));
    // Measuring checks the file and gives the exact length (packet durations, not an estimate).
    const qint64 length = song_length_ms(file_);
    device_ = output_device();
    const QAudioFormat format = device_.isNull() ? QAudioFormat() : output_format(device_);
    if (!device_.isNull() && SongDecoder::can_produce(format))
        decoder_ = std::make_unique<SongDecoder>(file_, format);
    silent_ = !decoder_;
    length_ms_ = length;
    silent_base_ms_ = 0;
    open_ = true;
}

bool MediaPlayer::start_sink() {
    feed_ = std::make_unique<SinkFeed>(*decoder_);
    sink_ = std::make_unique<QAudioSink>(device_, decoder_->format());
    sink_->setBufferSize(decoder_->format().bytesForDuration(kSinkBufferUs));
    // A device that goes away while playing leaves the song running silently.
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, sink_.get(), [this](QAudio::State) {
        if (sink_ && sink_failed(sink_->error()))
            fall_back_to_silence();
    });
    sink_->start(feed_.get());
    return sink_ && !sink_failed(sink_->error()) && sink_->state() != QAudio::StoppedState;
}

void MediaPlayer::fall_back_to_silence() {
    silent_base_ms_ = std::min(played_ms(), length_ms_);
    silent_ = true;
    if (playing_)
        clock_.start();
    // This may run inside the sink's own signal, so sink and feed go once it has returned.
    if (sink_) {
        sink_->disconnect();
        sink_->stop();
        sink_.release()->deleteLater();
    }
    if (feed_)
        feed_.release()->deleteLater();
}

void MediaPlayer::play() {
    if (!open_ || playing_ || reached_end())
        return;
    playing_ = true;
    if (!silent_) {
        if (!sink_) {
            if (!start_sink())
                fall_back_to_silence();
        } else if (sink_->state() == QAudio::SuspendedState) {
            sink_->resume();
        }
    }
    if (silent_)
        clock_.start();
}

void MediaPlayer::stop() {
    if (!playing_)
        return;
    if (silent_) {
        silent_base_ms_ = std::min(played_ms(), length_ms_);
        clock_.invalidate();
    } else if (sink_) {
        sink_->suspend();
    }
    playing_ = false;
}

void MediaPlayer::close() {
    release_song();
    file_.clear();
}

void MediaPlayer::release_song() {
    if (sink_) {
        sink_->disconnect();
        sink_->stop();
    }
    sink_.reset();
    feed_.reset();
    decoder_.reset();
    clock_.invalidate();
    open_ = false;
    playing_ = false;
    silent_ = false;
    length_ms_ = 0;
    silent_base_ms_ = 0;
}

qint64 MediaPlayer::played_ms() const {
    if (silent_)
        return silent_base_ms_ + (playing_ && clock_.isValid() ? clock_.elapsed() : 0);
    return sink_ ? sink_->processedUSecs() / 1000 : 0;
}

// The sink has played every decoded sample and run dry.
bool MediaPlayer::sink_finished() const {
    return !silent_ && sink_ && decoder_ && decoder_->at_end() && sink_->state() == QAudio::IdleState;
}

bool MediaPlayer::reached_end() const {
    return open_ && (played_ms() >= length_ms_ || sink_finished());
}

qint64 MediaPlayer::position_ms() const {
    if (!open_)
        return 0;
    return reached_end() ? length_ms_ : played_ms();
}

PlayerMode MediaPlayer::mode() const {
    return playing_ && !reached_end() ? PlayerMode::Playing : PlayerMode::Stopped;
}

} // namespace velmora
