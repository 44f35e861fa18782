#pragma once

#include <QString>

namespace velmora::mcl {

// A time in seconds (elapsed or remaining conversion time) as "hh:mm:ss", truncated to whole
// seconds; negative or not-a-number input reads as 0.
QString make_time_str(double seconds);

} // namespace velmora::mcl
