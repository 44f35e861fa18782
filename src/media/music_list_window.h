#pragma once

#include <functional>
#include <QTreeWidget>

#include "core/app_state.h"
#include "core/framed_window.h"
#include "media/details_panel_view.h"
#include "core/ui.h"
#include "media/music_list.h"
#include "templates/progress_window.h"

namespace velmora {

// "添加音乐" (TForm4): the album's songs with their lengths, a details panel and the commands
// to add, delete and preview them. The MusicList holds every rule; this window shows it.
class MusicListWindow : public FramedWindow {
    Q_OBJECT
public:
    MusicListWindow(MusicList& songs, AppState& state, Ui& ui, ProgressWindow& progress, QString program_folder,
                    const WindowSkin& skin, QWidget* parent = nullptr);

    // Opens the song preview ("音乐预览"); unset: the preview is not available.
    std::function<void()> on_preview;
    // Measures the songs being added; FFmpeg by default.
    SongLengthProbe probe = ffmpeg_song_length();

    // Shows the list as it stands and empties the details panel.
    void refresh();
    // Measures and appends `files` as "添加音乐" does with the files chosen in its dialog.
    void add_files(const QStringList& files);
    QTreeWidget* list() const { return list_; }
    QString detail(int field) const { return details_.text(field); }

private:
    void add_songs();
    void delete_selected();
    void delete_all();
    void preview();
    void show_details();
    QStringList row_cells(int row) const;

    MusicList& songs_;
    AppState& state_;
    Ui& ui_;
    ProgressWindow& progress_;
    QString program_folder_;
    QTreeWidget* list_;
    DetailsPanel details_;
};

} // namespace velmora
