#pragma once

#include "media/av_handles.h"
#include "production/album_format.h"
#include "production/audio_feed.h"
#include "production/mcl_types.h"
#include "production/picture_scaler.h"

#include <QImage>
#include <QStringList>
#include <memory>

namespace velmora::mcl {

// What one output file is made of.
struct OutputPlan {
    const AlbumFormat* format = nullptr;   // a row of the format table
    QString path;                          // the file to write (created or overwritten)
    int width = 0;                         // frame size in pixels, both even
    int height = 0;
    int video_kbps = 0;
    TvStandard standard = TvStandard::pal;
    const DiscFormat* disc = nullptr;      // set: a stream for disc players at the disc's size
    QStringList songs;                     // played in order; may be empty
    bool keep_duration = true;             // sound cut or padded to the video's length
};

// One video file being written: the muxer, the video and audio encoders and the sound feed.
// Used by one thread at a time (built on the caller's thread, fed by the encoding thread).
// Every method throws EncodeError on failure; the file is then unfinished and the caller
// removes it after destroying this object.
class OutputFile {
public:
    // Opens the encoders and the file and writes the file's header.
    explicit OutputFile(const OutputPlan& plan);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Encodes `picture` (any size; scaled to the frame size) as the next album frame (1/25 s),
    // with the sound that belongs to it. A disc at 30000/1001 frames a second shows each album
    // frame until the next one is nearer in time, so about one in five is shown twice.
    void write_picture(const QImage& picture);
    // The same for a frame already scaled by a PictureScaler of size() (on another thread, say).
    void write_frame(av::FramePtr frame);
    QSize size() const { return {plan_.width, plan_.height}; }
    // Writes the rest of the sound, drains both encoders and writes the file's end.
    void finish();

    qint64 frames() const { return frames_; }   // album frames written
    qint64 samples() const { return samples_; }   // at the audio encoder's rate

private:
    struct Encoder {
        av::CodecPtr codec;
        AVStream* stream = nullptr;
    };

    void open_container();
    void set_disc_muxing();
    void open_video();
    void open_audio();
    void open_file();
    void write_sound_until(qint64 end_sample);
    void write_audio_frame(int samples);
    void encode(Encoder& encoder, const AVFrame* frame);
    qint64 video_end_sample() const;

    OutputPlan plan_;
    AVFormatContext* container_ = nullptr;
    Encoder video_;
    Encoder audio_;
    std::unique_ptr<AudioFeed> feed_;
    av::FramePtr sound_;
    av::PacketPtr packet_;
    PictureScaler scaler_;
    qint64 frames_ = 0;
    qint64 video_pts_ = 0;   // frames of the stream, in the video encoder's time base
    qint64 samples_ = 0;
};

} // namespace velmora::mcl
