#pragma once

namespace velmora::mcl {

// The kind of an entry of a media list: a picture of the video list or a song of the audio
// list. The numbers are the ones callers pass.
enum class ListKind { invalid = 0, picture = 8, song = 16 };

// Output format presets; the numbers are the ones callers pass. `none` leaves the choice to the
// output file's extension (".mov", ".mp4", ".wmv").
enum class FormatPreset { none = -1, vcd = 0, svcd = 1, dvd = 2, avi = 3 };

// TV standard of a preset. It tags the colour matrix of the video stream and chooses the disc
// format of a DVD or VCD at its disc size (album_format.h); every other file stays at 25
// frames per second under both.
enum class TvStandard { pal = 0, ntsc = 1 };

// How a set bit rate is held: `variable` lets the encoder's own rate control vary the rate
// around the average. It is the only mode this layer offers; other values fail the conversion.
enum class BitRateMode { invalid = 0, variable = 1 };

// Status codes of the progress callback.
enum class ProgressStatus {
    processing_time = 0,   // conversion over; frames/samples are the final counts
    preparing = 1,         // about to open the output
    reducing_colors = 2,   // palette formats only; no format of this layer sends it
    frame = 3,             // frames and samples encoded so far
    multiplexing = 4,      // percent of the file's end written
};

} // namespace velmora::mcl
