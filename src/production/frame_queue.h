#pragma once

#include "media/av_handles.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace velmora::mcl {

// The bounded hand-off of the encoder's frames from the calling thread (one producer) to the
// encoding thread (one consumer). Frames are plain values; no album state crosses.
class FrameQueue {
public:
    explicit FrameQueue(int capacity) : capacity_(capacity) {}

    // Producer: waits while the queue is full. False when the queue was cancelled (the frame
    // is dropped).
    bool push(av::FramePtr frame);
    // Producer: no more frames follow.
    void close();
    // Either side: drops every frame and wakes both; later pushes fail, pops give nothing.
    void cancel();

    // Consumer: waits for the next frame; null once closed and empty, or cancelled.
    av::FramePtr pop();
    bool cancelled();

private:
    const int capacity_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<av::FramePtr> frames_;
    bool closed_ = false;
    bool cancelled_ = false;
};

} // namespace velmora::mcl
