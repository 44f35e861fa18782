#include "media/music_preview.h"

#include <QFileInfo>

#include "core/clock.h"
#include "core/data_error.h"

namespace velmora {
namespace {

// The panel's line colour while it shows nothing.
const QString kIdleLineColour = QStringLiteral("3618615");

LyricLine empty_line() {
    LyricLine line;
    line.colour = colour_from_value(kIdleLineColour);
    return line;
}

bool same_row(const TimedLyricRow& a, const TimedLyricRow& b) { return a.time == b.time && a.text == b.text; }

} // namespace

QString to_text(PreviewMode mode) {
    return mode == PreviewMode::Lyric ? QStringLiteral("bofanggeci") : QStringLiteral("bofangyingyue");
}

MusicPreview::MusicPreview(const MusicList& songs, const LyricList& lyrics, TimedLyricTable& lyric_table,
                           ScriptConversion& scripts, SongPlayer& player, AppState& state, Ui& ui)
    : songs_(songs), lyrics_(lyrics), lyric_table_(lyric_table), scripts_(scripts), player_(player), state_(state),
      ui_(ui), line_(empty_line()) {
    clock_.setInterval(kClockIntervalMs);
    clock_.callOnTimeout([this] { tick(); });
}

bool MusicPreview::open(PreviewMode mode) {
    state_.yinyue_geci_kaiguan = to_text(mode);
    if (songs_.empty()) {
        ui_.show_message(QStringLiteral("没有添加音乐文件！"));
        return false;
    }
    if (playing_)
        stop();
    chosen_song_ = -1;
    chosen_lyric_ = -1;
    current_time_ = QStringLiteral("00:00");
    total_time_ = QStringLiteral("00:00");
    line_ = empty_line();
    shown_row_.reset();
    changed();
    return true;
}

QStringList MusicPreview::song_names() const {
    QStringList names;
    for (const MusicEntry& song : songs_.songs())
        names << song.name;
    return names;
}

QStringList MusicPreview::lyric_names() const {
    QStringList names;
    for (const LyricEntry& lyric : lyrics_.entries())
        names << lyric.name;
    return names;
}

void MusicPreview::choose_song(int row) {
    if (playing_)
        return;
    chosen_song_ = row >= 0 && row < songs_.size() ? row : -1;
    total_time_ = QStringLiteral("00:00");
    if (chosen_song_ >= 0 && open_song(chosen_song_)) {
        player_.stop();
        total_time_ = seconds_to_song_clock(player_.length_ms() / 1000);
    }
    changed();
}

void MusicPreview::choose_lyric(int row) {
    if (playing_)
        return;
    if (row < 0 || row >= lyrics_.size()) {
        chosen_lyric_ = -1;
        changed();
        return;
    }
    chosen_lyric_ = row;
    state_.shijian_lrc_num = QString::number(row);
    shown_row_.reset();
    const LyricEntry& lyric = lyrics_.entries()[std::size_t(row)];
    try {
        lyric_table_.load_lyrics(lyric.location);
        if (lyric_table_.lines_cut() > 0)
            ui_.show_message(QStringLiteral("歌词文件 %1 中有 %2 行超过 %3 个字，超出的部分不显示。")
                                 .arg(QFileInfo(lyric.location).fileName()).arg(lyric_table_.lines_cut()).arg(kMaxLyricLineLength));
    } catch (const DataError& error) {
        // The table is left empty, so no stale lines of another file show.
        ui_.show_message(QStringLiteral("无法读取歌词文件 %1。\n%2").arg(QFileInfo(lyric.location).fileName(),
                                                                          error.message()));
    }
    changed();
}

bool MusicPreview::play() {
    if (playing_)
        return true;
    const bool lyric_mode = state_.yinyue_geci_kaiguan == to_text(PreviewMode::Lyric);
    if (lyric_mode && chosen_lyric_ < 0) {
        ui_.show_message(QStringLiteral("没有选择歌词文件！"));
        return false;
    }
    if (chosen_song_ < 0) {
        ui_.show_message(QStringLiteral("没有选择音乐文件！"));
        return false;
    }
    if (!open_song(chosen_song_)) {
        total_time_ = QStringLiteral("00:00");
        changed();
        return false;
    }
    player_.play();
    total_time_ = seconds_to_song_clock(player_.length_ms() / 1000);
    playing_ = true;
    conversion_failed_ = false;
    shown_row_.reset();
    clock_.start();
    changed();
    return true;
}

void MusicPreview::tick() {
    if (!playing_)
        return;
    current_time_ = seconds_to_song_clock(player_.position_ms() / 1000);
    if (!lyrics_.empty()) {
        if (const std::optional<TimedLyricRow> row = lyric_table_.find_lyric(current_time_))
            show_lyric(*row);
    }
    if (player_.mode() == PlayerMode::Stopped) {
        stop();
        return;
    }
    changed();
}

void MusicPreview::stop() {
    clock_.stop();
    playing_ = false;
    line_ = empty_line();
    shown_row_.reset();
    current_time_ = QStringLiteral("00:00");
    stop_player();
    player_.close();
    changed();
}

bool MusicPreview::open_song(int row) {
    const MusicEntry& song = songs_.songs()[std::size_t(row)];
    stop_player();
    player_.set_file(song.location);
    try {
        player_.open();
        return true;
    } catch (const DataError& error) {
        player_.close();
        ui_.show_message(QStringLiteral("无法打开音乐文件 %1。\n%2").arg(QFileInfo(song.location).fileName(),
                                                                          error.message()));
        return false;
    }
}

void MusicPreview::stop_player() {
    if (player_.has_file())
        player_.stop();
}

// The line stays as it is for the rest of its second; it is placed again only for a new row.
void MusicPreview::show_lyric(const TimedLyricRow& row) {
    if (shown_row_ && same_row(*shown_row_, row))
        return;
    shown_row_ = row;
    const LyricSettingsRow& settings = lyric_settings();
    try {
        line_ = apply_lyric_style(settings, kPanelSize, row.text, scripts_);
    } catch (const DataError& error) {
        // Without the script tables the line still shows, as written in the file.
        line_ = place_lyric_line(settings, kPanelSize, row.text);
        if (!conversion_failed_) {
            conversion_failed_ = true;
            ui_.show_message(QStringLiteral("无法转换歌词的简体繁体。\n%1").arg(error.message()));
        }
    }
}

// The settings row of the lyric position; a position the list no longer has (files deleted
// since) draws with the defaults instead of failing.
const LyricSettingsRow& MusicPreview::lyric_settings() const {
    bool ok = false;
    const int row = state_.shijian_lrc_num.toInt(&ok);
    if (ok && row >= 0 && row < lyrics_.size())
        return lyrics_.settings()[std::size_t(row)];
    return default_settings_;
}

void MusicPreview::changed() {
    if (on_changed)
        on_changed();
}

} // namespace velmora
