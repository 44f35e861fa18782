#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/desktop/desktop_app.h"
#include "app/desktop/desktop_ui.h"
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

    EXPECT_EQ(app->windows().creation_order().size(), 33);
    EXPECT_EQ(app->windows().creation_order().mid(0, 4), (QStringList{"TForm1", "TForm2", "TForm3", "TForm4"}));
    EXPECT_EQ(app->windows().creation_order().at(31), "TForm42");
    EXPECT_EQ(app->windows().creation_order().last(), "about") << "our own about window follows the set";
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

// Releases the left button over the centre of `widget`.
void click(QWidget* widget) {
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent pressed(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent released(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre), Qt::LeftButton, {}, {});
    QApplication::sendEvent(widget, &pressed);
    QApplication::sendEvent(widget, &released);
}

// The entries of a menu, "|" for a separator.
QStringList entries_of(const QMenu& menu) {
    QStringList entries;
    for (const QAction* action : menu.actions())
        entries << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return entries;
}

TEST_F(DesktopAppTest, EachTitleBarLabelPopsUpItsOwnMenuWhoseEntriesRunTheirCommands) {
    auto app = started_app();
    MainWindow& main = app->windows().main();
    const auto popped_by = [&](const QString& label_name) -> QMenu* {
        auto* label = main.findChild<QLabel*>(label_name);
        if (!label)
            return nullptr;
        click(label);
        test::wait_until([] { return QApplication::activePopupWidget() != nullptr; }, 2000);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    };

    QMenu* functions = popped_by(QStringLiteral("功能菜单"));
    ASSERT_NE(functions, nullptr);
    EXPECT_EQ(entries_of(*functions).join(' ').toStdString(),
              "添加照片 添加音乐 添加歌词 | 照片剪裁 画面质量 同步效果 | 模板管理 | 插入视频 文字特效 背景图片 | "
              "VCD SVCD DVD AVI MOV MP4 | 退出文件");
    const int mp4 = int(entries_of(*functions).indexOf("MP4"));
    ASSERT_GE(mp4, 0);
    QString shown;
    test::when_modal_shows([&](QWidget* box) {
        shown = static_cast<MessageBoxWindow*>(box)->message();
        test::press(box, QStringLiteral("确定"));
    });
    functions->actions()[mp4]->trigger();
    functions->close();
    EXPECT_EQ(shown, QStringLiteral("没有添加照片文件！")) << "\"MP4\" starts making an album";

    QMenu* sizes = popped_by(QStringLiteral("窗口缩放"));
    ASSERT_NE(sizes, nullptr);
    EXPECT_NE(sizes, functions);
    EXPECT_EQ(entries_of(*sizes).join(' ').toStdString(), "全屏窗口 放大窗口 默认窗口");
    sizes->close();
}

// Full lists show the vertical scroll bar; every column still fits beside it, and the number
// and length columns are wide enough for their header and cells.
TEST_F(DesktopAppTest, SummaryListColumnsFitBesideTheScrollBar) {
    auto app = started_app();
    MainWindow& main = app->windows().main();
    for (QTreeWidget* list : {main.used_templates_list(), main.songs_list(), main.lyrics_list()}) {
        for (int i = 1; i <= 20; ++i)
            list->addTopLevelItem(new QTreeWidgetItem({QString::number(i), QStringLiteral("一个名字很长的模板文件名称"),
                                                       list == main.lyrics_list() ? QStringLiteral("LRC")
                                                                                  : QStringLiteral("00:01:08")}));
        const std::string name = list->objectName().toStdString();
        ASSERT_TRUE(test::wait_until([list] { return list->verticalScrollBar()->isVisible(); }, 2000)) << name;
        QApplication::processEvents();
        int sum = 0;
        for (int column = 0; column < 3; ++column)
            sum += list->columnWidth(column);
        EXPECT_LE(sum, list->viewport()->width()) << name;
        for (int column : {0, 2}) {
            EXPECT_GE(list->columnWidth(column), list->header()->sectionSizeHint(column)) << name << " header " << column;
            EXPECT_GE(list->columnWidth(column), static_cast<QAbstractItemView*>(list)->sizeHintForColumn(column)) << name << " cells " << column;
        }
        EXPECT_GE(list->columnWidth(1), 40) << name << ": the name keeps room";
    }
}

// Qt's standard dialogs read in Chinese: the file dialog the photo window opens.
TEST_F(DesktopAppTest, QtsOwnDialogsSpeakChinese) {
    auto app = started_app();
    QStringList buttons;
    QStringList labels;
    test::when_modal_shows([&](QWidget* photo_window) {
        test::when_modal_shows([&](QWidget* chooser) {
            auto* dialog = qobject_cast<QFileDialog*>(chooser);
            ASSERT_NE(dialog, nullptr) << chooser->metaObject()->className();
            for (const QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->isVisible())
                    buttons << button->text();
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                if (label->isVisible())
                    labels << label->text();
            dialog->reject();
        });
        test::press(photo_window, QStringLiteral("添加照片"));
        test::press_close_label(photo_window);
    });
    app->run_command(MainCommand::AddPhotos);
    const std::string seen = (buttons + labels).join(" | ").toStdString();
    EXPECT_TRUE(buttons.contains(QStringLiteral("取消"))) << seen;
    EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(), [](const QString& b) { return b.startsWith(QStringLiteral("打开")); }))
        << seen;
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QString& l) { return l.contains(QStringLiteral("文件名")); }))
        << seen;
    for (const char* english : {"&Open", "Open", "Cancel", "Look in:", "File &name:"})
        EXPECT_FALSE(buttons.contains(english) || labels.contains(english)) << english << ": " << seen;
}

TEST_F(DesktopAppTest, TheIntroductionShowsOurAboutWindowWithTheLicences) {
    auto app = started_app();
    QString title;
    QString licences;
    test::when_modal_shows([&](QWidget* w) {
        auto* about = static_cast<AboutWindow*>(w);
        title = about->name_and_version();
        licences = about->licences()->toPlainText();
        QTest::keyClick(about, Qt::Key_Escape);   // Esc closes it like its close label
    }, QStringLiteral("about"));
    app->run_command(MainCommand::Introduction);
    EXPECT_TRUE(title.contains(QRegularExpression(QStringLiteral("^Velmora\\s+\\d+\\.\\d+\\.\\d+$")))) << title.toStdString();
    for (const char* part : {"Qt 6", "LGPL 第 3 版", "FFmpeg", "rlottie", "OpenCC", "Apache License 2.0", "libjpeg-turbo",
                             "IJG", "Noto Sans CJK", "SIL Open Font License 1.1"})
        EXPECT_TRUE(licences.contains(QString::fromUtf8(part))) << part;
    EXPECT_FALSE(app->windows().about().isVisible());
}

// Photos (files and folders), songs and lyric files dropped together are each added as their
// own command adds them; anything else is named in a message.
TEST_F(DesktopAppTest, FilesDroppedOnTheMainWindowAreAddedByKind) {
    auto app = started_app();
    const auto photo = [&](const QString& name, QSize size) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(QColor(90, 140, 200));
        save_jpeg(picture, dir.file(name));
        return dir.file(name);
    };
    QDir().mkpath(dir.file("trip"));
    const QString beach = photo(QStringLiteral("beach.jpg"), QSize(640, 480));
    photo(QStringLiteral("trip/b.JPG"), QSize(480, 640));
    photo(QStringLiteral("trip/c.jpeg"), QSize(800, 450));
    dir.write("trip/notes.txt", "kept out");
    test::write_sine_mp3(dir.file("song.mp3"), 1.0);
    dir.write("song.lrc", "[00:00.50]你好\n");
    dir.write("readme.txt", "not for an album");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(beach), QUrl::fromLocalFile(dir.file("trip")), QUrl::fromLocalFile(dir.file("song.mp3")),
                  QUrl::fromLocalFile(dir.file("song.lrc")), QUrl::fromLocalFile(dir.file("readme.txt"))});
    MainWindow& main = app->windows().main();
    QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&main, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the main window takes dropped files";
    QStringList messages;
    const auto answering = test::answer_every_message(messages);
    QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&main, &drop);

    ASSERT_EQ(app->album().photos.size(), 3u);
    EXPECT_EQ(app->album().photos[0].name, "beach");
    EXPECT_EQ(app->album().photos[1].name, "b");
    EXPECT_EQ(app->album().photos[2].name, "c");
    for (const PhotoEntry& entry : app->album().photos)
        EXPECT_TRUE(entry.fitted) << entry.name.toStdString() << ": templates are assigned as for chosen photos";
    EXPECT_EQ(main.used_templates_list()->topLevelItemCount(), int(app->album().used_templates.size()));
    EXPECT_FALSE(app->album().used_templates.empty());
    EXPECT_EQ(app->startup_player(), nullptr) << "the start-up movie gives way as with \"添加照片\"";
    ASSERT_EQ(app->songs().size(), 1);
    EXPECT_EQ(main.songs_list()->topLevelItemCount(), 1);
    ASSERT_EQ(app->lyrics().entries().size(), 1u);
    EXPECT_EQ(main.lyrics_list()->topLevelItemCount(), 1);
    ASSERT_EQ(messages.size(), 1) << messages.join(" | ").toStdString();
    EXPECT_TRUE(messages[0].contains("readme.txt"));
    EXPECT_FALSE(messages[0].contains("notes.txt")) << "a folder's other files are not named";

    // Only files are taken.
    QMimeData text;
    text.setText(QStringLiteral("words"));
    QDragEnterEvent words(QPoint(400, 300), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&main, &words);
    EXPECT_FALSE(words.isAccepted());
}

// The main window's keys; Delete in the photo window; a hint on every command button.
TEST_F(DesktopAppTest, KeysReachTheirCommands) {
    auto app = started_app();
    MainWindow& main = app->windows().main();
    for (const MainCommandInfo& command : main_commands()) {
        if (QPushButton* button = main.command_button(command.command)) {
            EXPECT_FALSE(button->toolTip().isEmpty()) << command.caption.toStdString();
        }
    }
    // Keys go to the active window; a closed modal window may leave none active.
    const auto key = [&main](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        main.activateWindow();
        ASSERT_TRUE(test::wait_until([&] { return QApplication::activeWindow() == &main; }, 2000));
        QTest::keyClick(&main, k, modifiers);
    };

    QString opened;
    test::when_modal_shows([&](QWidget* w) {
        opened = w->objectName();
        test::press_close_label(w);
    });
    key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(opened, "TForm3") << "Ctrl+O adds photos";

    key(Qt::Key_F11);
    EXPECT_EQ(app->state().chuangkou_moshi, WindowMode::FullScreen);
    key(Qt::Key_F11);
    EXPECT_EQ(app->state().chuangkou_moshi, WindowMode::Default);

    app->state().tuichu = PreviewPlayback::Playing;
    key(Qt::Key_Space);
    EXPECT_EQ(app->state().tuichu, PreviewPlayback::Stopped) << "Space stops a playing preview";

    QString asked;
    test::when_modal_shows([&](QWidget* w) {
        asked = w->objectName();
        QTest::keyClick(w, Qt::Key_Escape);   // Esc answers the exit box like "取消"
    });
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(asked, "TForm16") << "Ctrl+Q asks to exit";
    EXPECT_TRUE(finished.empty());

    // Delete in the photo window deletes the selected photo once confirmed.
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    save_jpeg(picture, dir.file("one.jpg"));
    app->windows().photo_list().add_files({dir.file("one.jpg")});
    ASSERT_EQ(app->album().photos.size(), 1u);
    QString question;
    QStringList messages;
    const auto answering = test::answer_every_message(messages);
    test::when_modal_shows([&](QWidget* photo_window) {
        auto* window = static_cast<PhotoListWindow*>(photo_window);
        window->select_row(0);
        test::when_modal_shows([&](QWidget* box) {
            question = static_cast<FramedWindow*>(box)->caption();
            test::press(box, QStringLiteral("确定"));
        }, QStringLiteral("TForm17"));
        QTest::keyClick(window->list(), Qt::Key_Delete);
        test::press_close_label(window);
    }, QStringLiteral("TForm3"));
    app->run_command(MainCommand::AddPhotos);
    EXPECT_EQ(question, "删除照片");
    EXPECT_TRUE(app->album().photos.empty());
    EXPECT_EQ(messages, QStringList{"选中的照片文件已经删除！"});
}

// Each kind of file dialog opens in the folder its last one was answered in; a folder the
// caller names comes first.
TEST(DesktopUiFolders, EachKindOfDialogOpensWhereItsLastOneWasAnswered) {
    test::TempFolder dir;
    for (const char* folder : {"photos", "songs", "albums", "samples"})
        QDir().mkpath(dir.file(QString::fromLatin1(folder)));
    dir.write("photos/a.jpg", "x");
    dir.write("songs/s.mp3", "x");
    DesktopUi ui;
    const auto answered_in = [](const QString& folder, const QString& file) {
        test::when_modal_shows([folder, file](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(folder);
            if (!file.isEmpty())
                dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
    };
    const auto opens_in = [](const std::function<void()>& open) {
        QString folder;
        test::when_modal_shows([&folder](QWidget* w) {
            folder = static_cast<QFileDialog*>(w)->directory().absolutePath();
            static_cast<QFileDialog*>(w)->reject();
        });
        open();
        return folder;
    };
    const QString photos_filter = QStringLiteral("照片 (*.jpg)");
    const QString songs_filter = QStringLiteral("音乐 (*.mp3)");
    answered_in(dir.file("photos"), QStringLiteral("a.jpg"));
    EXPECT_EQ(ui.choose_files(QStringLiteral("添加照片"), {}, photos_filter), QStringList{dir.file("photos/a.jpg")});
    answered_in(dir.file("songs"), QStringLiteral("s.mp3"));
    EXPECT_EQ(ui.choose_files(QStringLiteral("添加音乐"), {}, songs_filter), QStringList{dir.file("songs/s.mp3")});
    answered_in(dir.file("albums"), {});
    EXPECT_EQ(ui.choose_folder(QStringLiteral("保存位置"), {}), dir.file("albums"));

    EXPECT_EQ(opens_in([&] { ui.choose_files(QStringLiteral("添加照片"), {}, photos_filter); }), dir.file("photos"));
    EXPECT_EQ(opens_in([&] { ui.choose_files(QStringLiteral("添加音乐"), {}, songs_filter); }), dir.file("songs"));
    EXPECT_EQ(opens_in([&] { ui.choose_folder(QStringLiteral("保存位置"), {}); }), dir.file("albums"));
    EXPECT_NE(opens_in([&] { ui.choose_files(QStringLiteral("添加歌词"), {}, {}); }), dir.file("songs"))
        << "a kind not used yet has no folder of its own";
    EXPECT_EQ(opens_in([&] { ui.choose_files(QStringLiteral("添加音乐"), dir.file("samples"), songs_filter); }),
              dir.file("samples"));
    EXPECT_EQ(opens_in([&] { ui.choose_files(QStringLiteral("添加音乐"), {}, songs_filter); }), dir.file("songs"))
        << "a cancelled dialog changes nothing";
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
