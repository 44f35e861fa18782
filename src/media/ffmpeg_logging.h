#pragma once

namespace velmora {

// FFmpeg prints encoder statistics and notices on standard error by default. The programs call
// this once at start so that only FFmpeg's errors reach the person; errors that matter are
// also carried in our own messages.
void quiet_ffmpeg_logging();

} // namespace velmora
