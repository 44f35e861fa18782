#include "effects/effect_layer.h"

#include <algorithm>
#include <set>

namespace velmora {

QRect overlay_rect(FrameSet set, QSize picture_size, QPoint canvas_position, QSize render_size) {
    const int w = render_size.width(), h = render_size.height();
    const QSize drawn_for = frame_set_size(set);
    return {canvas_position.x() * w / kEffectCanvasWidth, canvas_position.y() * h / kEffectCanvasHeight,
            picture_size.width() * w / drawn_for.width(), picture_size.height() * h / drawn_for.height()};
}

EffectLayer::EffectLayer(const DataRoot& root, const PictureEffectTable& pictures, const TextEffectTable& texts,
                         FrameSet set, qsizetype cache_bytes)
    : root_(root), pictures_(pictures), texts_(texts), set_(set), cache_bytes_(cache_bytes) {}

EffectLayer::~EffectLayer() = default;

void EffectLayer::album_started() {
    cache_.reset();
    clips_.clear();
    sources_.clear();
    problems_.clear();
    render_size_ = {};
    add_clips();
}

void EffectLayer::add_clips() {
    struct Start {
        int frame;
        Placed placed;
    };
    std::vector<Start> starts;
    const auto add = [&](int row, const EffectId& id, int frames, const QString& start, QPoint position) {
        const std::optional<int> frame = clock_start_frame(start);
        if (!frame) {
            problems_.append(QStringLiteral("特效 %1 的开始时间 %2 无法识别,没有加入相册").arg(row + 1).arg(start));
            return;
        }
        starts.push_back({*frame, {EffectClip(root_, id, set_, frames, *frame), position}});
    };
    for (int i = 0; i < pictures_.size(); ++i)
        add(i, pictures_.at(i).effect(), pictures_.at(i).frame_count, pictures_.at(i).start, {});
    for (int i = 0; i < texts_.size(); ++i) {
        const TextEffectEntry& e = texts_.at(i);
        add(i, e.effect(), e.frame_count, e.start, QPoint(e.x, e.y));
    }
    // An overlay created later lies above those created before it; of one start, pictures first.
    std::stable_sort(starts.begin(), starts.end(), [](const Start& a, const Start& b) {
        return std::tie(a.frame, a.placed.clip.id().kind) < std::tie(b.frame, b.placed.clip.id().kind);
    });
    for (Start& s : starts) {
        const auto known = std::find(sources_.begin(), sources_.end(), s.placed.clip.id());
        s.placed.source = int(known - sources_.begin());
        if (known == sources_.end())
            sources_.push_back(s.placed.clip.id());
        clips_.push_back(std::move(s.placed));
    }
}

// Runs on the cache's worker too: reads only what album_started() and the first paint fixed.
CroppedFrame EffectLayer::decode(const EffectFrameKey& key) const {
    const auto placed = std::find_if(clips_.begin(), clips_.end(), [&](const Placed& p) { return p.source == key.source; });
    CroppedFrame frame = crop_to_visible(QImage(placed->clip.file_path(key.file)));
    if (frame.image.isNull())
        return {};
    // Only the visible part is scaled: effects are drawn sparse, so this is most of the saving.
    const QSize drawn_for = frame_set_size(set_);
    const auto x = [&](int v) { return v * render_size_.width() / drawn_for.width(); };
    const auto y = [&](int v) { return v * render_size_.height() / drawn_for.height(); };
    const QRect visible(frame.offset, frame.image.size());
    const QRect target(QPoint(x(visible.left()), y(visible.top())),
                       QPoint(x(visible.right() + 1) - 1, y(visible.bottom() + 1) - 1));
    if (target.isEmpty())
        return {};
    if (target.size() != visible.size())
        frame.image = frame.image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    frame.offset = target.topLeft();
    return frame;
}

void EffectLayer::paint_effects(QPainter& painter, QSize size, int album_frame) {
    if (clips_.empty())
        return;
    if (!cache_ || size != render_size_) {
        cache_.reset();
        render_size_ = size;
        cache_ = std::make_unique<EffectFrameCache>([this](const EffectFrameKey& key) { return decode(key); },
                                                    cache_bytes_, kDecoders);
    }
    for (int i = 0; i < int(clips_.size()); ++i) {
        const int file = clips_[std::size_t(i)].clip.shown_file(album_frame);
        if (file == 0)
            continue;
        const CroppedFrame frame = cache_->get({clips_[std::size_t(i)].source, file});
        if (frame.image.isNull())
            continue;
        const QPoint corner = overlay_rect(set_, {}, clips_[std::size_t(i)].canvas_position, size).topLeft();
        painter.drawImage(corner + frame.offset, frame.image);
    }
    decode_ahead(album_frame);
}

void EffectLayer::decode_ahead(int album_frame) {
    std::vector<EffectFrameKey> wanted;
    std::set<EffectFrameKey> seen;
    for (int frame = album_frame + 1; frame <= album_frame + kFramesAhead; ++frame)
        for (int i = 0; i < int(clips_.size()); ++i) {
            const Placed& p = clips_[std::size_t(i)];
            if (frame < p.clip.start_frame() || frame >= p.clip.end_frame())
                continue;
            const EffectFrameKey key{p.source, p.clip.shown_file(frame)};
            if (key.file > 0 && seen.insert(key).second)
                wanted.push_back(key);
        }
    cache_->ahead(wanted);
    cache_->retain([&](const EffectFrameKey& key) { return next_use(key, album_frame + 1); });
}

std::optional<int> EffectLayer::next_use(const EffectFrameKey& key, int album_frame) const {
    std::optional<int> soonest;
    for (const Placed& p : clips_)
        if (p.source == key.source)
            if (const std::optional<int> use = p.clip.next_showing(key.file, album_frame); use && (!soonest || *use < *soonest))
                soonest = use;
    return soonest;
}

void LayerStack::album_started() {
    for (FrameLayers* layer : layers_)
        layer->album_started();
}

QStringList LayerStack::problems() const {
    QStringList out;
    for (const FrameLayers* layer : layers_)
        out += layer->problems();
    return out;
}

void LayerStack::song_started(int schedule_row, const SongScheduleRow& song) {
    for (FrameLayers* layer : layers_)
        layer->song_started(schedule_row, song);
}

void LayerStack::song_ended(int schedule_row) {
    for (FrameLayers* layer : layers_)
        layer->song_ended(schedule_row);
}

void LayerStack::paint_effects(QPainter& painter, QSize size, int album_frame) {
    for (FrameLayers* layer : layers_)
        layer->paint_effects(painter, size, album_frame);
}

void LayerStack::paint_lyric(QPainter& painter, QSize size, int schedule_row, qint64 song_frame) {
    for (FrameLayers* layer : layers_)
        layer->paint_lyric(painter, size, schedule_row, song_frame);
}

} // namespace velmora
