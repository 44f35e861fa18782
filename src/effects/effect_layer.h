#pragma once

#include <memory>
#include <vector>
#include <QStringList>

#include "core/data_root.h"
#include "effects/effect_clip.h"
#include "effects/effect_entry.h"
#include "effects/effect_frame_cache.h"
#include "effects/text_effect_lists.h"
#include "production/frame_layers.h"

namespace velmora {

// Where an effect picture of `picture_size` from frame set `set` lies on a frame of
// `render_size`: scaled by render size / the size the set is drawn for (1920 x 1080 for
// production pictures, the 800 x 450 effect canvas for preview pictures), at `canvas_position`
// of the effect canvas scaled to the frame (0,0 for picture effects).
QRect overlay_rect(FrameSet set, QSize picture_size, QPoint canvas_position, QSize render_size);

// The picture and text effects of an album, laid over each frame: frame set `set` (production
// pictures for made albums, preview pictures for the album preview), scaled to the render size,
// stacked in the order the effects started (picture effects before text effects of the same
// start, each kind in list order). Pictures are decoded ahead on a worker into a cache of at
// most `cache_bytes`. The layer keeps references to the two lists, which must outlive it; they
// are read when the run starts (album_started) and must not change during it. Frame thread only.
class EffectLayer : public FrameLayers {
public:
    static constexpr qsizetype kDefaultCacheBytes = qsizetype(300) * 1024 * 1024;
    // Album frames decoded ahead of the one being laid.
    static constexpr int kFramesAhead = 12;
    // Threads decoding ahead: several effects often run at once.
    static constexpr int kDecoders = 2;

    EffectLayer(const DataRoot& root, const PictureEffectTable& pictures, const TextEffectTable& texts,
                FrameSet set = FrameSet::Production, qsizetype cache_bytes = kDefaultCacheBytes);
    ~EffectLayer() override;

    void album_started() override;
    QStringList problems() const override { return problems_; }
    void paint_effects(QPainter& painter, QSize size, int album_frame) override;

    // The effects laid this run, in stacking order.
    int clip_count() const { return int(clips_.size()); }

private:
    struct Placed {
        EffectClip clip;
        QPoint canvas_position;
        int source = 0;   // which of sources_ it shows
    };
    void add_clips();
    CroppedFrame decode(const EffectFrameKey& key) const;
    void decode_ahead(int album_frame);
    std::optional<int> next_use(const EffectFrameKey& key, int album_frame) const;

    const DataRoot& root_;
    const PictureEffectTable& pictures_;
    const TextEffectTable& texts_;
    const FrameSet set_;
    const qsizetype cache_bytes_;
    std::vector<Placed> clips_;
    std::vector<EffectId> sources_;   // the distinct effects of clips_
    QSize render_size_;
    std::unique_ptr<EffectFrameCache> cache_;
    QStringList problems_;
};

// Several layers as one: each call goes to every layer in order, so later layers draw above.
class LayerStack : public FrameLayers {
public:
    explicit LayerStack(std::vector<FrameLayers*> layers) : layers_(std::move(layers)) {}
    void album_started() override;
    QStringList problems() const override;
    void song_started(int schedule_row, const SongScheduleRow& song) override;
    void song_ended(int schedule_row) override;
    void paint_effects(QPainter& painter, QSize size, int album_frame) override;
    void paint_lyric(QPainter& painter, QSize size, int schedule_row, qint64 song_frame) override;

private:
    std::vector<FrameLayers*> layers_;
};

} // namespace velmora
