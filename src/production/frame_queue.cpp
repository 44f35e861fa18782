#include "production/frame_queue.h"

namespace velmora::mcl {

bool FrameQueue::push(QImage picture) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return cancelled_ || int(pictures_.size()) < capacity_; });
    if (cancelled_)
        return false;
    pictures_.push_back(std::move(picture));
    changed_.notify_all();
    return true;
}

void FrameQueue::close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
}

void FrameQueue::cancel() {
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
    pictures_.clear();
    changed_.notify_all();
}

std::optional<QImage> FrameQueue::pop() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return cancelled_ || closed_ || !pictures_.empty(); });
    if (cancelled_ || pictures_.empty())
        return std::nullopt;
    QImage picture = std::move(pictures_.front());
    pictures_.pop_front();
    changed_.notify_all();
    return picture;
}

bool FrameQueue::cancelled() {
    const std::lock_guard lock(mutex_);
    return cancelled_;
}

} // namespace velmora::mcl
