#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/desktop/desktop_app.h"
#include "core/cleanup.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "media/sine_song.h"
#include "modal_answers.h"
#include "support/test_support.h"

namespace velmora {
namespace {

class DesktopAppTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    DataRoot root{dir.file("smxcwjj")};
    std::vector<int> finished;

    void SetUp() override { test::copy_tree(QStringLiteral(VELMORA_DATA_ROOT), root.path()); }

    std::unique_ptr<DesktopApp> make_app() {
        DesktopApp::Options options;
        options.splash_ms = 0;
        options.finish = [this](int code) { finished.push_back(code); };
        return std::make_unique<DesktopApp>(root, std::move(options));
    }

    // Runs the start-up until the main window is ready.
    std::unique_ptr<DesktopApp> started_app() {
        auto app = make_app();
        bool ready = false;
        QObject::connect(app.get(), &DesktopApp::main_window_ready, [&ready] { ready = true; });
        app->start();
        EXPECT_TRUE(test::wait_until([&] { return ready || !finished.empty(); }));
        EXPECT_TRUE(ready) << "start-up ended early";
        return app;
    }

    // Runs `command` and returns what the message box showed meanwhile ("" for none).
    QString message_from(DesktopApp& app, MainCommand command) {
        QString shown;
        test::when_modal_shows([&](QWidget* w) {
            if (auto* box = qobject_cast<MessageBoxWindow*>(w))
                shown = box->message();
            if (w->objectName() == QLatin1String("TForm14"))
                test::press(w, QStringLiteral("确定"));
            else
                test::press_close_label(w);
        });
        app.run_command(command);
        return shown;
    }
};

TEST_F(DesktopAppTest, StartsThroughTheSplashToTheMainWindowWithTheStartUpMovie) {
    dir.write("smxcwjj/wj_y_l/wj_y_l/old.jpg", "stale preview material");
    dir.write("wj_to_wj/left.txt", "x");
    dir.write("smxcwjj/wj_0_or_6_6/wj_0_or_6_6.jpg", "transient");
    auto app = started_app();

    EXPECT_EQ(app->windows().creation_order().size(), 32);
    EXPECT_EQ(app->windows().creation_order().mid(0, 4), (QStringList{"TForm1", "TForm2", "TForm3", "TForm4"}));
    EXPECT_EQ(app->windows().creation_order().last(), "TForm42");
    EXPECT_FALSE(app->windows().splash().isVisible());
    MainWindow& main = app->windows().main();
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.size(), QSize(1189, 695));
    EXPECT_EQ(main.preview_frame()->geometry(), QRect(186, 62, 800, 450));
    EXPECT_GE(app->catalogue().mobancanshu.size(), 10u);
    EXPECT_EQ(app->windows().splash().progress()->value(), int(app->catalogue().mobancanshu.size()));

    ASSERT_NE(app->startup_player(), nullptr);
    EXPECT_TRUE(app->startup_player()->is_playing());
    const int first = app->startup_player()->frame_num();
    EXPECT_TRUE(test::wait_until([&] { return app->startup_player()->frame_num() != first; }, 2000)) << "the movie plays";
    EXPECT_FALSE(QFile::exists(root.work_dir() + "/wj_0_or_2_2_d.swf")) << "the unpacked movie is deleted once loaded";
    EXPECT_FALSE(QFileInfo::exists(root.preview_workspace()));
    EXPECT_FALSE(QFileInfo::exists(dir.file("wj_to_wj")));
    EXPECT_FALSE(QFile::exists(root.default_background_jpeg()));
    EXPECT_TRUE(finished.empty());

    EXPECT_EQ(message_from(*app, MainCommand::AddPhotos), "") << "opens the add-photos window";
    EXPECT_EQ(app->startup_player(), nullptr) << "adding photos releases the start-up movie";
    EXPECT_EQ(app->state().ShockwaveFlash_qi_dong_dong_hua, "1");
}

TEST_F(DesktopAppTest, GuardedCommandsOnlyTellWhileThePreviewPlays) {
    auto app = started_app();
    app->state().tuichu = PreviewPlayback::Playing;
    for (MainCommand command : {MainCommand::AddPhotos, MainCommand::AddMusic, MainCommand::Settings,
                                MainCommand::TemplateManagement, MainCommand::FullScreenWindow})
        EXPECT_EQ(message_from(*app, command), QString::fromUtf8("正在播放相册,点停止按钮后,再操作！"))
            << info(command).caption.toStdString();
    EXPECT_NE(app->startup_player(), nullptr) << "the refused add-photos command changed nothing";
    EXPECT_EQ(app->state().chuangkou_moshi, WindowMode::Default);

    app->run_command(MainCommand::StopPreview);
    EXPECT_EQ(app->state().tuichu, PreviewPlayback::Stopped);
}

TEST_F(DesktopAppTest, DeferredCommandOpensTemplateManagementOnceTheTimerFires) {
    auto app = started_app();
    QString shown;
    test::when_modal_shows([&](QWidget* w) {
        if (auto* box = qobject_cast<MessageBoxWindow*>(w))
            shown = box->message();
        test::press(w, QStringLiteral("确定"));
    });
    app->defer_template_management();
    EXPECT_TRUE(shown.isEmpty()) << "nothing runs before the timer fires";
    EXPECT_TRUE(test::wait_until([&] { return !shown.isEmpty(); }, 2000));
    EXPECT_EQ(shown, QString::fromUtf8("没有添加照片文件！使用模板管理功能,至少添加一张照片文件！"));
}

TEST_F(DesktopAppTest, ExitCancelledChangesNothingAndConfirmedCleansUp) {
    auto app = started_app();
    dir.write("smxcwjj/wj_y_l/wj_y_l/wj_y_l/pic/picture_0.jpg", "x");
    ASSERT_TRUE(QFileInfo::exists(root.work_dir()));

    for (bool use_close_label : {false, true}) {
        test::when_modal_shows([use_close_label](QWidget* w) {
            EXPECT_EQ(w->objectName(), "TForm16");
            if (use_close_label)
                test::press_close_label(w);
            else
                test::press(w, QStringLiteral("取消"));
        });
        app->run_command(MainCommand::Exit);
        EXPECT_TRUE(finished.empty());
        EXPECT_TRUE(QFileInfo::exists(root.work_dir()));
        EXPECT_TRUE(app->windows().main().isVisible());
    }

    int maximum = -1;
    test::when_modal_shows([&](QWidget* w) {
        EXPECT_EQ(static_cast<FramedWindow*>(w)->caption(), QString::fromUtf8("退出软件"));
        test::press(w, QStringLiteral("确定"));
        maximum = app->windows().exit().progress()->maximum();
    });
    app->run_command(MainCommand::Exit);
    EXPECT_EQ(finished, std::vector<int>{0});
    EXPECT_EQ(maximum, 12) << "the bar is sized by the packed files in the work folder: the start-up movie's twelve intermediates";
    EXPECT_FALSE(QFileInfo::exists(root.work_dir()));
    EXPECT_FALSE(QFileInfo::exists(root.preview_workspace()));
    EXPECT_TRUE(QFileInfo::exists(root.template_params_folder())) << "shipped data stays";
}

TEST_F(DesktopAppTest, PhotosChosenInThePhotoWindowLandInTemplatesAndTheSummaryList) {
    auto app = started_app();
    QStringList names;
    for (const auto& [name, size] : {std::pair{"beach.jpg", QSize(640, 480)}, std::pair{"tower.JPG", QSize(480, 640)},
                                     std::pair{"lake.jpg", QSize(800, 450)}}) {
        QImage photo(size, QImage::Format_RGB32);
        photo.fill(QColor(90, 140, 200));
        save_jpeg(photo, dir.file(QString::fromLatin1(name)));
        names << QStringLiteral("\"%1\"").arg(QString::fromLatin1(name));
    }
    test::when_modal_shows([&](QWidget* photo_window) {
        ASSERT_EQ(photo_window->objectName(), "TForm3");
        test::when_modal_shows([&](QWidget* chooser) {
            auto* dialog = qobject_cast<QFileDialog*>(chooser);
            ASSERT_NE(dialog, nullptr) << chooser->metaObject()->className();
            dialog->setDirectory(dir.path());
            dialog->selectFile(names.join(QLatin1Char(' ')));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        test::press(photo_window, QStringLiteral("添加照片"));
        test::press_close_label(photo_window);
    });
    app->run_command(MainCommand::AddPhotos);

    ASSERT_EQ(app->album().photos.size(), 3u);
    EXPECT_EQ(app->album().photos[1].name, "tower");
    EXPECT_FALSE(app->album().photos[1].is_landscape());
    ASSERT_FALSE(app->album().used_templates.empty());
    for (const PhotoEntry& photo : app->album().photos)
        EXPECT_TRUE(photo.fitted) << photo.name.toStdString();
    EXPECT_EQ(app->album().backgrounds.size(), app->album().used_templates.size());
    QTreeWidget* summary = app->windows().main().used_templates_list();
    ASSERT_EQ(summary->topLevelItemCount(), int(app->album().used_templates.size()));
    EXPECT_EQ(summary->topLevelItem(0)->text(1), app->album().used_templates[0].template_name);
    EXPECT_NE(app->state().zongshijian, "00:00:00") << "finished templates give the album a length";

    int catalogue_rows = 0;
    test::when_modal_shows([&](QWidget* manager) {
        catalogue_rows = manager->findChild<QTreeWidget*>(QStringLiteral("moban"))->topLevelItemCount();
        // The window takes no command while its photo strip loads; it says when it is done.
        test::when_modal_shows(
            [manager](QWidget* box) {
                test::press(box, QStringLiteral("确定"));
                QTimer::singleShot(0, manager, [manager] { test::press_close_label(manager); });
            },
            QStringLiteral("TForm14"));
    }, QStringLiteral("TForm8"));
    app->run_command(MainCommand::TemplateManagement);
    EXPECT_EQ(catalogue_rows, int(app->catalogue().moban.size())) << "template management lists the catalogue";
}

TEST_F(DesktopAppTest, SongsAddedInTheMusicWindowAreMeasuredAndSummarised) {
    auto app = started_app();
    test::write_sine_mp3(dir.file("song.mp3"), 2.5);
    dir.write("noise.mp3", "not a song at all");
    QStringList messages;
    test::when_modal_shows([&](QWidget* music_window) {
        ASSERT_EQ(music_window->objectName(), "TForm4");
        test::when_modal_shows([&](QWidget* chooser) {
            auto* dialog = qobject_cast<QFileDialog*>(chooser);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(dir.path());
            dialog->selectFile(QStringLiteral("\"song.mp3\" \"noise.mp3\""));
            // The unreadable file is reported once the songs are measured.
            test::when_modal_shows(
                [&](QWidget* box) {
                    messages << static_cast<MessageBoxWindow*>(box)->message();
                    test::press(box, QStringLiteral("确定"));
                },
                QStringLiteral("TForm14"));
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        test::press(music_window, QStringLiteral("添加音乐"));
        test::press_close_label(music_window);
    });
    app->run_command(MainCommand::AddMusic);

    ASSERT_EQ(app->songs().size(), 1);
    EXPECT_EQ(app->songs().songs()[0].name, "song");
    EXPECT_NEAR(double(app->songs().songs()[0].length_ms), 2500.0, 80.0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("noise.mp3"));
    QTreeWidget* summary = app->windows().main().songs_list();
    ASSERT_EQ(summary->topLevelItemCount(), 1);
    EXPECT_EQ(summary->topLevelItem(0)->text(2), "00:00:02");
    EXPECT_EQ(app->state().yinyue_dakai_1ci, "1");
}

// Song mode from the song list and the music window, lyric mode from the lyric list; with no
// songs the preview refuses to open.
TEST_F(DesktopAppTest, TheMusicAndLyricsPreviewOpensFromTheSummaryListsAndTheMusicWindow) {
    auto app = started_app();
    QTreeWidget* songs = app->windows().main().songs_list();
    QTreeWidget* lyrics = app->windows().main().lyrics_list();
    auto* placeholder_row = new QTreeWidgetItem(QStringList{"1"});
    songs->addTopLevelItem(placeholder_row);
    QString refusal;
    test::when_modal_shows([&](QWidget* box) {
        refusal = static_cast<MessageBoxWindow*>(box)->message();
        test::press(box, QStringLiteral("确定"));
    });
    emit songs->itemDoubleClicked(placeholder_row, 0);
    EXPECT_EQ(refusal, QStringLiteral("没有添加音乐文件！"));

    test::write_sine_mp3(dir.file("song.mp3"), 1.0);
    ScriptedUi quiet;
    ASSERT_EQ(app->songs().add_songs({dir.file("song.mp3")}, ffmpeg_song_length(), quiet), 1);
    const auto opened_in = [&](const std::function<void()>& open) {
        QString mode;
        test::when_modal_shows(
            [&](QWidget* preview) {
                mode = app->state().yinyue_geci_kaiguan;
                test::press_close_label(preview);
            },
            QStringLiteral("TForm15"));
        open();
        return mode;
    };
    EXPECT_EQ(opened_in([&] { emit songs->itemDoubleClicked(placeholder_row, 0); }), "bofangyingyue");
    auto* lyric_row = new QTreeWidgetItem(QStringList{"1"});
    lyrics->addTopLevelItem(lyric_row);
    EXPECT_EQ(opened_in([&] { emit lyrics->itemDoubleClicked(lyric_row, 0); }), "bofanggeci");
    EXPECT_EQ(opened_in([&] { app->windows().music_list().on_preview(); }), "bofangyingyue");
}

TEST_F(DesktopAppTest, StartUpMovieOfTheWrongSizeEndsTheProgram) {
    dir.write("smxcwjj/wj_0_or_2_2/wj_0_or_2_2_d.rar", "short");
    auto app = make_app();
    app->start();
    EXPECT_TRUE(test::wait_until([&] { return !finished.empty(); }));
    EXPECT_EQ(finished, std::vector<int>{1});
    EXPECT_EQ(app->startup_player(), nullptr);
}

TEST_F(DesktopAppTest, MissingTemplateMoviesEndTheProgram) {
    QDir(root.template_movies_folder()).removeRecursively();
    auto app = make_app();
    app->start();
    EXPECT_TRUE(test::wait_until([&] { return !finished.empty(); }));
    EXPECT_EQ(finished, std::vector<int>{1});
    EXPECT_FALSE(app->windows().main().isVisible());
}

} // namespace
} // namespace velmora
