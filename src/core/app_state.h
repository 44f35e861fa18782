#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// Preview playback, `tuichu` of the main window: "bofang_tingzhi" / "bofang_kaishi".
enum class PreviewPlayback { Stopped, Playing };
// The main window's size mode, `chuangkou_moshi`.
enum class WindowMode { Default, FullScreen, Enlarged };
// `fanye_shouci`: whether the first photo page has been loaded ("kaishi" / "jieshu").
enum class FirstPageLoad { Pending, Done };

QString to_text(PreviewPlayback value);
QString to_text(WindowMode value);
QString to_text(FirstPageLoad value);

// The deferred command value of `zidongkongzhi` that opens template management.
inline constexpr const char* kOpenTemplateManagement = "dakai_mobanguanli_anniu";

// The state that windows share. One instance lives as long as the program and is passed to
// whoever needs it; every field starts at the same value at every start and nothing is saved.
// Fields keep the program's own names; text fields hold the literal values other code compares.
struct AppState {
    PreviewPlayback tuichu = PreviewPlayback::Stopped;
    // "0" while the start-up movie is loaded in the main window, "1" once it was released.
    QString ShockwaveFlash_qi_dong_dong_hua = QStringLiteral("0");
    // "0" while a playback movie control exists in the main window, "1" after its release.
    QString ShockwaveFlash_bofang = QStringLiteral("1");
    // A deferred command for the main window.
    QString zidongkongzhi = QStringLiteral("Edit_zidongkongzhi");
    // Extension given to unpacked template movies and the closing movie.
    QString kuozhanming_1 = QStringLiteral(".rar");

    // Photo pages.
    QString fangye_hao = QStringLiteral("Edit_fangye_hao");
    QString hangshu = QStringLiteral("wu");
    QString Width_01 = QStringLiteral("9");
    QString Height_01 = QStringLiteral("9");
    QString Image_kongjian = QStringLiteral("wu");
    QString tuodong_kaiguan = QStringLiteral("Edit_tuodong_kaiguan");
    QString tuodong_down_x;
    QString tuodong_down_y;
    WindowMode chuangkou_moshi = WindowMode::Default;
    FirstPageLoad fanye_shouci = FirstPageLoad::Pending;
    QString delete_request_main_window;

    // Album making.
    QString zhizuo_kaishi = QStringLiteral("Edit_zhizuo_zhuan_zhizuo");
    QString zhizuo_zhuan_zhizuo = QStringLiteral("Edit_zhizuo_zhuan_zhizuo");
    QString xiangce_leixing;
    QString xiangce_baocun_weizhi = QStringLiteral("Edit_yinyue_shijian");
    QString mcl_zujian = QStringLiteral("Edit_yinyue_shijian");
    QString mcl_caozuo_leixing = QStringLiteral("Edit_yinyue_shijian");

    // Playback position of the preview.
    QString moban_hanghao_leijia = QStringLiteral("moban_hanghao_leijia");
    QString yinyue_leijia = QStringLiteral("yinyue_leijia");
    QString geci_leijia = QStringLiteral("geci_leijia");
    QString moban_zhen_leijia = QStringLiteral("moban_zhen_leijia");
    QString zong_leijia_zhen = QStringLiteral("zong_leijia_zhen");
    QString yinyue_shijian = QStringLiteral("yinyue_shijian");
    QString sui_yinyue_shijian = QStringLiteral("sui_yinyue_shijian");
    QString huamiantexiao_shijian = QStringLiteral("huamiantexiao_shijian");
    QString wenzitexiao_shijian = QStringLiteral("wenzitexiao_shijian");
    QString huamiantexiao_xiezai = QStringLiteral("xiezai");
    QString wenzitexiao_xiezai = QStringLiteral("xiezai");
    // Completion flags of the automatic effect placements: "" while one runs, then
    // "zidongtianjia_huamiantexiao_wangcheng" / "zidongtianjia_wenzitexiao_wangcheng".
    QString zidongtianjia_huamiantexiao_wancheng;
    QString zidongtianjia_wenzitexiao_wancheng;

    // Whether the song / lyric file dialog was opened once.
    QString yinyue_dakai_1ci = QStringLiteral("0");
    QString geci_dakai_1ci = QStringLiteral("0");

    // How the music-and-lyrics preview was opened: "bofangyingyue" (song mode) or
    // "bofanggeci" (lyric mode); and the lyric file last chosen in it, whose settings row draws.
    QString yinyue_geci_kaiguan = QStringLiteral("bofangyingyue");
    QString shijian_lrc_num = QStringLiteral("0");

    // Total album time and current preview time, "hh:mm:ss".
    QString zongshijian = QStringLiteral("00:00:00");
    QString danqianshijian = QStringLiteral("00:00:00");

    // Rows of the used templates whose preview or making material has been prepared.
    QStringList yijing_wancheng_shiyongmoban_hanghao;
};

} // namespace velmora
