#pragma once

#include "media/music_list.h"
#include "production/output_settings.h"
#include "templates/album.h"

#include <QSize>
#include <QString>
#include <vector>

namespace velmora {

// `tuichu` of the making window: preparing ("bofang_tingzhi"), running ("zhizuo_kaishi"),
// stopped or finished ("zhizuo_tingzhi"). Every waiting loop of a run ends once it is Stopped.
enum class RunState { Preparing, Running, Stopped };
QString to_text(RunState state);

// An on/off switch of the run ("kai" / "guan").
enum class Switch { Off, On };
inline QString to_text(Switch value) { return value == Switch::On ? QStringLiteral("kai") : QStringLiteral("guan"); }

// A row of the templates-needed list: a used template whose photos are all matched.
struct NeededTemplate {
    UsedTemplate used;   // the used template's columns
    int hanghao = 0;     // "行号": its row in the used-template list
};

// The state of one production run (and of a preview that plays the same frames). Plain data,
// owned by the run; one thread.
struct ProductionState {
    int zhizuo_zongzhen_sum = 0;          // frames the album will have
    int zhizuo_zhenshu_leijia_sum = 0;    // frames made so far (the next frame's number)
    int moban_hanghao_leijia = 0;         // position in duiying_keyong_hanghao of the movie shown;
                                          // one past the end while the closing movie shows
    int dangemoban_leijiazhen_num = -1;   // last frame taken from the current movie
    Switch moban_jietu_kaiguan = Switch::On;  // Off once the closing movie ended: the last frame repeats
    int yinyue_hanghao_leijia = 0;        // row of the song playing in xuyao_yinyue_shuliang
    Switch Lrc_geci_kaiguan = Switch::Off;  // On while a song plays
    qint64 shijian_zhen_lrc = 0;          // frames played of the current song
    QString shijian_lrc = QStringLiteral("00:00");  // song clock mm:ss
    QString huamiantexiao_shijian = QStringLiteral("0");  // album clock hh:mm:ss for effects
    QString wenzitexiao_shijian = QStringLiteral("0");
    RunState tuichu = RunState::Preparing;
    QSize Falsh_size;                     // render size of movies and frames
    QSize Zhaopian_size;                  // size of slot and background pictures
    SyncMode sync_mode = SyncMode::Template;

    std::vector<NeededTemplate> xuyao_shiyongmoban_shuliang;  // templates needed
    std::vector<int> duiying_keyong_hanghao;                  // usable rows of the above, in play order
    std::vector<SongScheduleRow> xuyao_yinyue_shuliang;       // songs needed, one row per play
    // For each template folder made (folder K = index + 1), the templates-needed row it shows.
    std::vector<int> yijing_wancheng_shiyongmoban_hanghao;
};

// The folder number (from 1) of the template at play position `position`; 0 when none.
int template_folder_at(const ProductionState& state, int position);
// The used-template row shown at play position `position`; -1 when none.
int used_row_at(const ProductionState& state, int position);

} // namespace velmora
