#pragma once

#include <QComboBox>
#include <QLabel>

#include "core/framed_window.h"
#include "media/music_preview.h"

namespace velmora {

// "音乐歌词预览" (TForm15): plays a song of the music list and shows the chosen lyric file's
// lines on a black 679 x 390 panel as the album draws them. MusicPreview holds every rule;
// this window shows its state and passes the choices on.
class MusicPreviewWindow : public FramedWindow {
    Q_OBJECT
public:
    MusicPreviewWindow(const MusicList& songs, const LyricList& lyrics, TimedLyricTable& lyric_table,
                       ScriptConversion& scripts, SongPlayer& player, AppState& state, Ui& ui,
                       const WindowSkin& skin, QWidget* parent = nullptr);

    // Opens the preview in `mode` and shows it modally; with no songs it only says so.
    void open(PreviewMode mode);

    MusicPreview& preview() { return preview_; }
    QComboBox* song_selector() const { return songs_box_; }
    QComboBox* lyric_selector() const { return lyrics_box_; }
    QLabel* current_time_label() const { return current_time_; }
    QLabel* total_time_label() const { return total_time_; }
    QWidget* panel() const { return panel_; }

    // Every way of closing stops the song first.
    void done(int result) override;

private:
    void fill_selectors();
    void show_state();

    MusicPreview preview_;
    QComboBox* songs_box_;
    QComboBox* lyrics_box_;
    QLabel* current_time_;
    QLabel* total_time_;
    QWidget* panel_;
};

} // namespace velmora
