#include <QFontMetrics>
#include <gtest/gtest.h>

#include "media/lyric_settings_choice.h"
#include "media/lyric_style.h"

namespace velmora {
namespace {

const QString kLine = QStringLiteral("此处显示歌词内容");

QStringList cells(const LyricSettingsRow& r) {
    return {r.name, r.format, r.location, r.position_mode, r.default_top, r.custom_left, r.custom_top, r.font,
            r.style, r.size, r.custom_centring, r.reserved, r.colour_name, r.colour_value, r.script};
}

LyricSettingsRow custom_row() {
    LyricSettingsRow row;
    row.name = "甜蜜蜜";
    row.format = ".lrc";
    row.location = "/l/甜蜜蜜.lrc";
    row.position_mode = "zidingyi_xianshi";
    row.custom_left = "120";
    row.custom_top = "40";
    row.font = "宋体";
    row.size = "24";
    row.style = "cutixieti";
    row.colour_name = "clRed";
    row.colour_value = "255";
    row.script = "fanti";
    return row;
}

TEST(LyricSettingsChoice, OpeningThenSavingUnchangedGivesBackTheRow) {
    LyricSettingsRow centred = custom_row();
    centred.custom_centring = "zidingyi_juzhong";
    centred.custom_left = "500";
    LyricSettingsRow default_with_custom_cells = custom_row();
    default_with_custom_cells.position_mode = "moren_xianshi";
    default_with_custom_cells.custom_centring = "zidingyi_juzhong";
    default_with_custom_cells.default_top = "300";
    LyricSettingsRow unknown_face = custom_row();
    unknown_face.font = "方正姚体";
    unknown_face.colour_name = "clCream";
    unknown_face.colour_value = "15793151";
    LyricSettingsRow plain;
    plain.style = "changgui";
    LyricSettingsRow italic;
    italic.style = "xieti";

    for (const LyricSettingsRow& row :
         {LyricSettingsRow{}, custom_row(), centred, default_with_custom_cells, unknown_face, plain, italic}) {
        SCOPED_TRACE(cells(row).join('|').toStdString());
        EXPECT_EQ(cells(row_from_choice(choice_from_row(row, kLine), row)), cells(row));
    }
}

TEST(LyricSettingsChoice, TheControlsShowTheRowAndItsLine) {
    const LyricSettingsChoice custom = choice_from_row(custom_row(), kLine);
    EXPECT_TRUE(custom.custom_position);
    EXPECT_FALSE(custom.centred);
    EXPECT_EQ(custom.line_position, QPoint(120, 40));
    EXPECT_EQ(custom.style, "粗体 倾斜");
    EXPECT_EQ(custom.script, "繁体");
    EXPECT_EQ(custom.size, "24");
    EXPECT_EQ(custom.font, "宋体");
    EXPECT_EQ(custom.colour_name, "clRed");

    const LyricSettingsChoice defaults = choice_from_row(LyricSettingsRow{}, kLine);
    EXPECT_FALSE(defaults.custom_position);
    EXPECT_EQ(defaults.style, "粗体");
    EXPECT_EQ(defaults.script, "简体");
    const int width = QFontMetrics(lyric_line_font(LyricSettingsRow{}, 390)).horizontalAdvance(kLine);
    EXPECT_EQ(defaults.line_position, QPoint(679 / 2 - width / 2, 335));

    EXPECT_EQ(lyric_size_entries().size(), 51);
    EXPECT_EQ(lyric_size_entries().first(), "10");
    EXPECT_EQ(lyric_size_entries().last(), "60");
    EXPECT_EQ(lyric_style_entries(), (QStringList{"常规", "倾斜", "粗体", "粗体 倾斜"}));
    EXPECT_EQ(lyric_script_entries(), (QStringList{"简体", "繁体"}));
}

TEST(LyricSettingsChoice, SavingWritesTheChoicesBack) {
    const LyricSettingsRow base{};
    LyricSettingsChoice choice = choice_from_row(base, kLine);
    choice.custom_position = true;
    choice.line_position = {33, 44};
    choice.style = "倾斜";
    choice.script = "繁体";
    choice.size = "18";
    choice.font = "楷体";
    choice.colour_name = "clYellow";
    choice.colour_value = "65535";
    const LyricSettingsRow custom = row_from_choice(choice, base);
    EXPECT_EQ(custom.position_mode, "zidingyi_xianshi");
    EXPECT_EQ(custom.custom_left, "33");
    EXPECT_EQ(custom.custom_top, "44");
    EXPECT_EQ(custom.custom_centring, "wu");
    EXPECT_EQ(custom.style, "xieti");
    EXPECT_EQ(custom.script, "fanti");
    EXPECT_EQ(custom.size, "18");
    EXPECT_EQ(custom.font, "楷体");
    EXPECT_EQ(custom.colour_name, "clYellow");
    EXPECT_EQ(custom.colour_value, "65535");
    EXPECT_EQ(custom.default_top, "335");
    EXPECT_EQ(place_lyric_line(custom, {679, 390}, kLine).top_left, QPoint(33, 44)) << "drawn where it was shown";

    choice.centred = true;
    const LyricSettingsRow centred = row_from_choice(choice, base);
    EXPECT_EQ(centred.custom_centring, "zidingyi_juzhong");
    EXPECT_EQ(centred.custom_left, "0") << "a centred line keeps the stored left";
    EXPECT_EQ(centred.custom_top, "44");

    choice.custom_position = false;
    const LyricSettingsRow back_to_default = row_from_choice(choice, custom);
    EXPECT_EQ(back_to_default.position_mode, "moren_xianshi");
    EXPECT_EQ(back_to_default.custom_left, "33") << "custom cells stay for a later switch back";
    EXPECT_EQ(back_to_default.custom_centring, "wu");
}

} // namespace
} // namespace velmora
