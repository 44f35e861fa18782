#pragma once

#include "media/mp3_writer.h"

namespace velmora::samples {

// The sample song: a gentle tune of our own over soft chords, `seconds` long, as a sample
// source for write_mp3. Deterministic.
struct Melody {
    double seconds = 36.0;
    qint64 total_samples() const { return qint64(seconds * kMp3SampleRate); }
    void render(qint64 first, int count, float* left, float* right) const;
};

} // namespace velmora::samples
