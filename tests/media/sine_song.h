#pragma once

#include <QString>

namespace velmora::test {

// Writes `seconds` of a stereo sine tone at `frequency` Hz as an MP3 file (libmp3lame,
// 44100 Hz) at `path`. Throws std::runtime_error when FFmpeg refuses.
void write_sine_mp3(const QString& path, double seconds, double frequency = 440.0);

} // namespace velmora::test
