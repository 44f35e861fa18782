#pragma once

#include <optional>
#include <QPoint>
#include <QString>

#include "core/data_root.h"
#include "effects/effect_id.h"

namespace velmora {

// An effect longer than ten minutes is damage, not design.
inline constexpr int kMaxEffectFrames = 25 * 60 * 10;

// The definition file of one installed effect (section "wj_x_g_c_l_0"). The text-effect keys
// are read for picture effects too and left at their defaults there.
struct EffectDefinition {
    QString name;             // "wj_x_g_c_l_0"
    int frame_count = 0;      // "wj_x_g_c_l_sum", 1 .. kMaxEffectFrames
    int still_frame = 1;      // "wj_x_g_c_l_1", 1 .. frame_count (1 when absent)
    bool centred = false;     // "wj_x_g_c_l_wz": "z" centred, otherwise numeric
    QPoint position;          // "wj_x_g_c_l_wz1", "wj_x_g_c_l_wz2", effect-canvas pixels
    QString marks;            // "wxcs03": one character per template mark it suits
};

// The message every refused or missing text-effect definition gives.
QString missing_text_effect_message();

// Reads the definition of `id`. Nothing when the file is missing or refused: a frame count
// that is missing, not a number or outside 1 .. kMaxEffectFrames, or (text effects) a still
// number that is not a number or past the frame count. A refused file is named on standard
// error with the reason, so a designer can find it; `reason` receives the same text.
std::optional<EffectDefinition> read_effect_definition(const DataRoot& root, const EffectId& id,
                                                       QString* reason = nullptr);

// Where a text effect is placed when added: its numeric position, or centred on the effect
// canvas by the size of its still picture (preview frame set). A still that cannot be read
// counts as 0 x 0.
QPoint default_text_position(const DataRoot& root, const EffectId& id, const EffectDefinition& definition);

} // namespace velmora
