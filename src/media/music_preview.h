#pragma once

#include <functional>
#include <optional>
#include <QSize>
#include <QStringList>
#include <QTimer>

#include "core/app_state.h"
#include "core/ui.h"
#include "media/lrc_lyrics.h"
#include "media/lyric_list.h"
#include "media/lyric_style.h"
#include "media/music_list.h"
#include "media/script_conversion.h"
#include "media/song_player.h"

namespace velmora {

// How the preview was opened: from the songs ("bofangyingyue") or from the lyrics ("bofanggeci").
enum class PreviewMode { Song, Lyric };
QString to_text(PreviewMode mode);

// The music-and-lyrics preview: plays one song of the music list through the program's song
// player and shows the lines of the chosen lyric file in time, placed on the 679 x 390 lyric
// canvas exactly as the album places them. The window shows this state and forwards choices.
class MusicPreview {
public:
    static constexpr QSize kPanelSize{LyricSettingsRow::kCanvasWidth, LyricSettingsRow::kCanvasHeight};
    // Lines are timed to whole seconds, so a few ticks a second would do; this keeps the clock
    // label turning over promptly.
    static constexpr int kClockIntervalMs = 20;

    MusicPreview(const MusicList& songs, const LyricList& lyrics, TimedLyricTable& lyric_table,
                 ScriptConversion& scripts, SongPlayer& player, AppState& state, Ui& ui);

    // Prepares a fresh opening in `mode`: nothing chosen, both clocks "00:00", no line. With no
    // songs it says "没有添加音乐文件！" and returns false: the window does not open.
    bool open(PreviewMode mode);

    // What the selectors list, in list order.
    QStringList song_names() const;
    QStringList lyric_names() const;

    // A song chosen in the selector: opened (not played) to show its total time. -1 clears.
    void choose_song(int row);
    // A lyric file chosen: it becomes the lyric position and is loaded into the lyric table.
    void choose_lyric(int row);

    // "播放音乐": plays the chosen song from its start and starts the clock. Returns whether
    // it plays.
    bool play();
    // "停止播放", also the end of the song and closing the window.
    void stop();
    // One clock step: current time from the player, the line for that second, the song's end.
    void tick();

    bool playing() const { return playing_; }
    int chosen_song() const { return chosen_song_; }
    int chosen_lyric() const { return chosen_lyric_; }
    QString current_time() const { return current_time_; }
    QString total_time() const { return total_time_; }
    // The line on the panel; its text is empty when none shows.
    const LyricLine& line() const { return line_; }
    const QTimer& clock() const { return clock_; }

    // Called after every change of the shown state (times, line, playing).
    std::function<void()> on_changed;

private:
    bool open_song(int row);
    void stop_player();
    void show_lyric(const TimedLyricRow& row);
    const LyricSettingsRow& lyric_settings() const;
    void changed();

    const MusicList& songs_;
    const LyricList& lyrics_;
    TimedLyricTable& lyric_table_;
    ScriptConversion& scripts_;
    SongPlayer& player_;
    AppState& state_;
    Ui& ui_;
    QTimer clock_;

    int chosen_song_ = -1;
    int chosen_lyric_ = -1;
    bool playing_ = false;
    QString current_time_ = QStringLiteral("00:00");
    QString total_time_ = QStringLiteral("00:00");
    LyricLine line_;
    LyricSettingsRow default_settings_;       // for a lyric position the list no longer has
    std::optional<TimedLyricRow> shown_row_;  // the table row the line was made from
    bool conversion_failed_ = false;          // told once per play
};

} // namespace velmora
