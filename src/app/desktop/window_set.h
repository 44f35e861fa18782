#pragma once

#include <memory>
#include <vector>
#include <QWidget>

#include "core/about_window.h"
#include "core/confirm_window.h"
#include "core/exit_window.h"
#include "core/main_window.h"
#include "core/message_box_window.h"
#include "core/settings_window.h"
#include "core/splash_window.h"
#include "media/lyric_list_window.h"
#include "media/lyric_settings_window.h"
#include "media/music_list_window.h"
#include "media/music_preview_window.h"
#include "preview/background_pictures_window.h"
#include "production/album_type_window.h"
#include "production/insert_video_window.h"
#include "production/making_window.h"
#include "production/picture_quality_window.h"
#include "production/synchronisation_window.h"
#include "templates/crop_window.h"
#include "templates/photo_files_window.h"
#include "templates/template_manager_window.h"
#include "templates/photo_list_window.h"
#include "templates/progress_window.h"
#include "templates/template_options_window.h"

namespace velmora {

// What the album windows edit and start; owned by the desktop program.
struct AlbumWindowServices {
    AppState& state;
    OutputSettings& output;
    const DataRoot& root;
    SystemSettings& settings;
    MusicList& songs;
    LyricList& lyrics;
    ScriptConversion& scripts;
    TimedLyricTable& lyric_table;   // the program's one timed-lyric table
    SongPlayer& player;             // the program's media player
    FrameLayers& album_layers;      // what made albums draw over their frames
    QString program_folder;
    PhotoList& photos;
    AssignmentState& assignment;
    const ThumbnailService& thumbnails;
    Ui& ui;
    const TemplateCatalogue& catalogue;
    PhotoListWindowHooks photo_hooks;
    TemplateManagerHooks manager_hooks;
    TemplatePictureCache* template_pictures = nullptr;   // the template lists' pictures
};

// Every window of the program, created once at start in a fixed order and kept until exit.
class WindowSet {
public:
    WindowSet(const WindowSkin& skin, AlbumWindowServices services);
    ~WindowSet();

    SplashWindow& splash() const { return *splash_; }
    MainWindow& main() const { return *main_; }
    PhotoListWindow& photo_list() const { return *photo_list_; }
    MusicListWindow& music_list() const { return *music_list_; }
    LyricListWindow& lyric_list() const { return *lyric_list_; }
    LyricSettingsWindow& lyric_settings() const { return *lyric_settings_; }
    MusicPreviewWindow& music_preview() const { return *music_preview_; }
    CropWindow& crop() const { return *crop_; }
    TemplateManagerWindow& template_manager() const { return *template_manager_; }
    PictureQualityWindow& picture_quality() const { return *picture_quality_; }
    SynchronisationWindow& synchronisation() const { return *synchronisation_; }
    BackgroundPicturesWindow& backgrounds() const { return *backgrounds_; }
    InsertVideoWindow& insert_video() const { return *insert_video_; }
    AlbumTypeWindow& album_type() const { return *album_type_; }
    MakingWindow& making() const { return *making_; }
    ProgressWindow& progress() const { return *progress_; }
    MessageBoxWindow& message_box() const { return *message_box_; }
    ConfirmWindow& confirm() const { return *confirm_; }
    ExitWindow& exit() const { return *exit_; }
    SettingsWindow& settings() const { return *settings_; }
    TemplateOptionsWindow& template_options() const { return *template_options_; }
    PhotoFilesWindow& photo_files() const { return *photo_files_; }
    AboutWindow& about() const { return *about_; }
    // A window by its form name ("TForm3"); null when there is none.
    QWidget* form(const QString& form_name) const;
    // Form names in creation order.
    QStringList creation_order() const;

private:
    template <typename W, typename... Args>
    W* create(Args&&... args);
    void connect_music_preview();

    std::vector<std::unique_ptr<QWidget>> windows_;
    SplashWindow* splash_ = nullptr;
    MainWindow* main_ = nullptr;
    PhotoListWindow* photo_list_ = nullptr;
    MusicListWindow* music_list_ = nullptr;
    LyricListWindow* lyric_list_ = nullptr;
    LyricSettingsWindow* lyric_settings_ = nullptr;
    MusicPreviewWindow* music_preview_ = nullptr;
    CropWindow* crop_ = nullptr;
    TemplateManagerWindow* template_manager_ = nullptr;
    PictureQualityWindow* picture_quality_ = nullptr;
    SynchronisationWindow* synchronisation_ = nullptr;
    BackgroundPicturesWindow* backgrounds_ = nullptr;
    InsertVideoWindow* insert_video_ = nullptr;
    AlbumTypeWindow* album_type_ = nullptr;
    MakingWindow* making_ = nullptr;
    ProgressWindow* progress_ = nullptr;
    MessageBoxWindow* message_box_ = nullptr;
    ConfirmWindow* confirm_ = nullptr;
    ExitWindow* exit_ = nullptr;
    SettingsWindow* settings_ = nullptr;
    TemplateOptionsWindow* template_options_ = nullptr;
    PhotoFilesWindow* photo_files_ = nullptr;
    AboutWindow* about_ = nullptr;
};

} // namespace velmora
