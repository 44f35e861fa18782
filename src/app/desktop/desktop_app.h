#pragma once

#include <functional>
#include <memory>
#include <QObject>
#include <QTimer>
#include <QTranslator>

#include "app/desktop/desktop_ui.h"
#include "app/desktop/window_set.h"
#include "core/app_state.h"
#include "core/data_root.h"
#include "core/system_settings.h"
#include "core/window_skin.h"
#include "effects/album_effects.h"
#include "effects/effect_layer.h"
#include "media/lrc_lyrics.h"
#include "media/lyric_list.h"
#include "media/media_player.h"
#include "media/script_conversion.h"
#include "preview/template_picture_cache.h"
#include "preview/template_player.h"
#include "preview/template_player_view.h"
#include "production/album_lyrics.h"
#include "production/format_command.h"
#include "production/output_settings.h"
#include "templates/album.h"
#include "templates/photo_list.h"
#include "templates/template_assignment.h"
#include "templates/template_catalogue.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// The desktop program: creates every window, runs the start-up (splash, work folder, catalogue,
// main window with the start-up movie), carries out the main window's commands and the exit.
class DesktopApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        int splash_ms = 1000;                 // how long the splash shows before loading starts
        std::function<void(int code)> finish; // ends the program; the code is the exit status
    };

    DesktopApp(DataRoot root, Options options);
    ~DesktopApp() override;

    // Puts Qt's standard dialogs into Chinese, shows the splash window and starts the splash
    // timer.
    void start();

    AppState& state() { return state_; }
    SystemSettings& settings() { return settings_; }
    WindowSet& windows() { return windows_; }
    const TemplateCatalogue& catalogue() const { return catalogue_; }
    Album& album() { return album_; }
    MusicList& songs() { return songs_; }
    LyricList& lyrics() { return lyrics_; }
    ScriptConversion& scripts() { return scripts_; }
    SongPlayer& player() { return player_; }
    OutputSettings& output_settings() { return output_; }
    AssignmentState& assignment() { return assignment_; }
    AlbumEffects& effects() { return effects_; }
    // The start-up movie's player while it plays; null once released.
    TemplatePlayer* startup_player() const { return startup_player_.get(); }

    void run_command(MainCommand command);
    // Files and folders dropped on the main window: photos are added as "添加照片" adds the
    // files chosen in its dialog, songs as "添加音乐", lyric files as "添加歌词"; other files
    // are named in one message. Refused while the preview plays.
    void add_dropped(const QStringList& paths);
    // A window that must close before the main window acts asks for template management this way.
    void defer_template_management();

signals:
    void main_window_ready();

private:
    void load();
    void prepare_main_window();
    void start_startup_movie();
    void release_startup_movie();
    void fail(const QString& reason);

    void add_photos();
    PhotoListWindowHooks photo_hooks();
    TemplateManagerHooks manager_hooks();
    AssignmentServices assignment_services();
    void place_automatic_effects(Album& album);
    bool add_photos_by_combination();
    void refresh_summary_lists();
    void add_music();
    void add_lyrics();
    void refresh_lyrics_summary();
    void make_album(mcl::AlbumType type);
    FormatCommandHooks format_hooks();
    void template_management();
    void open_form(const char* form_name);
    void open_settings();
    void open_introduction();
    void stop_preview();
    void exit_program();
    void change_window_mode(WindowMode mode);
    void toggle_window_size();
    void toggle_full_screen();
    void toggle_preview();
    void after_adding_photos();
    void refresh_times();

    DataRoot root_;
    Options options_;
    QTranslator qt_texts_;   // Qt's own dialogs in Chinese, installed by start()
    AppState state_;
    SystemSettings settings_;
    OutputSettings output_;
    WindowSkin skin_;
    DesktopUi ui_;
    TemplateCatalogue catalogue_;
    Album album_;
    MusicList songs_;
    LyricList lyrics_;
    ScriptConversion scripts_;
    TimedLyricTable lyric_table_;
    MediaPlayer player_;
    AlbumLyrics album_lyrics_{lyrics_, lyric_table_, scripts_};
    AlbumEffects effects_{album_, catalogue_};
    EffectLayer effect_layer_{root_, effects_.picture, effects_.text.table()};
    // Effects below the lyric line.
    LayerStack album_layers_{{&effect_layer_, &album_lyrics_}};
    AssignmentState assignment_;
    ThumbnailService thumbnails_;
    RandomPick random_;
    PhotoList photos_;
    TemplatePictureCache template_pictures_;
    WindowSet windows_;
    FormatCommand format_command_;
    std::unique_ptr<TemplatePlayer> startup_player_;
    TemplatePlayerView* startup_view_ = nullptr;
    QTimer splash_timer_;      // Timer1
    QTimer loading_timer_;     // Timer_jiazai
    QTimer deferred_timer_;    // Timer_zidongkongzhi
    bool finished_ = false;
};

} // namespace velmora
