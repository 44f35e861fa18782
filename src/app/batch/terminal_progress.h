#pragma once

#include <chrono>
#include <cstdio>
#include <QString>

namespace velmora::batch {

// "[#####.....] 120/1500 frames  48.0 fps  00:00:28 left" on one line of `out` (standard
// error), rewritten in place ('\r') at most five times a second.
class TerminalProgress {
public:
    explicit TerminalProgress(std::FILE* out = stderr) : out_(out) {}
    void show(int value, int maximum);
    // Ends the progress line, so that what is written next starts on a line of its own.
    void end();
    // Writes "TEXT\n" on a fresh line; the progress line, if one is shown,
    // is ended first and drawn again with the next report.
    void print_line(const QString& text);

private:
    std::FILE* out_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point last_{};
    bool shown_ = false;
};

} // namespace velmora::batch
