#include "media/ffmpeg_logging.h"

extern "C" {
#include <libavutil/log.h>
}

namespace velmora {

void quiet_ffmpeg_logging() { av_log_set_level(AV_LOG_ERROR); }

} // namespace velmora
