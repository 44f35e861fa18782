#pragma once

#include "production/mcl_types.h"

#include <QString>

namespace velmora::mcl {

enum class AlbumType { invalid = 0, vcd, svcd, dvd, mov, avi, mp4, wmv };

// How one album type is written: container, codecs and the numbers their encoders get. One
// row of a fixed table; rows live for the whole program.
struct AlbumFormat {
    AlbumType type = AlbumType::invalid;
    const char* name = "";          // "VCD"
    const char* extension = "";     // file extension with its dot, lower case
    const char* muxer = "";         // FFmpeg muxer name
    const char* video_codec = "";   // FFmpeg encoder names
    const char* audio_codec = "";
    int audio_sample_rate = 0;      // samples per second
    int audio_kbps = 0;
    // Standard-quality video bit rate: width x height x 25 x bits_per_pixel, at least
    // min_video_kbps (encoder defaults are far too low for album pictures).
    double video_bits_per_pixel = 0;
    int min_video_kbps = 0;
    int max_video_kbps = 0;         // highest average video rate players take; 0 when there is no limit
    int player_kbps = 0;            // what players read at most, video and sound together; 0 when unlimited
    int max_b_frames = 0;
    const char* encoder_preset = nullptr;   // libx264 speed preset; nullptr for other encoders
};

// A fraction, for frame rates and pixel shapes.
struct Ratio {
    int num = 0;
    int den = 1;
};

// A DVD or VCD as disc players take it, written the way FFmpeg's pal-dvd, ntsc-dvd, pal-vcd
// and ntsc-vcd targets write them. The album is still made at 25 frames a second at its 16:9
// render size; the encoder scales each frame to the disc size, marks the pixels so that the
// picture shows at 16:9 and, under NTSC, shows the frames at 30000/1001 a second.
struct DiscFormat {
    AlbumType type = AlbumType::invalid;
    TvStandard standard = TvStandard::pal;
    int width = 0;                  // the disc's frame size
    int height = 0;
    Ratio frame_rate;               // frames a second on the disc
    // Pixel shape that shows the frame at 16:9: exact for DVD; for VCD the nearest shape
    // MPEG-1 can mark, its code for 16:9 on 625 (PAL) or 525 (NTSC) lines.
    Ratio sample_aspect;
    const char* muxer = "";         // FFmpeg muxer name
    int gop_frames = 0;             // pictures from one key frame to the next
    int max_average_kbps = 0;       // highest average video rate, below the peak
    int peak_kbps = 0;              // the most the video may take at any moment
    int floor_kbps = 0;             // the least; equal to the peak for a constant rate
    int buffer_bits = 0;            // the players' video buffer
    int packet_bytes = 0;           // one pack of the program stream
    int mux_rate = 0;               // bits a second the player reads, video and sound together
    int preload_us = 0;             // delay before the first picture shows; 0: the muxer's default
};

// The disc format of `type` under `standard`; nullptr for types that are not DVD or VCD.
const DiscFormat* disc_format(AlbumType type, TvStandard standard);
// The disc format when `width` x `height` is the disc size of `type` under `standard`, else
// nullptr (every other size is written as an ordinary file of the type).
const DiscFormat* disc_format_for_size(AlbumType type, TvStandard standard, int width, int height);

// The row of `type`; the invalid type has no row and gives nullptr.
const AlbumFormat* album_format(AlbumType type);
// The format a preset stands for; FormatPreset::none gives nullptr.
const AlbumFormat* format_for_preset(FormatPreset preset);
// The format chosen by the extension of `path` when no preset is set (".mov", ".mp4", ".wmv",
// ".avi", any letter case); ".mpg" and everything else give nullptr, since an MPEG program
// stream needs a preset to say which.
const AlbumFormat* format_for_extension(const QString& path);

// The standard-quality video bit rate in kbit/s for a frame of `width` x `height`.
int standard_video_kbps(const AlbumFormat& format, int width, int height);
// `kbps` held to the type's player limit.
int limited_video_kbps(const AlbumFormat& format, int kbps);

} // namespace velmora::mcl
