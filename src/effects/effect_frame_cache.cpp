#include "effects/effect_frame_cache.h"

#include <algorithm>

namespace velmora {

namespace {

// Whether any pixel of the row has alpha; the OR of a whole row is one pass the compiler
// vectorises, and most rows of a sparse effect are empty.
bool row_visible(const QRgb* row, int width) {
    QRgb any = 0;
    for (int x = 0; x < width; ++x)
        any |= row[x];
    return qAlpha(any) != 0;
}

} // namespace

CroppedFrame crop_to_visible(const QImage& source) {
    if (source.isNull())
        return {};
    // Both 32-bit alpha formats keep alpha in the top byte, so the bounds are found before any
    // conversion, and only the visible part is converted.
    const bool alpha_32 = source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage image = alpha_32 ? source : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (!row_visible(row, width))
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (x < left && qAlpha(row[x]) == 0)
            ++x;
        left = std::min(left, x);
        x = width - 1;
        while (x > right && qAlpha(row[x]) == 0)
            --x;
        right = std::max(right, x);
    }
    if (top < 0)
        return {};
    const QRect visible(QPoint(left, top), QPoint(right, bottom));
    QImage cropped = visible == image.rect() ? image : image.copy(visible);
    return {cropped.convertToFormat(QImage::Format_ARGB32_Premultiplied), visible.topLeft()};
}

EffectFrameCache::EffectFrameCache(Decode decode, qsizetype max_bytes, int workers)
    : decode_(std::move(decode)), max_bytes_(max_bytes) {
    for (int i = 0; i < std::max(1, workers); ++i)
        workers_.emplace_back([this] { work(); });
}

EffectFrameCache::~EffectFrameCache() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

qsizetype EffectFrameCache::bytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

void EffectFrameCache::insert_locked(const EffectFrameKey& key, CroppedFrame frame) {
    if (held_.count(key))
        return;
    bytes_ += frame.bytes();
    held_.emplace(key, std::move(frame));
}

CroppedFrame EffectFrameCache::get(const EffectFrameKey& key) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !decoding_.count(key); });
    if (const auto found = held_.find(key); found != held_.end())
        return found->second;
    std::erase(queue_, key);
    lock.unlock();
    CroppedFrame frame = decode_(key);
    lock.lock();
    insert_locked(key, frame);
    return frame;
}

void EffectFrameCache::ahead(const std::vector<EffectFrameKey>& wanted) {
    {
        std::lock_guard lock(mutex_);
        wanted_ = std::set<EffectFrameKey>(wanted.begin(), wanted.end());
        queue_.clear();
        for (const EffectFrameKey& key : wanted)
            if (!held_.count(key) && !decoding_.count(key))
                queue_.push_back(key);
    }
    changed_.notify_all();
}

void EffectFrameCache::retain(const std::function<std::optional<int>(const EffectFrameKey&)>& next_use) {
    {
        std::lock_guard lock(mutex_);
        std::vector<std::pair<int, EffectFrameKey>> by_use;
        for (const auto& [key, frame] : held_)
            if (const std::optional<int> use = next_use(key))
                by_use.emplace_back(*use, key);
        std::sort(by_use.begin(), by_use.end());
        std::set<EffectFrameKey> keep;
        qsizetype kept = 0;
        for (const auto& [use, key] : by_use) {
            const qsizetype bytes = held_.at(key).bytes();
            if (kept + bytes > max_bytes_ * 3 / 4)
                break;
            kept += bytes;
            keep.insert(key);
        }
        for (auto it = held_.begin(); it != held_.end();) {
            if (keep.count(it->first)) {
                ++it;
                continue;
            }
            bytes_ -= it->second.bytes();
            it = held_.erase(it);
        }
    }
    changed_.notify_all();
}

void EffectFrameCache::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || (!queue_.empty() && bytes_ < max_bytes_); });
        if (stopping_)
            return;
        const EffectFrameKey key = queue_.front();
        queue_.pop_front();
        decoding_.insert(key);
        lock.unlock();
        CroppedFrame frame = decode_(key);
        lock.lock();
        decoding_.erase(key);
        if (wanted_.count(key))
            insert_locked(key, std::move(frame));
        changed_.notify_all();
    }
}

} // namespace velmora
