#pragma once

#include <QString>
#include <QtGlobal>

namespace velmora {

// What measuring one song file gives.
struct SongMeasure {
    qint64 length_ms = 0;   // playing time, truncated to whole milliseconds
    int sample_rate = 0;    // samples per second of the song's audio stream
    qint64 samples = 0;     // samples per channel over the whole song
};

// Measures the first audio stream of the file at `path` through FFmpeg. The length is the sum
// of the stream's packet durations, so it is exact for MP3 files without a length header
// (FFmpeg's own estimate for those comes from the bit rate). Any thread may call.
// Throws DataError naming the file when it is missing, empty, not a media file or has no
// audio stream, keeping FFmpeg's own message where FFmpeg refused it.
SongMeasure measure_song_file(const QString& path);

// The song's length in milliseconds (measure_song_file(path).length_ms); same errors.
qint64 song_length_ms(const QString& path);

} // namespace velmora
