#pragma once

#include <QString>

namespace velmora {

// Preview playback, `tuichu` of the main window.
enum class PreviewPlayback { Stopped, Playing };

inline QString to_text(PreviewPlayback state) {
    return state == PreviewPlayback::Playing ? QStringLiteral("bofang_kaishi") : QStringLiteral("bofang_tingzhi");
}

// The state that windows share. One instance lives as long as the program and is passed to
// whoever needs it; nothing in it is saved between runs.
struct AppState {
    PreviewPlayback tuichu = PreviewPlayback::Stopped;
    // Extension given to unpacked template movies and the closing movie.
    QString kuozhanming_1 = QStringLiteral(".rar");
    // Total album time and current preview time, "hh:mm:ss".
    QString zongshijian = QStringLiteral("00:00:00");
    QString danqianshijian = QStringLiteral("00:00:00");
};

} // namespace velmora
