#pragma once

#include "media/av_handles.h"

#include <QStringList>

namespace velmora::mcl {

// The sound of a conversion: the songs decoded one after another and resampled to the audio
// encoder's sample format, rate and channel layout, followed by endless silence. Songs are
// opened only when the sound reaches them. Owned and used by one thread (the encoding one).
class AudioFeed {
public:
    // `target` is the opened audio encoder; it must outlive the feed.
    AudioFeed(QStringList songs, const AVCodecContext& target);

    // Fills the `frame->nb_samples` samples of `frame` (its buffers allocated in the encoder's
    // format) with the next sound, silence once the songs are over.
    // Throws EncodeError naming the song when a song cannot be opened or decoded.
    void fill(AVFrame* frame);

    // True once every song has been played out completely.
    bool exhausted() const;

private:
    void open_song(const QString& path);
    void close_song();
    // Decodes sound into the queue; false when the songs are over.
    bool decode_more();
    void read_packet();
    void drain_decoder();
    void start_resampler(const AVFrame& decoded);
    void convert(const AVFrame* decoded);

    QStringList songs_;
    int next_song_ = 0;
    const AVCodecContext& target_;
    av::FifoPtr queue_;
    av::InputPtr input_;
    av::CodecPtr decoder_;
    av::SwrPtr resampler_;
    av::FramePtr decoded_;
    av::FramePtr converted_;
    av::PacketPtr packet_;
    int stream_ = -1;
    QString song_;
};

} // namespace velmora::mcl
