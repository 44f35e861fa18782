#include "app/desktop/desktop_app.h"

#include <cstdio>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

#include "app/desktop/qt_translations.h"
#include "core/cleanup.h"
#include "core/data_error.h"
#include "core/dropped_files.h"
#include "core/preview_guard.h"
#include "core/startup_abort.h"
#include "core/startup_movie.h"
#include "core/total_time.h"
#include "core/window_style.h"
#include "effects/picture_combinations.h"
#include "templates/template_combination.h"

namespace velmora {
namespace {

void pump() { QCoreApplication::processEvents(); }

} // namespace

DesktopApp::DesktopApp(DataRoot root, Options options)
    : root_(std::move(root)), options_(std::move(options)), skin_(WindowSkin::paint()),
      random_(seeded_random_pick(std::uint32_t(QDateTime::currentMSecsSinceEpoch()))),
      photos_(album_, state_, ui_, random_, effects_.text),
      // Its folder lies in the work folder, which start-up and exit clear.
      template_pictures_(root_, catalogue_, root_.work_dir() + QStringLiteral("/template_pictures")),
      windows_(skin_, {state_, output_, root_, settings_, songs_, lyrics_, scripts_, lyric_table_, player_,
                       album_layers_, root_.program_folder(), photos_, assignment_, thumbnails_, ui_, catalogue_,
                       photo_hooks(), manager_hooks(), &template_pictures_}),
      format_command_(output_, state_, album_, ui_, format_hooks()) {
    ui_.attach(windows_);
    ui_.set_progress_bar(windows_.progress().bar());
    for (QTimer* timer : {&splash_timer_, &loading_timer_, &deferred_timer_})
        timer->setSingleShot(true);
    splash_timer_.setInterval(options_.splash_ms);
    loading_timer_.setInterval(1);
    deferred_timer_.setInterval(1);
    connect(&splash_timer_, &QTimer::timeout, &loading_timer_, qOverload<>(&QTimer::start));
    connect(&loading_timer_, &QTimer::timeout, this, &DesktopApp::load);
    connect(&deferred_timer_, &QTimer::timeout, this, [this] {
        if (state_.zidongkongzhi == QLatin1String(kOpenTemplateManagement))
            run_command(MainCommand::TemplateManagement);
    });
    MainWindow& main = windows_.main();
    connect(&main, &MainWindow::command_requested, this, &DesktopApp::run_command);
    connect(&main, &MainWindow::first_shown, this, &DesktopApp::prepare_main_window);
    connect(&main, &FramedWindow::title_double_clicked, this, &DesktopApp::toggle_window_size);
    connect(&main, &MainWindow::full_screen_toggle_requested, this, &DesktopApp::toggle_full_screen);
    connect(&main, &MainWindow::play_toggle_requested, this, &DesktopApp::toggle_preview);
    connect(&main, &MainWindow::files_dropped, this, &DesktopApp::add_dropped);
    windows_.exit().on_confirmed = [this](ExitWindow& box) {
        QProgressBar* bar = box.progress();
        exit_cleanup(root_, {[bar](int maximum) { bar->setRange(0, maximum); bar->setValue(0); },
                             [bar] { bar->setValue(qMin(bar->value() + 1, bar->maximum())); pump(); }});
        release_startup_movie();
        if (options_.finish)
            options_.finish(0);
    };
}

DesktopApp::~DesktopApp() = default;

void DesktopApp::start() {
    if (!install_qt_chinese(qt_texts_))
        std::fprintf(stderr, "velmora: Qt's Chinese translations (qtbase_zh_CN) are not installed; "
                             "its dialogs stay in English\n");
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        app->setStyleSheet(application_style_sheet());
    windows_.splash().show();
    splash_timer_.start();
}

void DesktopApp::fail(const QString& reason) {
    if (finished_)
        return;
    finished_ = true;
    std::fprintf(stderr, "velmora: %s\n", reason.toUtf8().constData());
    release_startup_movie();
    if (options_.finish)
        options_.finish(1);
}

void DesktopApp::load() {
    QProgressBar* bar = windows_.splash().progress();
    try {
        if (!remove_work_dir(root_, pump))
            throw StartupAbort(QStringLiteral("cannot clear the work folder %1").arg(root_.work_dir()));
        load_template_catalogue(
            root_, catalogue_, [bar](int count) { bar->setRange(0, qMax(1, count)); bar->setValue(0); },
            [bar] { pump(); bar->setValue(bar->value() + 1); }, pump);
    } catch (const StartupAbort& e) {
        return fail(e.reason());
    } catch (const DataError& e) {
        return fail(e.message());
    }
    windows_.template_manager().fill_catalogue();
    windows_.splash().hide();
    windows_.main().show();
    if (!catalogue_.left_out.empty())
        ui_.show_message(left_out_message(catalogue_.left_out));
}

void DesktopApp::prepare_main_window() {
    MainWindow& main = windows_.main();
    main.clear_lyric_lines();
    main.resize(MainWindow::kDefaultSize);
    state_.chuangkou_moshi = WindowMode::Default;
    state_.fanye_shouci = FirstPageLoad::Pending;
    main.clear_thumbnail_names();
    start_startup_movie();
    if (finished_)
        return;
    delete_tree(root_.preview_workspace());
    delete_tree(root_.stray_folder());
    change_window_mode(WindowMode::Default);
    emit main_window_ready();
}

void DesktopApp::start_startup_movie() {
    QString movie;
    try {
        movie = unpack_startup_movie(root_);
    } catch (const StartupAbort& e) {
        return fail(e.reason());
    } catch (const DataError& e) {
        return fail(e.message());
    }
    delete_transient_files(root_);
    QWidget* area = windows_.main().startup_area();
    startup_player_ = std::make_unique<TemplatePlayer>(QStringLiteral("ShockwaveFlash_2"), area->size());
    try {
        startup_player_->load(movie);
    } catch (const DataError& e) {
        return fail(e.message());
    }
    startup_player_->set_frame_num(startup_player_->total_frames());
    startup_player_->set_frame_num(0);
    startup_player_->play();
    if (startup_player_->get_variable(QLatin1String(kStartupMarker)) != QLatin1String(kStartupMarkerAnswer))
        return fail(QStringLiteral("the start-up movie does not answer its marker"));
    QFile::remove(movie);
    startup_view_ = new TemplatePlayerView(area);
    startup_view_->setObjectName(QStringLiteral("ShockwaveFlash_2"));
    startup_view_->setGeometry(area->rect());
    startup_view_->set_player(startup_player_.get());
    startup_view_->show();
    area->raise();
}

void DesktopApp::release_startup_movie() {
    if (!startup_player_)
        return;
    startup_player_->stop();
    windows_.main().startup_area()->hide();
    if (startup_view_)
        startup_view_->set_player(nullptr);
    startup_player_.reset();
    state_.ShockwaveFlash_qi_dong_dong_hua = QStringLiteral("1");
}

void DesktopApp::run_command(MainCommand command) {
    if (info(command).guarded && refused_while_previewing(state_, ui_))
        return;
    switch (command) {
    case MainCommand::AddPhotos: return add_photos();
    case MainCommand::AddMusic: return add_music();
    case MainCommand::AddLyrics: return add_lyrics();
    case MainCommand::Synchronisation:
        windows_.synchronisation().open_modal();
        return refresh_times();
    case MainCommand::PictureQuality: return windows_.picture_quality().open_modal();
    case MainCommand::Crop: return windows_.crop().open();
    case MainCommand::TemplateManagement: return template_management();
    case MainCommand::InsertVideo: return windows_.insert_video().open_modal();
    case MainCommand::TextEffects: return open_form("TForm33");
    case MainCommand::PictureEffects: return open_form("TForm32");
    case MainCommand::BackgroundPictures: return windows_.backgrounds().open_modal();
    case MainCommand::MakeVcd: return make_album(mcl::AlbumType::vcd);
    case MainCommand::MakeSvcd: return make_album(mcl::AlbumType::svcd);
    case MainCommand::MakeDvd: return make_album(mcl::AlbumType::dvd);
    case MainCommand::MakeAvi: return make_album(mcl::AlbumType::avi);
    case MainCommand::MakeMov: return make_album(mcl::AlbumType::mov);
    case MainCommand::MakeMp4: return make_album(mcl::AlbumType::mp4);
    case MainCommand::Settings: return open_settings();
    case MainCommand::PreviewAll: return;  // the album preview comes with its own window work
    case MainCommand::StopPreview: return stop_preview();
    case MainCommand::FullScreenWindow: return change_window_mode(WindowMode::FullScreen);
    case MainCommand::EnlargedWindow: return change_window_mode(WindowMode::Enlarged);
    case MainCommand::DefaultWindow: return change_window_mode(WindowMode::Default);
    case MainCommand::Introduction: return open_introduction();
    case MainCommand::Exit: return exit_program();
    }
}

void DesktopApp::add_photos() {
    if (state_.ShockwaveFlash_qi_dong_dong_hua == QLatin1String("0"))
        release_startup_movie();
    windows_.photo_list().refresh();
    windows_.photo_list().exec();
    after_adding_photos();
}

void DesktopApp::after_adding_photos() {
    refresh_summary_lists();
    refresh_times();
    if (!album_.photos.empty())
        state_.hangshu = QStringLiteral("wu");
}

void DesktopApp::add_dropped(const QStringList& paths) {
    if (refused_while_previewing(state_, ui_))
        return;
    const DroppedFiles dropped = sort_dropped_files(paths);
    if (!dropped.photos.isEmpty()) {
        if (state_.ShockwaveFlash_qi_dong_dong_hua == QLatin1String("0"))
            release_startup_movie();
        windows_.photo_list().add_files(dropped.photos);
        after_adding_photos();
    }
    if (!dropped.songs.isEmpty()) {
        windows_.music_list().add_files(dropped.songs);
        refresh_summary_lists();
        refresh_times();
    }
    if (!dropped.lyrics.isEmpty()) {
        windows_.lyric_list().add_files(dropped.lyrics);
        refresh_lyrics_summary();
    }
    if (!dropped.others.isEmpty()) {
        QStringList names;
        for (const QString& path : dropped.others)
            names << QFileInfo(path).fileName();
        ui_.show_message(QStringLiteral("只能添加JPG照片、MP3音乐和LRC歌词文件,以下文件没有添加:\n%1")
                             .arg(names.join(QStringLiteral("、"))));
    }
}

AssignmentServices DesktopApp::assignment_services() {
    return AssignmentServices{catalogue_, settings_, ui_, root_, random_,
                              [this](Album& album) { place_automatic_effects(album); }};
}

// The silent placements the settings ask for once photos were added.
void DesktopApp::place_automatic_effects(Album& album) {
    AutoEffectChoice choice;
    choice.text = settings_.auto_text_effects();
    if (settings_.auto_picture_effects())
        choice.picture = picture_combination_categories().front();
    choice.confirm_emptying_pictures = [this] { return ui_.confirm(QStringLiteral("画面特效"), emptying_pictures_question()); };
    run_automatic_effects(choice, album, effects_, {root_, catalogue_, random_}, state_);
}

PhotoListWindowHooks DesktopApp::photo_hooks() {
    PhotoListWindowHooks hooks;
    // Every photo without a template takes part in the assignment, so the first new row does
    // not narrow it.
    hooks.adding.after_adding = [this] { assign_templates(album_, 0, assignment_, assignment_services()); };
    hooks.set_random_mode = [this] { assignment_.mobanfashi = AssignmentMode::Random; };
    hooks.combination_add = [this] { return add_photos_by_combination(); };
    hooks.auto_fit = [this] { run_fitting_job(album_, assignment_, assignment_services()); };
    hooks.open_photo_files = [this] { windows_.photo_files().open(); };
    return hooks;
}

TemplateManagerHooks DesktopApp::manager_hooks() {
    TemplateManagerHooks hooks;
    hooks.auto_match = [this] { run_fitting_job(album_, assignment_, assignment_services()); };
    return hooks;
}

// With template combinations chosen in the settings: the options window decides the mode; in
// combination mode the photos are checked against the combination's needs and added by it.
bool DesktopApp::add_photos_by_combination() {
    TemplateOptionsWindow& options = windows_.template_options();
    options.set_combinations(combination_list(root_));
    options.exec();
    if (assignment_.mobanfashi != AssignmentMode::Combination)
        return false;
    QStringList landscape;
    QStringList portrait;
    const auto files = combination_check(ui_, assignment_.required_landscape, assignment_.required_portrait, landscape,
                                         portrait);
    if (!files || files->isEmpty())
        return true;
    windows_.progress().run(QStringLiteral("添加照片"), [this, files] {
        add_photos_job(photos_, *files, {[this] { assign_templates(album_, 0, assignment_, assignment_services()); }, {}});
    });
    windows_.photo_list().refresh();
    return true;
}

FormatCommandHooks DesktopApp::format_hooks() {
    FormatCommandHooks hooks;
    hooks.choose_album_type = [this] { windows_.album_type().open_modal(); };
    hooks.make_album = [this](const MakingRequest& request) { windows_.making().make(request); };
    return hooks;
}

void DesktopApp::make_album(mcl::AlbumType type) {
    format_command_.run(type, songs_.size());
}

void DesktopApp::add_music() {
    windows_.music_list().refresh();
    windows_.music_list().exec();
    refresh_summary_lists();
    refresh_times();
}

void DesktopApp::add_lyrics() {
    windows_.lyric_list().refresh();
    windows_.lyric_list().exec();
    refresh_lyrics_summary();
}

void DesktopApp::refresh_lyrics_summary() {
    QTreeWidget* lyrics = windows_.main().lyrics_list();
    lyrics->clear();
    for (std::size_t i = 0; i < lyrics_.entries().size(); ++i) {
        const LyricEntry& entry = lyrics_.entries()[i];
        lyrics->addTopLevelItem(new QTreeWidgetItem({QString::number(i + 1), entry.name, entry.format}));
    }
}

void DesktopApp::refresh_summary_lists() {
    QTreeWidget* templates = windows_.main().used_templates_list();
    templates->clear();
    for (std::size_t i = 0; i < album_.used_templates.size(); ++i) {
        const UsedTemplate& used = album_.used_templates[i];
        templates->addTopLevelItem(new QTreeWidgetItem({QString::number(i + 1), used.template_name, used.duration}));
    }
    QTreeWidget* songs = windows_.main().songs_list();
    songs->clear();
    for (std::size_t i = 0; i < songs_.songs().size(); ++i) {
        const MusicEntry& song = songs_.songs()[i];
        songs->addTopLevelItem(new QTreeWidgetItem({QString::number(i + 1), song.name, song_length_text(song.length_ms)}));
    }
}

void DesktopApp::template_management() {
    if (album_.photos.empty()) {
        ui_.show_message(QStringLiteral("没有添加照片文件！使用模板管理功能,至少添加一张照片文件！"));
        return;
    }
    windows_.template_manager().open();
    refresh_summary_lists();
    refresh_times();
}

void DesktopApp::defer_template_management() {
    state_.zidongkongzhi = QLatin1String(kOpenTemplateManagement);
    deferred_timer_.start();
}

void DesktopApp::open_form(const char* form_name) {
    if (auto* dialog = qobject_cast<QDialog*>(windows_.form(QString::fromLatin1(form_name))))
        dialog->exec();
}

void DesktopApp::open_settings() {
    windows_.settings().refresh();
    windows_.settings().exec();
}

void DesktopApp::open_introduction() {
    windows_.about().exec();
}

void DesktopApp::stop_preview() {
    state_.tuichu = PreviewPlayback::Stopped;
}

void DesktopApp::exit_program() {
    stop_preview();
    windows_.exit().ask(QStringLiteral("退出软件"), QStringLiteral("是否退出软件?"));
}

void DesktopApp::change_window_mode(WindowMode mode) {
    MainWindow& main = windows_.main();
    const QRect screen = main.screen() ? main.screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    QSize size = MainWindow::kDefaultSize;
    if (mode == WindowMode::FullScreen)
        size = screen.size();
    else if (mode == WindowMode::Enlarged)
        size = QSize(screen.width() - screen.width() / 20, screen.height() - screen.height() / 10);
    main.resize(size);
    main.move(mode == WindowMode::FullScreen ? screen.topLeft() : screen.center() - QPoint(size.width() / 2, size.height() / 2));
    state_.chuangkou_moshi = mode;
}

void DesktopApp::toggle_full_screen() {
    run_command(state_.chuangkou_moshi == WindowMode::FullScreen ? MainCommand::DefaultWindow
                                                                 : MainCommand::FullScreenWindow);
}

// Space: the preview's play and stop commands, whichever applies now.
void DesktopApp::toggle_preview() {
    run_command(state_.tuichu == PreviewPlayback::Playing ? MainCommand::StopPreview : MainCommand::PreviewAll);
}

void DesktopApp::toggle_window_size() {
    if (refused_while_previewing(state_, ui_))
        return;
    change_window_mode(state_.chuangkou_moshi == WindowMode::Default ? WindowMode::FullScreen : WindowMode::Default);
}

void DesktopApp::refresh_times() {
    std::vector<qint64> finished;
    for (const UsedTemplate& used : album_.used_templates)
        if (used.complete)
            finished.push_back(catalogue_.mobancanshu.at(std::size_t(used.catalogue_number)).mbdx.toLongLong());
    state_.zongshijian = total_time_clock(finished, output_.sync_mode == SyncMode::Template);
    state_.danqianshijian = QStringLiteral("00:00:00");
    windows_.main().set_times(state_.danqianshijian, state_.zongshijian);
}

} // namespace velmora
