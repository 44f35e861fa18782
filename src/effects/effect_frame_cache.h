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

// Frame file `file` of placed effect `clip`.
struct EffectFrameKey {
    int clip = 0;
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

// Effect pictures decoded ahead of need on one worker thread, so laying effects does not make
// the frame step wait for the disk or the PNG decoder. The worker decodes the frames asked for
// by ahead(), in order, while the cache holds less than `max_bytes`. `decode` runs on the
// worker and on the caller's thread, so it must be safe to call from both. The other members
// are called from one thread, the one that lays the effects.
class EffectFrameCache {
public:
    using Decode = std::function<CroppedFrame(const EffectFrameKey&)>;

    EffectFrameCache(Decode decode, qsizetype max_bytes);
    ~EffectFrameCache();
    EffectFrameCache(const EffectFrameCache&) = delete;
    EffectFrameCache& operator=(const EffectFrameCache&) = delete;

    // The frame: from the cache, after the worker when it is decoding it, or decoded here.
    CroppedFrame get(const EffectFrameKey& key);
    // The frames needed next, in order of need: the worker decodes those not held yet, and
    // every held frame not among them is let go.
    void ahead(const std::vector<EffectFrameKey>& wanted);
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
    std::optional<EffectFrameKey> decoding_;
    qsizetype bytes_ = 0;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace velmora
