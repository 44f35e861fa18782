#pragma once

#include "production/frame_queue.h"
#include "production/output_file.h"
#include "production/picture_scaler.h"

#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

namespace velmora::mcl {

// The encoding thread of one conversion: takes frames from its queue, encodes them into the
// output file and, once the queue is closed, finishes the file. Pictures are scaled to the
// encoder's frames on the pushing thread, so scaling one frame overlaps encoding another.
// The calling thread owns the worker, pushes pictures, and reads the counters and the outcome;
// the output file belongs to the worker's thread between start() and join().
class EncodeWorker {
public:
    static constexpr int kQueuePictures = 8;

    explicit EncodeWorker(OutputFile& output);
    ~EncodeWorker();   // cancels and joins a worker still running

    void start();
    // Scales and hands over the next picture; false when the worker stopped (failed or
    // cancelled). Throws EncodeError when the picture cannot be scaled.
    bool push(const QImage& picture) { return queue_.push(scaler_.scaled(picture)); }
    // No more pictures: the worker finishes the file after the queued ones.
    void close() { queue_.close(); }
    // Stops the worker without finishing the file.
    void cancel() { queue_.cancel(); }
    // Waits until the worker ends, at most `timeout_ms`; true once it has ended.
    bool wait(int timeout_ms);
    void join();

    qint64 frames() const { return frames_; }
    qint64 samples() const { return samples_; }
    // After join(): empty when the file was finished, else why it was not (empty too when the
    // worker was cancelled before it finished: see finished()).
    QString error() const;
    bool finished() const { return finished_; }

private:
    void run();

    OutputFile& output_;
    PictureScaler scaler_;
    FrameQueue queue_{kQueuePictures};
    std::thread thread_;
    std::atomic<qint64> frames_{0};
    std::atomic<qint64> samples_{0};
    std::atomic<bool> finished_{false};
    std::atomic<bool> ended_{false};
    mutable std::mutex mutex_;
    std::condition_variable ended_signal_;
    QString error_;
};

} // namespace velmora::mcl
