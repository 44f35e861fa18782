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
