#include "production/progress_line.h"

#include "production/mcl_types.h"
#include "production/time_text.h"

namespace velmora::mcl {

QString progress_line(const Progress& progress, double elapsed_seconds, double remaining_seconds) {
    switch (static_cast<ProgressStatus>(progress.status)) {
    case ProgressStatus::processing_time:
        return QStringLiteral("Processing time: ") + make_time_str(elapsed_seconds);
    case ProgressStatus::preparing:
        return QStringLiteral("Preparing conversion...");
    case ProgressStatus::reducing_colors:
        return QStringLiteral("Reducing colors, done frames: %1").arg(progress.frames);
    case ProgressStatus::frame:
        return QStringLiteral("Frame: %1, Sample: %2, Time Left: %3")
            .arg(progress.frames)
            .arg(progress.samples)
            .arg(make_time_str(remaining_seconds));
    case ProgressStatus::multiplexing:
        return QStringLiteral("Multiplexing done: %1%").arg(progress.percent);
    }
    return QStringLiteral("Unrecognized status code");
}

} // namespace velmora::mcl
