#include "effects/effect_id.h"

namespace velmora {

QString effect_folder(const DataRoot& root, const EffectId& id) {
    return id.kind == EffectKind::Picture ? root.picture_effect_folder(id.number)
                                          : root.text_effect_folder(id.category, id.number);
}

QString effect_definition_file(const DataRoot& root, const EffectId& id) {
    return effect_folder(root, id) + QStringLiteral("/wj_x_g_c_l_%1.ini").arg(id.number);
}

QString effect_frame_file(const QString& folder, FrameSet set, int frame) {
    return folder + (set == FrameSet::Preview ? QStringLiteral("/%1.png") : QStringLiteral("/2_%1.png")).arg(frame);
}

} // namespace velmora
