#include "melody.h"

#include <array>
#include <cmath>

namespace velmora::samples {
namespace {

constexpr double kBeat = 60.0 / 84.0; // seconds per beat
constexpr double kTwoPi = 6.283185307179586;

// Semitones above A4 (440 Hz); -100 is a rest.
constexpr int kRest = -100;
// The tune, one entry per half beat: a pentatonic phrase answered by its variation.
constexpr std::array<int, 32> kTune = {
    3, kRest, 5, 7, 10, kRest, 7, 5,    3, 5, 7, kRest, 5, kRest, kRest, kRest,
    3, kRest, 5, 7, 10, 12, 10, 7,      5, 7, 3, kRest, 0, kRest, kRest, kRest,
};
// One chord root per bar of four beats (C, A minor, F, G), as semitones above A3.
constexpr std::array<int, 4> kRoots = {3, 0, -4, -2};

double frequency(int semitones_above_a4) { return 440.0 * std::pow(2.0, semitones_above_a4 / 12.0); }

// A soft bell: a sine with a touch of its octave, struck and fading.
double bell(double t, double f) {
    if (t < 0)
        return 0;
    const double attack = std::min(1.0, t / 0.012);
    const double decay = std::exp(-t * 3.2);
    return attack * decay * (std::sin(kTwoPi * f * t) + 0.25 * std::sin(kTwoPi * 2 * f * t));
}

double tune_at(double t) {
    const double step = kBeat / 2;
    double sum = 0;
    // The two latest notes still ring.
    const long index = long(t / step);
    for (long i = index; i >= 0 && i > index - 4; --i) {
        const int note = kTune[std::size_t(i % long(kTune.size()))];
        if (note != kRest)
            sum += bell(t - double(i) * step, frequency(note));
    }
    return sum;
}

double pad_at(double t) {
    const double bar = 4 * kBeat;
    const int root = kRoots[std::size_t(long(t / bar) % long(kRoots.size()))] - 12;
    const bool minor = root == -12;
    const int third = minor ? 3 : 4;
    const double in_bar = std::fmod(t, bar);
    const double swell = std::sin(M_PI * in_bar / bar) * 0.8 + 0.2;
    double sum = 0;
    for (int interval : {0, third, 7})
        sum += std::sin(kTwoPi * frequency(root + interval) * t);
    return swell * sum / 3.0;
}

} // namespace

void Melody::render(qint64 first, int count, float* left, float* right) const {
    for (int i = 0; i < count; ++i) {
        const double t = double(first + i) / kMp3SampleRate;
        const double fade = std::min({1.0, t / 1.5, (seconds - t) / 2.5});
        const double tune = 0.32 * tune_at(t);
        const double pad = 0.16 * pad_at(t);
        // The tune sits a little left, the chords a little right.
        left[i] = float(fade * (tune * 0.6 + pad * 0.4));
        right[i] = float(fade * (tune * 0.4 + pad * 0.6));
    }
}

} // namespace velmora::samples
