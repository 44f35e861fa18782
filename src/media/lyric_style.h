#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QSize>
#include <QString>

#include "media/lyric_settings.h"
#include "media/script_conversion.h"

namespace velmora {

// One lyric line placed on a picture: a single unwrapped line, only its glyphs painted.
struct LyricLine {
    QString text;
    QFont font;
    QColor colour;
    QPoint top_left;   // of the line's box, which is sized to the text
    int width = 0;
    int height = 0;
};

// The colour a settings row stores as a signed 32-bit value, red in the low byte.
QColor colour_from_value(const QString& value);
// The reverse: the stored text for `colour`.
QString colour_value_text(const QColor& colour);

// The font of a settings row on a picture `target_height` high: its face, its style
// (bold and/or italic) and its size "大小" x height div 390 points at 96 pixels per inch.
QFont lyric_line_font(const LyricSettingsRow& row, int target_height);

// Places `text` as settings row `row` says on a picture of `target` size: converted to the
// row's script, its font, colour and position scaled from the 679 x 390 lyric canvas (every
// product formed before its division, divisions truncating). Throws DataError when the script
// conversion cannot be loaded.
LyricLine apply_lyric_style(const LyricSettingsRow& row, QSize target, const QString& text,
                            ScriptConversion& scripts);

// The placement without script conversion, for text already in its script.
LyricLine place_lyric_line(const LyricSettingsRow& row, QSize target, const QString& text);

// Paints the line's glyphs; nothing for an empty line. Parts outside the picture are clipped.
void draw_lyric_line(QPainter& painter, const LyricLine& line);

} // namespace velmora
