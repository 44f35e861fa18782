#include "app/batch/terminal_progress.h"

#include <cstdio>
#include <string>

#include "production/time_text.h"

namespace velmora::batch {

void TerminalProgress::show(int value, int maximum) {
    using Clock = std::chrono::steady_clock;
    const auto now = Clock::now();
    if (value == 0 || maximum <= 0)
        start_ = now;
    if (value < maximum && now - last_ < std::chrono::milliseconds(200))
        return;
    last_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double fps = seconds > 0 ? value / seconds : 0;
    const double left = fps > 0 ? (maximum - value) / fps : 0;
    constexpr int kWidth = 30;
    const int filled = maximum > 0 ? int(qint64(value) * kWidth / maximum) : 0;
    std::fprintf(out_, "\r[%s%s] %d/%d frames  %.1f fps  %s left", std::string(std::size_t(filled), '#').c_str(),
                 std::string(std::size_t(kWidth - filled), '.').c_str(), value, maximum, fps,
                 mcl::make_time_str(left).toUtf8().constData());
    std::fflush(out_);
    shown_ = true;
}

void TerminalProgress::end() {
    if (shown_)
        std::fprintf(out_, "\n");
    shown_ = false;
}

void TerminalProgress::print_line(const QString& text) {
    end();
    last_ = {};   // the next report draws the line again at once
    std::fprintf(out_, "%s\n", text.toUtf8().constData());
    std::fflush(out_);
}

} // namespace velmora::batch
