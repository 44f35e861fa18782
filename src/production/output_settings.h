#pragma once

#include "production/album_format.h"
#include "production/mcl_types.h"

#include <QSize>
#include <QString>
#include <optional>

namespace velmora {

// `huamianzhiliang_xuanzhong`. Standard renders small and lets the encoder pick its rate;
// high renders at full HD with a set bit rate. "chaoqing" is a value the main window knows
// but no window offers; it renders like high quality.
enum class PictureQuality { biaoqing, gaoqing, chaoqing };
QString to_text(PictureQuality quality);

// How album time is counted: the templates set it (the music repeats) or the music does.
enum class SyncMode { Template, Music };
// The choice as the synchronisation window captions it.
QString to_text(SyncMode mode);

// `quxiao`, the album-type window's answer: empty while it is open.
enum class AlbumTypeAnswer { Open, Start, Cancel };
QString to_text(AlbumTypeAnswer answer);

// "VCD", "SVCD", ... for a type of the format table; empty for AlbumType::invalid.
QString to_text(mcl::AlbumType type);
// The type named `text` ("DVD"; letter case as written in the table); nothing for other text.
std::optional<mcl::AlbumType> album_type_from_text(const QString& text);

// What the person sets before an album is made. One instance lives as long as the program and
// keeps its last values: quality, TV standard and sync mode are never reset; every format
// command clears the album name and the save folder.
struct OutputSettings {
    mcl::AlbumType xiangce_leixing = mcl::AlbumType::invalid;  // chosen by the format command
    QString shuchu_chicun;                                     // the chosen size list item, "1920 × 1088"
    mcl::AlbumType shuchu_leixing = mcl::AlbumType::invalid;   // copy of the type, shown read-only
    int chicun_width = 0;                                      // output frame size in pixels
    int chicun_height = 0;
    QString xiangce_mingcheng;                                 // album name as typed
    QString xiangce_baocun_weizhi;                             // save folder, ending in "/" once chosen
    AlbumTypeAnswer quxiao = AlbumTypeAnswer::Open;
    PictureQuality huamianzhiliang_xuanzhong = PictureQuality::gaoqing;
    mcl::TvStandard tv_standard = mcl::TvStandard::pal;
    SyncMode sync_mode = SyncMode::Template;

    // Save folder + album name + the type's extension (".mpg", ".mov", ".avi", ".mp4", ".wmv");
    // the making window's video and audio output path.
    QString output_path() const;
    // The render size by the quality; see render_size(PictureQuality).
    QSize render_size() const;
};

// The size template movies are rendered at and slot and background pictures are written at
// (`Falsh_Width` x `Falsh_Height` = `Zhaopian_Width` x `Zhaopian_Height`): 800 x 450 for
// standard quality, 1920 x 1080 otherwise, whatever the output size. The encoder scales
// every frame to the output size.
QSize render_size(PictureQuality quality);

// The encoder preset of an album type: VCD, SVCD, DVD and AVI have one; MOV, MP4 and WMV have
// none and are chosen by the output file's extension.
mcl::FormatPreset format_preset(mcl::AlbumType type);

// Whether the encoder is given the high-quality bit rate.
inline bool uses_high_bit_rate(PictureQuality quality) { return quality != PictureQuality::biaoqing; }

} // namespace velmora
