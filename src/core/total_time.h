#pragma once

#include <vector>
#include <QString>

#include "core/clock.h"

namespace velmora {

// Frames of the closing movie that follows the last template.
inline constexpr qint64 kClosingMovieFrames = 150;

// The total album time shown under the preview. Under template sync it is the frames of the
// finished used templates plus the closing movie; otherwise (or with no finished template)
// it is "00:00:00".
inline QString total_time_clock(const std::vector<qint64>& finished_template_frames, bool template_sync) {
    qint64 sum = 0;
    for (qint64 frames : finished_template_frames)
        sum += frames;
    if (!template_sync || sum == 0)
        return QStringLiteral("00:00:00");
    return frames_to_clock(sum + kClosingMovieFrames);
}

} // namespace velmora
