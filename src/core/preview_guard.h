#pragma once

#include "core/app_state.h"
#include "core/ui.h"

namespace velmora {

// Commands that change the album are refused while the preview plays. Returns true (after
// telling the person) when the command must not run.
inline bool refused_while_previewing(const AppState& state, Ui& ui) {
    if (state.tuichu != PreviewPlayback::Playing)
        return false;
    ui.show_message(QStringLiteral("正在播放相册,点停止按钮后,再操作！"));
    return true;
}

} // namespace velmora
