#pragma once

#include <QSize>
#include <QString>

#include "core/data_root.h"

namespace velmora {

// The two kinds of installed effect: full-frame picture effects and placed text effects.
enum class EffectKind { Picture, Text };

// One installed effect: picture effect `number`, or text effect `number` of `category`.
// Numbers count from 1, as the folders do.
struct EffectId {
    EffectKind kind = EffectKind::Picture;
    int category = 0;   // text effects only
    int number = 0;

    static EffectId picture(int n) { return {EffectKind::Picture, 0, n}; }
    static EffectId text(int g, int k) { return {EffectKind::Text, g, k}; }
    bool operator==(const EffectId&) const = default;
};

// Which pictures of an effect are drawn: "N.png" for the 800 x 450 effect canvas of the
// previews, "2_N.png" for the 1920 x 1080 frame of production.
enum class FrameSet { Preview, Production };

// The effect canvas that text-effect positions are stored in.
inline constexpr int kEffectCanvasWidth = 800;
inline constexpr int kEffectCanvasHeight = 450;
// The frame the production pictures are drawn for.
inline constexpr int kProductionFrameWidth = 1920;
inline constexpr int kProductionFrameHeight = 1080;

// The frame a set's pictures are drawn for.
inline QSize frame_set_size(FrameSet set) {
    return set == FrameSet::Production ? QSize(kProductionFrameWidth, kProductionFrameHeight)
                                       : QSize(kEffectCanvasWidth, kEffectCanvasHeight);
}

QString effect_folder(const DataRoot& root, const EffectId& id);
// The definition file "wj_x_g_c_l_N.ini" inside the effect's folder.
QString effect_definition_file(const DataRoot& root, const EffectId& id);
// Frame picture `frame` (from 1) of the effect in `set`.
QString effect_frame_file(const QString& folder, FrameSet set, int frame);

} // namespace velmora
