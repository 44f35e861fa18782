#pragma once

#include <functional>
#include <QString>

namespace velmora {

// Fills `count` stereo samples from sample number `first` on, values in -1..1.
using SampleSource = std::function<void(qint64 first, int count, float* left, float* right)>;

// Writes `total_samples` samples at 44100 Hz from `source` as a 128 kbit/s MP3 file (libmp3lame)
// at `path`, under a temporary name renamed when complete. Throws DataError with FFmpeg's
// message when encoding or writing fails; nothing is left at `path` then.
void write_mp3(const QString& path, qint64 total_samples, const SampleSource& source);

inline constexpr int kMp3SampleRate = 44100;

} // namespace velmora
