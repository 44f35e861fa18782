#include "production/frame_queue.h"

namespace velmora::mcl {

bool FrameQueue::push(av::FramePtr frame) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return cancelled_ || int(frames_.size()) < capacity_; });
    if (cancelled_)
        return false;
    frames_.push_back(std::move(frame));
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
    frames_.clear();
    changed_.notify_all();
}

av::FramePtr FrameQueue::pop() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return cancelled_ || closed_ || !frames_.empty(); });
    if (cancelled_ || frames_.empty())
        return nullptr;
    av::FramePtr frame = std::move(frames_.front());
    frames_.pop_front();
    changed_.notify_all();
    return frame;
}

bool FrameQueue::cancelled() {
    const std::lock_guard lock(mutex_);
    return cancelled_;
}

} // namespace velmora::mcl
