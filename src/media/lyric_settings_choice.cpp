#include "media/lyric_settings_choice.h"

#include <array>
#include <utility>

#include "media/lyric_style.h"

namespace velmora {
namespace {

constexpr int kSmallestSize = 10;
constexpr int kLargestSize = 60;

// Stored style and script codes beside the list entries that show them.
const std::array<std::pair<const char*, const char*>, 4> kStyles{{
    {"changgui", "常规"},
    {"xieti", "倾斜"},
    {"cuti", "粗体"},
    {"cutixieti", "粗体 倾斜"},
}};
const std::array<std::pair<const char*, const char*>, 2> kScripts{{
    {"jianti", "简体"},
    {"fanti", "繁体"},
}};

// The entry for a stored code; the first entry (regular, simplified) for a code the lists
// do not know, which is also how the drawing treats it.
template <std::size_t N>
QString entry_for_code(const std::array<std::pair<const char*, const char*>, N>& table, const QString& code) {
    for (const auto& [stored, entry] : table)
        if (code == QLatin1String(stored))
            return QString::fromUtf8(entry);
    return QString::fromUtf8(table.front().second);
}

template <std::size_t N>
QString code_for_entry(const std::array<std::pair<const char*, const char*>, N>& table, const QString& entry) {
    for (const auto& [stored, shown] : table)
        if (entry == QString::fromUtf8(shown))
            return QString::fromLatin1(stored);
    return QString::fromLatin1(table.front().first);
}

template <std::size_t N>
QStringList entries(const std::array<std::pair<const char*, const char*>, N>& table) {
    QStringList list;
    for (const auto& pair : table)
        list.append(QString::fromUtf8(pair.second));
    return list;
}

} // namespace

QStringList lyric_size_entries() {
    QStringList sizes;
    for (int size = kSmallestSize; size <= kLargestSize; ++size)
        sizes.append(QString::number(size));
    return sizes;
}

QStringList lyric_style_entries() { return entries(kStyles); }
QStringList lyric_script_entries() { return entries(kScripts); }

LyricSettingsChoice choice_from_row(const LyricSettingsRow& row, const QString& line_text) {
    const QSize canvas(LyricSettingsRow::kCanvasWidth, LyricSettingsRow::kCanvasHeight);
    LyricSettingsChoice choice;
    choice.custom_position = row.position_mode == QLatin1String("zidingyi_xianshi");
    choice.centred = row.custom_centring == QLatin1String("zidingyi_juzhong");
    choice.line_position = place_lyric_line(row, canvas, line_text).top_left;
    choice.colour_name = row.colour_name;
    choice.colour_value = row.colour_value;
    choice.font = row.font;
    choice.size = row.size;
    choice.style = entry_for_code(kStyles, row.style);
    choice.script = entry_for_code(kScripts, row.script);
    return choice;
}

LyricSettingsRow row_from_choice(const LyricSettingsChoice& choice, const LyricSettingsRow& base) {
    LyricSettingsRow row = base;
    row.position_mode = choice.custom_position ? QStringLiteral("zidingyi_xianshi") : QStringLiteral("moren_xianshi");
    if (choice.custom_position) {
        row.custom_centring = choice.centred ? QStringLiteral("zidingyi_juzhong") : QStringLiteral("wu");
        if (!choice.centred)
            row.custom_left = QString::number(choice.line_position.x());
        row.custom_top = QString::number(choice.line_position.y());
    }
    row.colour_name = choice.colour_name;
    row.colour_value = choice.colour_value;
    row.font = choice.font;
    row.size = choice.size;
    row.style = code_for_entry(kStyles, choice.style);
    row.script = code_for_entry(kScripts, choice.script);
    return row;
}

} // namespace velmora
