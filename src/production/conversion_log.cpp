#include "production/conversion_log.h"

namespace velmora {

ConversionLog::ConversionLog(std::function<void(const QString&)> on_append)
    : on_append_(std::move(on_append)) {}

void ConversionLog::append(const QString& line) {
    if (lines_.size() >= kMaxLines)
        lines_.removeFirst();
    lines_.append(line);
    if (on_append_)
        on_append_(line);
}

} // namespace velmora
