#include "effects/effect_frame_cache.h"

namespace velmora {

CroppedFrame crop_to_visible(const QImage& source) {
    if (source.isNull())
        return {};
    const QImage image = source.format() == QImage::Format_ARGB32_Premultiplied
                             ? source
                             : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom < 0)
        return {};
    const QRect visible(QPoint(left, top), QPoint(right, bottom));
    return {visible == image.rect() ? image : image.copy(visible), visible.topLeft()};
}

EffectFrameCache::EffectFrameCache(Decode decode, qsizetype max_bytes)
    : decode_(std::move(decode)), max_bytes_(max_bytes), worker_([this] { work(); }) {}

EffectFrameCache::~EffectFrameCache() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
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
    changed_.wait(lock, [&] { return decoding_ != key; });
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
        for (auto it = held_.begin(); it != held_.end();) {
            if (wanted_.count(it->first)) {
                ++it;
                continue;
            }
            bytes_ -= it->second.bytes();
            it = held_.erase(it);
        }
        queue_.clear();
        for (const EffectFrameKey& key : wanted)
            if (!held_.count(key) && decoding_ != key)
                queue_.push_back(key);
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
        decoding_ = key;
        lock.unlock();
        CroppedFrame frame = decode_(key);
        lock.lock();
        decoding_.reset();
        if (wanted_.count(key))
            insert_locked(key, std::move(frame));
        changed_.notify_all();
    }
}

} // namespace velmora
