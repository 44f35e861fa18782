#include "production/album_format.h"

#include "core/clock.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

namespace velmora::mcl {
namespace {

// MPEG-1/2 need about three times the bits of H.264 for the same picture; the minimum keeps
// the small sizes watchable (1150 kbit/s is the VCD rate). DVD players read at most 10.08
// Mbit/s for video and sound together; an average of 9 Mbit/s for the video leaves its peaks room.
constexpr std::array<AlbumFormat, 7> kFormats{{
    {AlbumType::vcd, "VCD", ".mpg", "mpeg", "mpeg1video", "mp2", 44100, 224, 0.25, 1150, 0, 0, 2, nullptr},
    {AlbumType::svcd, "SVCD", ".mpg", "vob", "mpeg2video", "mp2", 44100, 224, 0.25, 2500, 0, 0, 2, nullptr},
    {AlbumType::dvd, "DVD", ".mpg", "dvd", "mpeg2video", "ac3", 48000, 448, 0.25, 4000, 9000, 10080, 2, nullptr},
    {AlbumType::mov, "MOV", ".mov", "mov", "libx264", "aac", 44100, 192, 0.08, 800, 0, 0, 2, "veryfast"},
    {AlbumType::avi, "AVI", ".avi", "avi", "mpeg4", "libmp3lame", 44100, 192, 0.15, 1000, 0, 0, 2, nullptr},
    {AlbumType::mp4, "MP4", ".mp4", "mp4", "libx264", "aac", 44100, 192, 0.08, 800, 0, 0, 2, "veryfast"},
    {AlbumType::wmv, "WMV", ".wmv", "asf", "wmv2", "wmav2", 44100, 192, 0.2, 1000, 0, 0, 0, nullptr},
}};

// FFmpeg's disc targets. A DVD's average stays below its 9 Mbit/s peak so that the rate
// control has room; a VCD runs at its constant 1150 kbit/s whatever the quality.
constexpr std::array<DiscFormat, 4> kDiscs{{
    {AlbumType::dvd, TvStandard::pal, 720, 576, {25, 1}, {64, 45}, "dvd", 15, 8000, 9000, 0, 1835008, 2048, 10080000, 0},
    {AlbumType::dvd, TvStandard::ntsc, 720, 480, {30000, 1001}, {32, 27}, "dvd", 18, 8000, 9000, 0, 1835008, 2048,
     10080000, 0},
    {AlbumType::vcd, TvStandard::pal, 352, 288, {25, 1}, {64, 45}, "vcd", 15, 1150, 1150, 1150, 327680, 2324, 1411200,
     440000},
    {AlbumType::vcd, TvStandard::ntsc, 352, 240, {30000, 1001}, {32, 27}, "vcd", 18, 1150, 1150, 1150, 327680, 2324,
     1411200, 440000},
}};

} // namespace

const DiscFormat* disc_format(AlbumType type, TvStandard standard) {
    const auto row = std::find_if(kDiscs.begin(), kDiscs.end(), [&](const DiscFormat& disc) {
        return disc.type == type && disc.standard == standard;
    });
    return row == kDiscs.end() ? nullptr : &*row;
}

const DiscFormat* disc_format_for_size(AlbumType type, TvStandard standard, int width, int height) {
    const DiscFormat* disc = disc_format(type, standard);
    return disc && disc->width == width && disc->height == height ? disc : nullptr;
}

const AlbumFormat* album_format(AlbumType type) {
    const auto row = std::find_if(kFormats.begin(), kFormats.end(),
                                  [type](const AlbumFormat& f) { return f.type == type; });
    return row == kFormats.end() ? nullptr : &*row;
}

const AlbumFormat* format_for_preset(FormatPreset preset) {
    switch (preset) {
    case FormatPreset::vcd: return album_format(AlbumType::vcd);
    case FormatPreset::svcd: return album_format(AlbumType::svcd);
    case FormatPreset::dvd: return album_format(AlbumType::dvd);
    case FormatPreset::avi: return album_format(AlbumType::avi);
    case FormatPreset::none: break;
    }
    return nullptr;
}

const AlbumFormat* format_for_extension(const QString& path) {
    const QString extension = QLatin1Char('.') + QFileInfo(path).suffix().toLower();
    for (const AlbumType type : {AlbumType::mov, AlbumType::mp4, AlbumType::wmv, AlbumType::avi}) {
        if (extension == QLatin1String(album_format(type)->extension))
            return album_format(type);
    }
    return nullptr;
}

int standard_video_kbps(const AlbumFormat& format, int width, int height) {
    const double bits = double(width) * height * kFramesPerSecond * format.video_bits_per_pixel;
    return limited_video_kbps(format, std::max(format.min_video_kbps, static_cast<int>(bits / 1000)));
}

int limited_video_kbps(const AlbumFormat& format, int kbps) {
    return format.max_video_kbps > 0 ? std::min(kbps, format.max_video_kbps) : kbps;
}

} // namespace velmora::mcl
