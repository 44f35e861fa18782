#include "media/av_error.h"

extern "C" {
#include <libavutil/error.h>
}

namespace velmora {

QString av_error_text(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

QString av_failure(const QString& what, int code) {
    return what + QStringLiteral(": ") + av_error_text(code);
}

} // namespace velmora
