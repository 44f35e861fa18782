#include "production/making_progress.h"

#include "production/frame_assembly.h"
#include "production/time_text.h"

#include <algorithm>

namespace velmora {

MovieProgress movie_progress(const ProductionState& state, const TemplateCatalogue& catalogue) {
    const int done = std::max(0, state.dangemoban_leijiazhen_num + 1);
    const int usable = int(state.duiying_keyong_hanghao.size());
    if (state.moban_hanghao_leijia >= usable)
        return {QStringLiteral("片尾"), std::min(done, FrameAssembly::kClosingFrames), FrameAssembly::kClosingFrames};
    const int row = state.duiying_keyong_hanghao[std::size_t(state.moban_hanghao_leijia)];
    if (row < 0 || row >= int(state.xuyao_shiyongmoban_shuliang.size()))
        return {};
    const UsedTemplate& used = state.xuyao_shiyongmoban_shuliang[std::size_t(row)].used;
    int total = 0;
    if (used.catalogue_number >= 0 && used.catalogue_number < int(catalogue.mobancanshu.size()))
        total = catalogue.mobancanshu[std::size_t(used.catalogue_number)].mbdx.trimmed().toInt();
    // Under music sync a template may be held past its last frame.
    return {used.template_name, total > 0 ? std::min(done, total) : done, total};
}

int percent_of(qint64 done, qint64 total) {
    if (total <= 0)
        return 0;
    return int(std::clamp<qint64>(done * 100 / total, 0, 100));
}

QString movie_progress_text(const MovieProgress& movie) {
    return QStringLiteral("%1  %2").arg(movie.name, frames_progress_text(movie.done, movie.total));
}

QString frames_progress_text(int done, int total) {
    return QStringLiteral("%1%  %2/%3 帧").arg(percent_of(done, total)).arg(done).arg(total);
}

void MakingClock::start(qint64 now_ms) {
    *this = MakingClock{};
    start_ms_ = now_ms_ = now_ms;
}

void MakingClock::frames_made(int done, int total, qint64 now_ms) {
    now_ms_ = now_ms;
    done_ = done;
    total_ = total;
    if (first_frame_ms_ < 0 && done > 0) {
        first_frame_ms_ = now_ms;
        first_done_ = done;
    }
}

qint64 MakingClock::remaining_ms() const {
    const int made = done_ - first_done_;
    if (first_frame_ms_ < 0 || made <= 0 || now_ms_ <= first_frame_ms_)
        return -1;
    return (now_ms_ - first_frame_ms_) * qint64(std::max(0, total_ - done_)) / made;
}

QString MakingClock::text() const {
    const qint64 left = remaining_ms();
    return QStringLiteral("已用时间 %1    剩余时间 %2")
        .arg(mcl::make_time_str(elapsed_ms() / 1000.0),
             left < 0 ? QStringLiteral("--:--:--") : mcl::make_time_str((left + 999) / 1000));
}

} // namespace velmora
