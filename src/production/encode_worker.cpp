#include "production/encode_worker.h"

#include "production/encode_error.h"

#include <chrono>

namespace velmora::mcl {

EncodeWorker::EncodeWorker(OutputFile& output) : output_(output), scaler_(output.size()) {}

EncodeWorker::~EncodeWorker() {
    cancel();
    join();
}

void EncodeWorker::start() {
    thread_ = std::thread([this] { run(); });
}

void EncodeWorker::run() {
    try {
        while (av::FramePtr frame = queue_.pop()) {
            output_.write_frame(std::move(frame));
            frames_ = output_.frames();
            samples_ = output_.samples();
        }
        if (!queue_.cancelled()) {
            output_.finish();
            samples_ = output_.samples();
            finished_ = true;
        }
    } catch (const EncodeError& error) {
        const std::lock_guard lock(mutex_);
        error_ = error.message();
    }
    queue_.cancel();
    const std::lock_guard lock(mutex_);
    ended_ = true;
    ended_signal_.notify_all();
}

bool EncodeWorker::wait(int timeout_ms) {
    std::unique_lock lock(mutex_);
    return ended_signal_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [this] { return ended_.load(); });
}

void EncodeWorker::join() {
    if (thread_.joinable())
        thread_.join();
}

QString EncodeWorker::error() const {
    const std::lock_guard lock(mutex_);
    return error_;
}

} // namespace velmora::mcl
