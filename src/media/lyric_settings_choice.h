#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include "media/lyric_settings.h"

namespace velmora {

// The lyric settings window's controls for one settings row, as the window holds them.
struct LyricSettingsChoice {
    bool custom_position = false;  // "自定义显示" checked, else "默认显示"
    bool centred = false;          // "居中显示" checked, else "自定义"
    QPoint line_position;          // the preview line's top left on the 679 x 390 canvas
    QString colour_name;           // the colour chooser's entry, e.g. "clWhite"
    QString colour_value;          // its stored value, red in the low byte
    QString font;                  // "歌词字体" entry
    QString size;                  // "歌词大小" entry, "10" to "60"
    QString style;                 // "歌词字形" entry: "常规", "倾斜", "粗体", "粗体 倾斜"
    QString script;                // "简体繁体" entry: "简体", "繁体"

    bool operator==(const LyricSettingsChoice&) const = default;
};

// The entries of the size, style and script lists, in list order.
QStringList lyric_size_entries();
QStringList lyric_style_entries();
QStringList lyric_script_entries();

// The controls for `row`, whose preview line shows `line_text` (already in the row's script):
// the line sits where the row draws it on the lyric canvas.
LyricSettingsChoice choice_from_row(const LyricSettingsRow& row, const QString& line_text);

// The row the window stores: `base` with the choices written in. The custom left and top
// come from the preview line, except that a centred line keeps the stored left (centring
// ignores it), and the default position leaves every custom cell as stored, so switching
// to the default position and back loses nothing.
LyricSettingsRow row_from_choice(const LyricSettingsChoice& choice, const LyricSettingsRow& base);

} // namespace velmora
