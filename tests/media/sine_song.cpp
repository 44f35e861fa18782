#include "media/sine_song.h"

#include <cmath>
#include <stdexcept>

#include "core/data_error.h"
#include "media/mp3_writer.h"

namespace velmora::test {

void write_sine_mp3(const QString& path, double seconds, double frequency) {
    const auto tone = [frequency](qint64 first, int count, float* left, float* right) {
        for (int i = 0; i < count; ++i)
            left[i] = right[i] = float(0.5 * std::sin(2 * M_PI * frequency * double(first + i) / kMp3SampleRate));
    };
    try {
        write_mp3(path, qint64(seconds * kMp3SampleRate), tone);
    } catch (const DataError& e) {
        throw std::runtime_error(e.what());
    }
}

} // namespace velmora::test
