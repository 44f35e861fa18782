#pragma once

#include <QString>

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

} // namespace velmora::mcl
