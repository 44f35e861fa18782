#pragma once

#include <QString>

namespace velmora {

// FFmpeg's own text for the error code `code` (a negative AVERROR value), as av_strerror
// gives it. Any thread may call.
QString av_error_text(int code);

// "`what`: <FFmpeg's text>" — the form every FFmpeg failure is reported in.
QString av_failure(const QString& what, int code);

} // namespace velmora
