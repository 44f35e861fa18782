#include "effects/album_effects.h"

#include "effects/auto_text_placement.h"
#include "effects/picture_combinations.h"

namespace velmora {

QString emptying_pictures_question() {
    return QStringLiteral("检测到已经添加了画面特效,重新添加画面特效,需要先删除已经添加的画面特效!是否确定要删除?");
}

void run_automatic_effects(const AutoEffectChoice& choice, Album& album, AlbumEffects& effects,
                           const AutoEffectServices& services, AppState& state, QStringList* problems) {
    QStringList found;
    if (choice.text) {
        state.zidongtianjia_wenzitexiao_wancheng.clear();
        found += auto_text_effects({}, album, services.catalogue, services.root, services.random, services.clock(),
                                   effects.text)
                     .problems;
        state.zidongtianjia_wenzitexiao_wancheng = QStringLiteral("zidongtianjia_wenzitexiao_wangcheng");
    }
    if (choice.picture) {
        if (!effects.picture.empty() && choice.confirm_emptying_pictures && choice.confirm_emptying_pictures())
            effects.picture.clear();
        if (effects.picture.empty()) {
            state.zidongtianjia_huamiantexiao_wancheng.clear();
            found += auto_picture_combinations(*choice.picture, album, services.catalogue, services.root,
                                               services.random, effects.picture)
                         .problems;
            state.zidongtianjia_huamiantexiao_wancheng = QStringLiteral("zidongtianjia_huamiantexiao_wangcheng");
        }
    }
    if (problems)
        *problems += found;
}

} // namespace velmora
