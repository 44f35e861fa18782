#pragma once

#include <memory>
#include <optional>
#include <QAudioDevice>
#include <QElapsedTimer>

#include "media/song_player.h"

class QAudioSink;

namespace velmora {

class SongDecoder;

// The program's song player: FFmpeg decodes the song a little at a time into a QAudioSink,
// which pulls the samples on the interface thread; the position is the sound the sink has
// played. With no sound output, or when the output fails, the song plays silently: the
// position then follows a clock in real time and the song still ends at its length.
class MediaPlayer final : public SongPlayer {
public:
    // Plays through the system's default sound output as it is when a song is opened.
    MediaPlayer();
    // Plays through `output`; a null device (QAudioDevice()) always plays silently.
    explicit MediaPlayer(const QAudioDevice& output);
    ~MediaPlayer() override;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    void set_file(const QString& path) override;
    QString file() const override { return file_; }
    void open() override;
    void play() override;
    void stop() override;
    void close() override;
    qint64 length_ms() const override { return length_ms_; }
    qint64 position_ms() const override;
    PlayerMode mode() const override;

    // Whether the open song plays without sound.
    bool silent() const { return silent_; }

private:
    class SinkFeed;

    QAudioDevice output_device() const;
    bool start_sink();
    void fall_back_to_silence();
    void release_song();
    qint64 played_ms() const;
    bool sink_finished() const;
    bool reached_end() const;

    std::optional<QAudioDevice> fixed_output_;
    QString file_;
    bool open_ = false;
    bool playing_ = false;
    bool silent_ = false;
    qint64 length_ms_ = 0;
    QAudioDevice device_;
    std::unique_ptr<SongDecoder> decoder_;
    std::unique_ptr<SinkFeed> feed_;
    std::unique_ptr<QAudioSink> sink_;
    qint64 silent_base_ms_ = 0;   // silent position when the clock was last started
    QElapsedTimer clock_;         // runs while a silent song plays
};

} // namespace velmora
