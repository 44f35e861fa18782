#include "app/desktop/window_set.h"

#include "core/placeholder_window.h"

namespace velmora {

template <typename W, typename... Args>
W* WindowSet::create(Args&&... args) {
    auto window = std::make_unique<W>(std::forward<Args>(args)...);
    W* raw = window.get();
    windows_.push_back(std::move(window));
    return raw;
}

WindowSet::WindowSet(const WindowSkin& skin, AlbumWindowServices services) {
    const auto placeholder = [&](const char* form, const char* caption) {
        create<PlaceholderWindow>(QString::fromLatin1(form), QString::fromUtf8(caption), skin);
    };
    // The photo window runs its jobs in the progress window, which the table lists later: it is
    // made first and takes its place in the order below.
    auto progress = std::make_unique<ProgressWindow>(skin);
    progress_ = progress.get();
    splash_ = create<SplashWindow>();
    main_ = create<MainWindow>(skin);
    photo_list_ = create<PhotoListWindow>(services.photos, services.settings, services.thumbnails, *progress_, skin,
                                          services.photo_hooks);
    music_list_ = create<MusicListWindow>(services.songs, services.state, services.ui, *progress_,
                                          services.program_folder, skin);
    lyric_list_ = create<LyricListWindow>(services.lyrics, services.state, services.ui, *progress_,
                                          services.program_folder, skin);
    picture_quality_ = create<PictureQualityWindow>(services.output, services.state, services.ui, skin);
    synchronisation_ = create<SynchronisationWindow>(services.output, services.state, services.ui, skin);
    PhotoList& photos = services.photos;
    template_manager_ = create<TemplateManagerWindow>(
        TemplateManagementServices{photos.album(), services.catalogue, services.settings, services.ui, services.root,
                                   services.state, photos.pool(), photos.random(), &photos.effects()},
        services.thumbnails, skin, services.manager_hooks, services.template_pictures);
    crop_ = create<CropWindow>(services.photos.album(), services.ui, services.thumbnails, skin);
    placeholder("TForm12", "配置文件");
    windows_.push_back(std::move(progress));
    message_box_ = create<MessageBoxWindow>(skin);
    placeholder("TMainForm", "缩略图");
    music_preview_ = create<MusicPreviewWindow>(services.songs, services.lyrics, services.lyric_table,
                                                services.scripts, services.player, services.state, services.ui,
                                                skin);
    exit_ = create<ExitWindow>(skin);
    confirm_ = create<ConfirmWindow>(skin);
    settings_ = create<SettingsWindow>(services.settings, skin);
    placeholder("TForm19", "预览模板");
    placeholder("TForm20", "预览此张照片所使用的模板效果");
    backgrounds_ = create<BackgroundPicturesWindow>(services.photos.album(), services.state, services.ui,
                                                   services.thumbnails, services.root, skin);
    insert_video_ = create<InsertVideoWindow>(skin);
    lyric_settings_ = create<LyricSettingsWindow>(services.lyrics, services.scripts, services.ui, skin);
    lyric_list_->on_settings = [this](int row) { lyric_settings_->open_row(row); };
    album_type_ = create<AlbumTypeWindow>(services.output, services.ui, skin);
    making_ = create<MakingWindow>(MakingSources{services.root, services.photos.album(), services.catalogue,
                                                 services.songs, services.output, services.thumbnails},
                                   services.state, services.ui, skin, nullptr, &services.album_layers);
    placeholder("TForm32", "画面特效");
    placeholder("TForm33", "文字特效");
    placeholder("TForm34", "文字特效自动加入模板中");
    placeholder("TForm35", "自动添加画面特效");
    placeholder("TForm36", "选择删除特效");
    placeholder("TForm37", "选择删除特效");
    template_options_ = create<TemplateOptionsWindow>(services.assignment, services.ui, skin);
    photo_files_ = create<PhotoFilesWindow>(services.photos, *photo_list_, services.thumbnails, *progress_, skin,
                                            PhotoFilesWindowHooks{});
    about_ = create<AboutWindow>(skin);   // "软件简介", after the program's own set
    connect_music_preview();
}

// The preview opens in song mode from the music window and the main window's song list, in
// lyric mode from the lyric window and the main window's lyric list.
void WindowSet::connect_music_preview() {
    MusicPreviewWindow* preview = music_preview_;
    music_list_->on_preview = [preview] { preview->open(PreviewMode::Song); };
    lyric_list_->on_preview = [preview] { preview->open(PreviewMode::Lyric); };
    QObject::connect(main_->songs_list(), &QTreeWidget::itemDoubleClicked, preview,
                     [preview] { preview->open(PreviewMode::Song); });
    QObject::connect(main_->lyrics_list(), &QTreeWidget::itemDoubleClicked, preview,
                     [preview] { preview->open(PreviewMode::Lyric); });
}

WindowSet::~WindowSet() {
    // Later windows may refer to earlier ones: release in reverse order of creation.
    while (!windows_.empty())
        windows_.pop_back();
}

QWidget* WindowSet::form(const QString& form_name) const {
    for (const auto& w : windows_)
        if (w->objectName() == form_name)
            return w.get();
    return nullptr;
}

QStringList WindowSet::creation_order() const {
    QStringList names;
    for (const auto& w : windows_)
        names.append(w->objectName());
    return names;
}

} // namespace velmora
