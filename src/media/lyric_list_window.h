#pragma once

#include <functional>
#include <vector>
#include <QTreeWidget>

#include "core/app_state.h"
#include "core/framed_window.h"
#include "media/details_panel_view.h"
#include "core/ui.h"
#include "media/lyric_list.h"
#include "templates/progress_window.h"

namespace velmora {

// "添加歌词" (TForm5): the album's lyric files, a details panel and the commands to add,
// delete, preview and set them up. The LyricList holds every rule; this window shows it.
class LyricListWindow : public FramedWindow {
    Q_OBJECT
public:
    LyricListWindow(LyricList& lyrics, AppState& state, Ui& ui, ProgressWindow& progress, QString program_folder,
                    const WindowSkin& skin, QWidget* parent = nullptr);

    // Opens the music-and-lyrics preview for lyrics ("歌词预览"); unset: not available.
    std::function<void()> on_preview;
    // Opens the display settings of lyric row `row` ("设置歌词"); unset: not available.
    std::function<void(int row)> on_settings;

    // Shows the list as it stands and empties the details panel.
    void refresh();
    // Reads and appends `files` as "添加歌词" does with the files chosen in its dialog.
    void add_files(const QStringList& files);
    QTreeWidget* list() const { return list_; }
    QString detail(int field) const { return details_.text(field); }

private:
    void add_lyrics();
    void delete_selected();
    void delete_all();
    void preview();
    void open_settings();
    void show_details();
    QStringList row_cells(int row) const;

    LyricList& lyrics_;
    AppState& state_;
    Ui& ui_;
    ProgressWindow& progress_;
    QString program_folder_;
    QTreeWidget* list_;
    DetailsPanel details_;
};

} // namespace velmora
