#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/total_time.h"
#include "core/gbk_text.h"
#include "core/ini_file.h"
#include "support/test_support.h"

namespace velmora {
namespace {

TEST(Clock, FramesAndSecondsAsHoursMinutesSeconds) {
    struct Case {
        qint64 frames;
        const char* clock;
    };
    for (const Case& c : {Case{0, "00:00:00"}, Case{24, "00:00:00"}, Case{25, "00:00:01"}, Case{1499, "00:00:59"},
                          Case{450, "00:00:18"}, Case{25 * 3600, "01:00:00"}, Case{25 * 3599, "00:59:59"},
                          Case{25 * (100 * 3600 + 61), "100:01:01"}, Case{-30, "00:00:00"}})
        EXPECT_EQ(frames_to_clock(c.frames), QString::fromLatin1(c.clock)) << c.frames;
    EXPECT_EQ(seconds_to_clock(3661), "01:01:01");
    EXPECT_EQ(seconds_to_clock(9), "00:00:09");
}

TEST(Clock, TotalTimeCountsFinishedTemplatesAndTheClosingMovieUnderTemplateSync) {
    EXPECT_EQ(total_time_clock({100, 200}, true), "00:00:18") << "450 frames";
    EXPECT_EQ(total_time_clock({100, 200}, false), "00:00:00") << "music sync";
    EXPECT_EQ(total_time_clock({}, true), "00:00:00") << "nothing finished: no closing movie either";
}

TEST(GbkText, RoundTripsChineseAndReplacesInvalidBytes) {
    const QString name = QString::fromUtf8("浪漫时光 Romance");
    const QByteArray gbk = encode_gbk(name);
    EXPECT_EQ(gbk.size(), 4 * 2 + 8) << "two bytes per Chinese character";
    EXPECT_EQ(decode_gbk(gbk), name);
    EXPECT_EQ(decode_gbk(QByteArray("ok\xff", 3)), QString::fromUtf8("ok\xEF\xBF\xBD"));
    EXPECT_EQ(encode_gbk(QString::fromUtf8("a😀b")), QByteArray("a?b"));
}

TEST(IniFile, ReadsSectionsKeysAndCutsLongValues) {
    QByteArray text = encode_gbk(QString::fromUtf8(
        "[l_x_v_e_l_m_w_j_s_y]\r\n"
        "l_x_v_e_l_m_w_j_s_y=v_e_l_m_s_y_l_x\r\n"
        "l_x_v_e_l_m_w_j_s_y_m_c = 浪漫时光 \r\n"
        "; a comment\r\n"
        "[1]\r\n"
        "szhz=|heng|shu|\r\n"
        "mbdx=\"200\"\r\n"
        "szhz=|ignored|\r\n"
        "[0]\n"
        "sl=3\n"));
    text += "[long]\nv=" + QByteArray(3000, 'x') + "\nw=a" + encode_gbk(QString(1500, QChar(0x4E2D))) + "\n";
    const IniFile ini = IniFile::parse(text);

    EXPECT_EQ(ini.value("l_x_v_e_l_m_w_j_s_y", "l_x_v_e_l_m_w_j_s_y"), "v_e_l_m_s_y_l_x");
    EXPECT_EQ(ini.value("l_x_v_e_l_m_w_j_s_y", "l_x_v_e_l_m_w_j_s_y_m_c"), QString::fromUtf8("浪漫时光"));
    EXPECT_EQ(ini.value("1", "szhz"), "|heng|shu|") << "the first of a repeated key counts";
    EXPECT_EQ(ini.value("1", "MBDX"), "200");
    EXPECT_EQ(ini.value("0", "sl"), "3");
    EXPECT_EQ(ini.value("1", "missing"), "");
    EXPECT_EQ(ini.value("nosuch", "sl"), "");
    EXPECT_EQ(ini.value("long", "v").size(), 2047);
    EXPECT_EQ(ini.value("long", "w"), "a" + QString(1023, QChar(0x4E2D))) << "cut at a character boundary";
}

} // namespace
} // namespace velmora
