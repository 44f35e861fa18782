#pragma once

#include <QString>

namespace velmora {

constexpr int kFramesPerSecond = 25;

// Whole seconds as "hh:mm:ss", each field at least two digits. Negative input reads as 0.
QString seconds_to_clock(qint64 seconds);
// A frame count at 25 frames per second as "hh:mm:ss" (seconds truncated).
QString frames_to_clock(qint64 frames);
// A song's clock, "mm:ss": the minutes and seconds fields of the clock above, so a song of an
// hour or more reads without its hours.
QString seconds_to_song_clock(qint64 seconds);
QString frames_to_song_clock(qint64 frames);

} // namespace velmora
