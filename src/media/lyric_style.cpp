#include "media/lyric_style.h"

#include <QFontMetrics>

#include "media/lyric_fonts.h"

namespace velmora {
namespace {

constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

int cell(const QString& text) { return text.trimmed().toInt(); }

// Products first, then a division that truncates toward zero, as C++ integer division does.
int scaled(int value, int target, int canvas) { return int(qint64(value) * target / canvas); }

} // namespace

QColor colour_from_value(const QString& value) {
    const quint32 v = quint32(value.trimmed().toLongLong());
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QString colour_value_text(const QColor& colour) {
    const qint32 v = qint32(quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16);
    return QString::number(v);
}

QFont lyric_line_font(const LyricSettingsRow& row, int target_height) {
    QFont font = lyric_font(row.font);
    const int points = scaled(cell(row.size), target_height, LyricSettingsRow::kCanvasHeight);
    font.setPixelSize(qMax(1, points * kPixelsPerInch / kPointsPerInch));
    font.setBold(row.style == QLatin1String("cuti") || row.style == QLatin1String("cutixieti"));
    font.setItalic(row.style == QLatin1String("xieti") || row.style == QLatin1String("cutixieti"));
    return font;
}

LyricLine place_lyric_line(const LyricSettingsRow& row, QSize target, const QString& text) {
    LyricLine line;
    line.text = text;
    line.font = lyric_line_font(row, target.height());
    line.colour = colour_from_value(row.colour_value);
    const QFontMetrics metrics(line.font);
    line.width = metrics.horizontalAdvance(text);
    line.height = metrics.height();
    const int centred = target.width() / 2 - line.width / 2;
    const int h = target.height();
    if (row.position_mode == QLatin1String("zidingyi_xianshi")) {
        const bool centre = row.custom_centring == QLatin1String("zidingyi_juzhong");
        line.top_left = {centre ? centred : scaled(cell(row.custom_left), target.width(), LyricSettingsRow::kCanvasWidth),
                         scaled(cell(row.custom_top), h, LyricSettingsRow::kCanvasHeight)};
    } else {
        line.top_left = {centred, scaled(cell(row.default_top), h, LyricSettingsRow::kCanvasHeight)};
    }
    return line;
}

LyricLine apply_lyric_style(const LyricSettingsRow& row, QSize target, const QString& text,
                            ScriptConversion& scripts) {
    const std::optional<ChineseScript> script = script_from_setting(row.script);
    return place_lyric_line(row, target, script ? scripts.convert(text, *script) : text);
}

void draw_lyric_line(QPainter& painter, const LyricLine& line) {
    if (line.text.isEmpty())
        return;
    painter.save();
    painter.setFont(line.font);
    painter.setPen(line.colour);
    painter.drawText(line.top_left + QPoint(0, QFontMetrics(line.font).ascent()), line.text);
    painter.restore();
}

} // namespace velmora
