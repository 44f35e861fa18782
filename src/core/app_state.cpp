#include "core/app_state.h"

namespace velmora {

QString to_text(PreviewPlayback value) {
    return value == PreviewPlayback::Playing ? QStringLiteral("bofang_kaishi") : QStringLiteral("bofang_tingzhi");
}

QString to_text(WindowMode value) {
    switch (value) {
    case WindowMode::FullScreen: return QStringLiteral("quanping_chuangkou");
    case WindowMode::Enlarged: return QStringLiteral("fangda_chuangkou");
    case WindowMode::Default: break;
    }
    return QStringLiteral("moren_chuangkou");
}

QString to_text(FirstPageLoad value) {
    return value == FirstPageLoad::Done ? QStringLiteral("jieshu") : QStringLiteral("kaishi");
}

} // namespace velmora
