#pragma once

#include <compare>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>
#include <QImage>
#include <QPoint>

namespace velmora {

// Frame file `file` of installed effect `source` (the layer's numbering of the effects it lays).
struct EffectFrameKey {
    int source = 0;
    int file = 0;
    auto operator<=>(const EffectFrameKey&) const = default;
};

// An effect picture ready to lay: only its visible part, `offset` from the overlay's corner.
struct CroppedFrame {
    QImage image;     // null when nothing of it is visible or the file cannot be read
    QPoint offset;
    qsizetype bytes() const { return image.sizeInBytes(); }
};

// The part of `image` (premultiplied alpha) that is not fully transparent, as a cropped frame.
CroppedFrame crop_to_visible(const QImage& image);

// Effect pictures decoded ahead of need on `workers` threads, so laying effects does not make
// the frame step wait for the disk or the PNG decoder. The workers decode the frames asked for
// by ahead(), in order, while the cache holds less than `max_bytes`. `decode` runs on the
// workers and on the caller's thread at once, so it must be safe to call from several threads.
// The other members are called from one thread, the one that lays the effects.
class EffectFrameCache {
public:
    using Decode = std::function<CroppedFrame(const EffectFrameKey&)>;

    EffectFrameCache(Decode decode, qsizetype max_bytes, int workers = 1);
    ~EffectFrameCache();
    EffectFrameCache(const EffectFrameCache&) = delete;
    EffectFrameCache& operator=(const EffectFrameCache&) = delete;

    // The frame: from the cache, after the worker when it is decoding it, or decoded here.
    CroppedFrame get(const EffectFrameKey& key);
    // The frames needed next, in order of need: the workers decode those not held yet.
    void ahead(const std::vector<EffectFrameKey>& wanted);
    // Keeps the held frames needed soonest within three quarters of the budget, leaving room to
    // decode ahead; `next_use` gives the album frame a frame is needed at next, nothing when it
    // is not needed again. Effects repeat (combinations reuse the same few), so frames kept this
    // way are decoded once per run when they fit.
    void retain(const std::function<std::optional<int>(const EffectFrameKey&)>& next_use);
    qsizetype bytes() const;

private:
    void work();
    void insert_locked(const EffectFrameKey& key, CroppedFrame frame);

    Decode decode_;
    const qsizetype max_bytes_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<EffectFrameKey, CroppedFrame> held_;
    std::set<EffectFrameKey> wanted_;
    std::deque<EffectFrameKey> queue_;
    std::set<EffectFrameKey> decoding_;
    qsizetype bytes_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

} // namespace velmora
