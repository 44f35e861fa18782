#include "core/clock.h"

namespace velmora {
namespace {

QString two_digits(qint64 value) {
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString seconds_to_clock(qint64 seconds) {
    seconds = qMax<qint64>(0, seconds);
    return two_digits(seconds / 3600) + QLatin1Char(':') + two_digits(seconds / 60 % 60) + QLatin1Char(':') +
           two_digits(seconds % 60);
}

QString frames_to_clock(qint64 frames) {
    return seconds_to_clock(frames / kFramesPerSecond);
}

QString seconds_to_song_clock(qint64 seconds) {
    return seconds_to_clock(seconds).right(5);
}

QString frames_to_song_clock(qint64 frames) {
    return seconds_to_song_clock(frames / kFramesPerSecond);
}

} // namespace velmora
