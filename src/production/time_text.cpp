#include "production/time_text.h"

#include "core/clock.h"

#include <cmath>

namespace velmora::mcl {

QString make_time_str(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 0;
    return seconds_to_clock(static_cast<qint64>(seconds));
}

} // namespace velmora::mcl
