#pragma once

#include <QString>

namespace velmora {

// How the lines of one lyric file are drawn: a row of the lyric-settings list, at the same
// position as its lyric file. Positions and sizes are in lyric-canvas pixels (679 x 390) and
// are scaled to the picture a line is drawn on. Cells keep the stored texts.
struct LyricSettingsRow {
    static constexpr int kCanvasWidth = 679;
    static constexpr int kCanvasHeight = 390;

    QString name;       // "歌词内容": copy of the lyric file's name
    QString format;     // "类型"
    QString location;   // "位置"
    QString position_mode = QStringLiteral("moren_xianshi");   // "默认_or_自定义": or "zidingyi_xianshi"
    QString default_top = QStringLiteral("335");                // "默认显示_Top位置": 390 - 390 div 7
    QString custom_left = QStringLiteral("0");                  // "自定义_Left"
    QString custom_top = QStringLiteral("335");                 // "自定义_Top"
    QString font = QStringLiteral("黑体");                      // "字体"
    QString style = QStringLiteral("cuti");                     // "字形": changgui, xieti, cuti, cutixieti
    QString size = QStringLiteral("10");                        // "大小": points, "10" to "60"
    QString custom_centring = QStringLiteral("wu");             // "自定义_居中": or "zidingyi_juzhong"
    QString reserved = QStringLiteral("暂时不用");              // "==="
    QString colour_name = QStringLiteral("clWhite");            // "颜色"
    QString colour_value = QStringLiteral("16777215");          // "颜色数字": red in the low byte
    QString script = QStringLiteral("jianti");                  // "简体繁体": or "fanti"
};

} // namespace velmora
