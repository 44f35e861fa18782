#pragma once

#include "production/output_settings.h"
#include "core/ui.h"

#include <QString>
#include <vector>

namespace velmora {

// One item of the album-type window's size list.
struct OutputSize {
    int width = 0;
    int height = 0;
    const char* disc = nullptr;   // "DVD" or "VCD" for the size disc players take; else nullptr
    // "1280 × 720": width, a blank, the sign ×, a blank, height. A disc size reads
    // "720×576 DVD光盘": no blanks, then the disc.
    QString text() const;
};

// The output sizes offered for `type` under `standard`, in list order: five up to 1280 × 720
// for VCD, nine up to 2048 × 1152 for every other type, and for DVD and VCD last the disc size
// of the standard (720×576 or 720×480 DVD, 352×288 or 352×240 VCD). Empty for
// AlbumType::invalid.
std::vector<OutputSize> output_sizes(mcl::AlbumType type, mcl::TvStandard standard);
// The size list's text for `width` x `height`: the item's text when the list offers that size,
// else the plain "width × height".
QString output_size_text(mcl::AlbumType type, mcl::TvStandard standard, int width, int height);
// The item "默认" selects: 4 (1280 × 720) for VCD, 7 (1920 × 1088) for every other type.
int default_size_index(mcl::AlbumType type);
// The index of the item the settings hold (by width and height, in the list of their type and
// TV standard); -1 when it is not offered.
int chosen_size_index(const OutputSettings& settings);

// What the album-type window does to the settings. The window shows these fields and passes
// the person's actions on; every rule lives here.

// The format command's preparation of the window for `type`: the answer cleared, the type set,
// the default size chosen, album name and save folder cleared.
void prepare_album_type_choice(OutputSettings& settings, mcl::AlbumType type);
// Chooses item `index` of the size list of the type and TV standard; an index the list does
// not have is ignored.
void choose_output_size(OutputSettings& settings, int index);
// "默认": the type's default item.
void choose_default_size(OutputSettings& settings);

// Why `name` cannot name an album file, as the message to show; empty when it can. An empty
// name is refused; a name of blanks is not. A name with "/", "\" or ".." is refused because it
// would write outside the chosen folder.
QString album_name_refusal(const QString& name);
// "开始制作": with an acceptable name, stores it, answers Start and returns true (the window
// closes); otherwise shows the refusal and returns false (the window stays open).
bool start_making(OutputSettings& settings, const QString& name, Ui& ui);
// "取消" and the close label.
inline void cancel_making(OutputSettings& settings) { settings.quxiao = AlbumTypeAnswer::Cancel; }

} // namespace velmora
