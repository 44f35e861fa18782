#include "production/media_list.h"

#include "core/data_error.h"
#include "media/song_probe.h"

#include <limits>

namespace velmora::mcl {
namespace {

constexpr qint64 kCountingRate = 44100;

qint64 counted_samples(const QString& path) {
    try {
        return song_length_ms(path) * kCountingRate / 1000;
    } catch (const DataError&) {
        return 0;
    }
}

int clamp_to_int(qint64 value) {
    return static_cast<int>(std::min<qint64>(value, std::numeric_limits<int>::max()));
}

} // namespace

void MediaList::add(const QString& path, ListKind kind) {
    Entry entry{path, kind, 0};
    if (kind == ListKind::song)
        entry.samples = counted_samples(path);
    entries_.append(entry);
}

int MediaList::get_frame_count() const {
    qint64 frames = 0;
    for (const Entry& entry : entries_)
        frames += entry.kind == ListKind::picture ? 1 : 0;
    return clamp_to_int(frames);
}

int MediaList::get_sample_count() const {
    qint64 samples = 0;
    for (const Entry& entry : entries_)
        samples += entry.samples;
    return clamp_to_int(samples);
}

std::optional<QString> MediaList::get_name(int index) const {
    if (index < 0 || index >= entries_.size())
        return std::nullopt;
    return entries_[index].path;
}

} // namespace velmora::mcl
