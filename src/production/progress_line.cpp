#include "production/progress_line.h"

#include "production/mcl_types.h"
#include "production/time_text.h"

#include <algorithm>
#include <unistd.h>

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

FrameProgressLine FrameProgressLine::standard_error() {
    return FrameProgressLine(stderr, isatty(fileno(stderr)) != 0);
}

void FrameProgressLine::show(int value, int maximum, Clock::time_point now) {
    if (value == 0 || maximum <= 0)
        start_ = now;
    const auto interval = terminal_ ? Clock::duration(kTerminalInterval) : Clock::duration(kPlainInterval);
    if (shown_ && value < maximum && now - last_ < interval)
        return;
    last_ = now;
    shown_ = true;
    const QByteArray line = text(value, maximum, now).toUtf8();
    if (terminal_) {
        std::fprintf(out_, "\r%s", line.constData());
        open_line_ = true;
    } else {
        std::fprintf(out_, "%s\n", line.constData());
    }
    std::fflush(out_);
}

QString FrameProgressLine::text(int value, int maximum, Clock::time_point now) const {
    constexpr int kWidth = 30;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double fps = seconds > 0 ? value / seconds : 0;
    const double left = fps > 0 ? (maximum - value) / fps : 0;
    const int filled = maximum > 0 ? int(std::clamp<qint64>(qint64(value) * kWidth / maximum, 0, kWidth)) : 0;
    return QStringLiteral("[%1%2] %3/%4 frames  %5 fps  %6 left")
        .arg(QString(filled, QLatin1Char('#')), QString(kWidth - filled, QLatin1Char('.')))
        .arg(value)
        .arg(maximum)
        .arg(fps, 0, 'f', 1)
        .arg(make_time_str(left));
}

void FrameProgressLine::end() {
    if (open_line_)
        std::fprintf(out_, "\n");
    open_line_ = false;
    shown_ = false;
}

void FrameProgressLine::print_line(const QString& text) {
    end();
    std::fprintf(out_, "%s\n", text.toUtf8().constData());
    std::fflush(out_);
}

} // namespace velmora::mcl
