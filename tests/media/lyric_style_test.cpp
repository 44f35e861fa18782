#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include "media/lyric_fonts.h"
#include "media/lyric_style.h"

namespace velmora {
namespace {

const QString kLine = QStringLiteral("此处显示歌词内容");

LyricSettingsRow custom_row(const QString& left, const QString& top, bool centred) {
    LyricSettingsRow row;
    row.position_mode = "zidingyi_xianshi";
    row.custom_left = left;
    row.custom_top = top;
    row.custom_centring = centred ? "zidingyi_juzhong" : "wu";
    return row;
}

QImage drawn(const LyricLine& line, QSize size = {679, 390}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    draw_lyric_line(painter, line);
    return image;
}

int lit_pixels(const QImage& image, QRect area) {
    int lit = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) > 40)
                ++lit;
    return lit;
}

TEST(LyricStyle, DefaultsScaleFromTheCanvasToEveryTarget) {
    struct Case {
        QSize target;
        int points;
        int top;
    };
    for (const Case& c : {Case{{679, 390}, 10, 335}, Case{{800, 450}, 11, 386}, Case{{1920, 1080}, 27, 927}}) {
        SCOPED_TRACE(c.target.width());
        const LyricLine line = place_lyric_line(LyricSettingsRow{}, c.target, kLine);
        EXPECT_EQ(line.font.pixelSize(), c.points * 96 / 72);
        EXPECT_TRUE(line.font.bold());
        EXPECT_FALSE(line.font.italic());
        EXPECT_EQ(line.colour, QColor(Qt::white));
        EXPECT_EQ(line.width, QFontMetrics(line.font).horizontalAdvance(kLine));
        EXPECT_GT(line.width, 0);
        EXPECT_EQ(line.top_left, QPoint(c.target.width() / 2 - line.width / 2, c.top));
    }
}

TEST(LyricStyle, CustomPositionsScaleAndCentringIgnoresTheLeft) {
    const LyricLine at_edge = place_lyric_line(custom_row("679", "100", false), {800, 450}, kLine);
    EXPECT_EQ(at_edge.top_left, QPoint(800, 100 * 450 / 390)) << "starts at the right edge, clipped";

    const LyricLine scaled = place_lyric_line(custom_row("100", "39", false), {1920, 1080}, kLine);
    EXPECT_EQ(scaled.top_left, QPoint(100 * 1920 / 679, 108));

    for (const char* left : {"0", "500"}) {
        const LyricLine centred = place_lyric_line(custom_row(left, "20", true), {800, 450}, kLine);
        EXPECT_EQ(centred.top_left, QPoint(400 - centred.width / 2, 23)) << left;
    }
}

TEST(LyricStyle, StyleCodesSetBoldAndItalic) {
    struct Case {
        const char* style;
        bool bold;
        bool italic;
    };
    for (const Case& c : {Case{"changgui", false, false}, Case{"xieti", false, true}, Case{"cuti", true, false},
                          Case{"cutixieti", true, true}}) {
        LyricSettingsRow row;
        row.style = c.style;
        row.size = "60";
        const QFont font = lyric_line_font(row, 390);
        EXPECT_EQ(font.bold(), c.bold) << c.style;
        EXPECT_EQ(font.italic(), c.italic) << c.style;
        EXPECT_EQ(font.pixelSize(), 80);
    }
}

TEST(LyricStyle, ColourValuesKeepRedInTheLowByte) {
    EXPECT_EQ(colour_from_value("255"), QColor(255, 0, 0));
    EXPECT_EQ(colour_from_value("16711680"), QColor(0, 0, 255));
    EXPECT_EQ(colour_from_value("16777215"), QColor(255, 255, 255));
    for (const QColor& colour : {QColor(255, 0, 0), QColor(0, 128, 128), QColor(18, 52, 86), QColor(0, 0, 0)})
        EXPECT_EQ(colour_from_value(colour_value_text(colour)), colour) << colour.name().toStdString();
    EXPECT_EQ(colour_value_text(QColor(255, 0, 0)), "255");
    EXPECT_EQ(colour_value_text(QColor(0, 128, 128)), "8421376");
}

TEST(LyricStyle, TheScriptSettingConvertsTheShownText) {
    ScriptConversion scripts;
    LyricSettingsRow row;
    row.script = "fanti";
    EXPECT_EQ(apply_lyric_style(row, {679, 390}, kLine, scripts).text, "此處顯示歌詞內容");
    row.script = "jianti";
    const LyricLine simplified = apply_lyric_style(row, {679, 390}, "此處顯示歌詞內容", scripts);
    EXPECT_EQ(simplified.text, kLine);
    EXPECT_EQ(simplified.width, QFontMetrics(simplified.font).horizontalAdvance(kLine)) << "measured after converting";
}

TEST(LyricFonts, AliasNamesComeFirstAndDrawWithACjkFace) {
    const QStringList names = lyric_font_names();
    ASSERT_GE(names.size(), 4);
    EXPECT_EQ(names.mid(0, 4), (QStringList{"黑体", "宋体", "楷体", "微软雅黑"}));
    EXPECT_EQ(QStringList(names).removeDuplicates(), 0);
    for (const QString& family : QFontDatabase::families())
        EXPECT_TRUE(names.contains(family)) << family.toStdString();

    const QFont hei = lyric_font("黑体");
    EXPECT_EQ(hei.families().first(), "黑体") << "the stored name stays the first choice";
    EXPECT_TRUE(QFontInfo(hei).family().contains("CJK")) << QFontInfo(hei).family().toStdString();
    EXPECT_TRUE(QFontInfo(lyric_font("宋体")).family().contains("Serif CJK"));
    EXPECT_TRUE(QFontInfo(lyric_font("no such face")).family().contains("CJK")) << "unknown names still draw Chinese";
}

TEST(LyricStyle, DrawsRealGlyphsInsideTheLineBoxOnly) {
    const LyricLine line = place_lyric_line(LyricSettingsRow{}, {679, 390}, kLine);
    const QImage image = drawn(line);
    const QRect box(line.top_left, QSize(line.width, line.height));
    EXPECT_GT(lit_pixels(image, box), 50);
    EXPECT_EQ(lit_pixels(image, image.rect()), lit_pixels(image, box)) << "nothing drawn outside the line's box";
    EXPECT_EQ(image.pixel(box.topLeft() - QPoint(1, 1)), qRgb(0, 0, 0)) << "transparent background";

    // Boxes for missing glyphs would all look alike; real glyphs differ from each other.
    LyricSettingsRow big;
    big.size = "40";
    const auto glyph = [&](const QString& text) {
        LyricLine one = place_lyric_line(big, {679, 390}, text);
        one.top_left = {10, 10};
        return drawn(one, {120, 120});
    };
    EXPECT_NE(glyph("爱"), glyph("情"));
    EXPECT_NE(glyph("爱"), glyph("愛"));

    EXPECT_EQ(lit_pixels(drawn(place_lyric_line(big, {679, 390}, QString())), QRect(0, 0, 679, 390)), 0);
}

} // namespace
} // namespace velmora
