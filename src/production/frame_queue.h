#pragma once

#include <QImage>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace velmora::mcl {

// The bounded hand-off of decoded frame pictures from the calling thread (one producer) to the
// encoding thread (one consumer). Pictures are plain values; no album state crosses.
class FrameQueue {
public:
    explicit FrameQueue(int capacity) : capacity_(capacity) {}

    // Producer: waits while the queue is full. False when the queue was cancelled (the picture
    // is dropped).
    bool push(QImage picture);
    // Producer: no more pictures follow.
    void close();
    // Either side: drops every picture and wakes both; later pushes fail, pops give nothing.
    void cancel();

    // Consumer: waits for the next picture; nothing once closed and empty, or cancelled.
    std::optional<QImage> pop();
    bool cancelled();

private:
    const int capacity_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QImage> pictures_;
    bool closed_ = false;
    bool cancelled_ = false;
};

} // namespace velmora::mcl
