#pragma once

#include <QString>
#include <chrono>
#include <cstdio>

namespace velmora::mcl {

// One progress report of a running conversion.
struct Progress {
    int status = 0;    // a ProgressStatus value
    int frames = 0;    // frames encoded so far
    int samples = 0;   // sound samples encoded so far, at the audio encoder's rate
    int percent = 0;   // of the file's end written (status multiplexing)
};

// The conversion-log line for `progress`; the times are the converter's elapsed time and its
// remaining time for the list totals, in seconds. Unknown status codes give
// "Unrecognized status code".
QString progress_line(const Progress& progress, double elapsed_seconds, double remaining_seconds);

// The batch tool's progress of a run: frames made of the total, the rate and the time left.
// On a terminal it is one line rewritten in place ("\r[#####.....] 120/1500 frames  48.0 fps
// 00:00:28 left"), at most five times a second; anywhere else (a log file, a pipe) each
// report is a plain line of its own, every few seconds, so logs stay readable. One thread.
class FrameProgressLine {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kTerminalInterval{200};
    static constexpr std::chrono::seconds kPlainInterval{5};

    // Writes to `out`, which outlives the object; `terminal` says whether it is one.
    FrameProgressLine(std::FILE* out, bool terminal) : out_(out), terminal_(terminal) {}
    // Standard error, rewritten in place when it is a terminal (isatty).
    static FrameProgressLine standard_error();

    // `value` of `maximum` frames at `now`. A value of 0 restarts the clock; the last frame
    // (value = maximum) is always shown.
    void show(int value, int maximum, Clock::time_point now = Clock::now());
    // Ends a rewritten line with its newline, so that what follows starts on a fresh line.
    void end();
    // Writes "TEXT\n" on a fresh line; a rewritten line shown is ended first and drawn again
    // with the next report.
    void print_line(const QString& text);

private:
    QString text(int value, int maximum, Clock::time_point now) const;

    std::FILE* out_;
    bool terminal_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_{};
    bool shown_ = false;
    bool open_line_ = false;
};

} // namespace velmora::mcl
