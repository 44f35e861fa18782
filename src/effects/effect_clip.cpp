#include "effects/effect_clip.h"

#include <QFileInfo>
#include <QStringList>

#include "core/clock.h"

namespace velmora {

std::optional<int> clock_start_frame(const QString& start) {
    const QStringList fields = start.split(QLatin1Char(':'));
    if (fields.size() != 3)
        return std::nullopt;
    bool ok[3] = {};
    const int h = fields[0].toInt(&ok[0]), m = fields[1].toInt(&ok[1]), s = fields[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || h < 0 || h > 9999 || m < 0 || m > 59 || s < 0 || s > 59)
        return std::nullopt;
    return ((h * 60 + m) * 60 + s) * kFramesPerSecond;
}

std::optional<int> effect_step_at(int start_frame, int frame_count, int album_frame) {
    const qint64 step = qint64(album_frame) - start_frame + 1;
    if (step < 1 || step >= frame_count)
        return std::nullopt;
    return int(step);
}

EffectClip::EffectClip(const DataRoot& root, const EffectId& id, FrameSet set, int frame_count, int start_frame)
    : id_(id), folder_(effect_folder(root, id)), set_(set), frame_count_(frame_count), start_(start_frame) {
    shown_.assign(std::size_t(std::max(frame_count_, 1)), 0);
    int last = 0;
    for (int step = 1; step < frame_count_; ++step) {
        if (QFileInfo::exists(file_path(step)))
            last = step;
        shown_[std::size_t(step)] = last;
    }
}

int EffectClip::shown_file(int album_frame) const {
    const std::optional<int> step = effect_step_at(start_, frame_count_, album_frame);
    return step ? shown_[std::size_t(*step)] : 0;
}

std::optional<int> EffectClip::next_showing(int file, int album_frame) const {
    if (file < 1 || file >= frame_count_ || shown_[std::size_t(file)] != file)
        return std::nullopt;
    // A file shows from its own step until the next file that exists.
    int last_step = file;
    while (last_step + 1 < frame_count_ && shown_[std::size_t(last_step + 1)] == file)
        ++last_step;
    const int first = start_ + file - 1;
    const int last = start_ + last_step - 1;
    if (album_frame > last)
        return std::nullopt;
    return std::max(first, album_frame);
}

QImage EffectClip::picture(int album_frame) const {
    const int file = shown_file(album_frame);
    return file > 0 ? QImage(file_path(file)) : QImage();
}

} // namespace velmora
