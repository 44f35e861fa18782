#pragma once

#include <memory>
#include <QAudioFormat>
#include <QByteArray>
#include <QString>

namespace velmora {

// Decodes the first audio stream of a song file into interleaved samples of a chosen output
// format, a little at a time: each read decodes only as much as it hands out, so a caller on
// the interface thread never waits for more than a few packets.
class SongDecoder {
public:
    // Opens `path` for output in `output` (unsigned 8-bit, 16-bit, 32-bit or float samples,
    // any rate and channel count). Throws DataError naming the file when it is missing, not a
    // media file, has no audio stream or no decoder for it, or the format cannot be produced.
    SongDecoder(const QString& path, const QAudioFormat& output);
    ~SongDecoder();
    SongDecoder(const SongDecoder&) = delete;
    SongDecoder& operator=(const SongDecoder&) = delete;

    // Copies up to `max_bytes` of decoded sound (whole sample frames) to `out` and returns the
    // bytes copied: fewer than asked only at the end of the song, 0 once it is over.
    qint64 read(char* out, qint64 max_bytes);
    // Whether every sample has been handed out.
    bool at_end() const;

    const QAudioFormat& format() const { return format_; }
    // Whether samples of `output`'s kind can be produced at all.
    static bool can_produce(const QAudioFormat& output);

private:
    class Stream;
    QAudioFormat format_;
    std::unique_ptr<Stream> stream_;
};

} // namespace velmora
