// The background window on the offscreen platform: a row click, the slider and the buttons.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "preview/background_pictures_window.h"
#include "support/test_support.h"

namespace velmora {
namespace {

struct Window {
    test::TempFolder folder;
    DataRoot root{folder.file("smxcwjj")};
    WindowSkin skin = WindowSkin::paint();
    Album album;
    AppState state;
    ScriptedUi ui;
    ThumbnailService thumbnails;
    std::unique_ptr<BackgroundPicturesWindow> window;

    Window() {
        QDir().mkpath(root.background_demo_folder());
        QFile::copy(DataRoot(QStringLiteral(VELMORA_DATA_ROOT)).background_demo_movie(), root.background_demo_movie());
        for (int i = 0; i < 2; ++i) {
            QImage picture(640, 400, QImage::Format_RGB32);
            picture.fill(i == 0 ? QColor(40, 120, 200) : QColor(220, 160, 40));
            BackgroundRow row;
            row.name = QStringLiteral("模板%1").arg(i + 1);
            row.picture_name = QStringLiteral("photo%1").arg(i + 1);
            row.picture_format = QStringLiteral(".jpg");
            row.width = 640;
            row.height = 400;
            row.location = folder.file(row.picture_name + row.picture_format);
            row.transparency = 20 * (i + 1);
            save_jpeg(picture, row.location);
            album.backgrounds.push_back(row);
        }
        window = std::make_unique<BackgroundPicturesWindow>(album, state, ui, thumbnails, root, skin);
    }
    void click(int row) {
        window->select_row(row);
        window->click_row();
    }
    void open(std::function<void(BackgroundPicturesWindow&)> act) {
        test::when_modal_shows([this, act = std::move(act)](QWidget*) {
            act(*window);
            test::press(window.get(), QStringLiteral("返  回"));
        });
        window->open_modal();
    }
};

TEST(BackgroundPicturesWindow, TheSliderDrivesTheDemonstrationUntilSaved) {
    Window w;
    w.open([&](BackgroundPicturesWindow& win) {
        EXPECT_EQ(win.list()->topLevelItemCount(), 2);
        EXPECT_FALSE(win.selected_row().has_value());
        EXPECT_EQ(win.slider()->value(), 0);
        EXPECT_FALSE(win.demonstration()->isVisible());
        ASSERT_NE(win.demo().player(), nullptr);

        w.click(1);
        EXPECT_EQ(win.picture_box()->pixmap().size(), QSize(195 + 6, 400 * 195 / 640 + 6));
        EXPECT_EQ(win.hint(), "第2张, 背景图片名称: photo2");
        EXPECT_EQ(win.detail(1), "photo2");
        EXPECT_EQ(win.detail(3), "640");
        EXPECT_EQ(win.slider()->value(), 40);
        EXPECT_TRUE(win.demonstration()->isVisible());
        EXPECT_EQ(win.demonstration()->size(), QSize(207, 116));
        TemplatePlayer* player = win.demo().player();
        EXPECT_EQ(player->background_transparency(), 40);
        EXPECT_TRUE(player->is_playing());
        EXPECT_EQ(QImage(w.root.background_demo_folder() + "/wj_y_l_b_j.jpg").size(), QSize(185, 116));

        // Moving the slider shows the transparency in the movie only.
        win.slider()->setValue(75);
        EXPECT_EQ(player->background_transparency(), 75);
        EXPECT_EQ(w.album.backgrounds[1].transparency, 40);
        test::press(&win, QStringLiteral("保存设置"));
        EXPECT_EQ(w.album.backgrounds[1].transparency, 75);
        EXPECT_EQ(w.album.backgrounds[0].transparency, 20);
        EXPECT_EQ(win.list()->topLevelItem(1)->text(9), "75");
        EXPECT_EQ(win.selected_row(), 1);

        // With the box ticked, "默认设置" resets every row and hides the demonstration.
        win.same_for_all()->setChecked(true);
        test::press(&win, QStringLiteral("默认设置"));
        EXPECT_EQ(w.album.backgrounds[0].transparency, 0);
        EXPECT_EQ(w.album.backgrounds[1].transparency, 0);
        EXPECT_EQ(win.slider()->value(), 0);
        EXPECT_FALSE(win.demonstration()->isVisible());
        EXPECT_FALSE(win.same_for_all()->isChecked());
    });
    EXPECT_EQ(w.window->demo().player(), nullptr);
    ASSERT_EQ(w.ui.messages.size(), 2u);
    EXPECT_EQ(w.ui.messages[0].text, "保存设置完成！");
    EXPECT_EQ(w.ui.messages[1].text, "默认设置完成！");
}

TEST(BackgroundPicturesWindow, ReopeningAlternatesTheCopiesAndReplacingShowsTheNewPicture) {
    Window w;
    QStringList movies;
    w.open([&](BackgroundPicturesWindow& win) {
        w.click(0);
        movies << win.demo().player()->movie_path();
    });
    w.open([&](BackgroundPicturesWindow& win) {
        EXPECT_TRUE(win.hint().isEmpty());   // cleared at every opening
        w.click(0);
        movies << win.demo().player()->movie_path();
        EXPECT_EQ(win.slider()->value(), 20);

        QImage wide(500, 300, QImage::Format_RGB32);
        wide.fill(Qt::darkGreen);
        const QString path = w.folder.file("meadow.jpg");
        save_jpeg(wide, path);
        w.ui.file_answers.push_back({path});
        test::press(&win, QStringLiteral("更换背景图片"));
        EXPECT_EQ(w.album.backgrounds[0].picture_name, "meadow");
        EXPECT_EQ(win.list()->topLevelItem(0)->text(4), "meadow");
        EXPECT_EQ(win.selected_row(), 0);
        // The box, the details and the demonstration show the new picture at once.
        const QImage box = win.picture_box()->pixmap().toImage();
        EXPECT_EQ(box.size(), QSize(195 + 6, 300 * 195 / 500 + 6));
        const QColor boxed = box.pixelColor(box.width() / 2, box.height() / 2);
        EXPECT_NEAR(boxed.green(), 128, 8) << "the box shows the meadow";
        EXPECT_LT(boxed.blue(), 20);
        EXPECT_EQ(win.detail(1), "meadow");
        EXPECT_EQ(win.hint(), "第1张, 背景图片名称: meadow");
        const QImage shown(w.root.background_demo_folder() + "/wj_y_l_b_j.jpg");
        ASSERT_FALSE(shown.isNull());
        const QColor middle = shown.pixelColor(shown.width() / 2, shown.height() / 2);
        EXPECT_NEAR(middle.green(), 128, 8) << "the demonstration's picture is the meadow";
        EXPECT_LT(middle.blue(), 20);
        EXPECT_TRUE(win.demonstration()->isVisible());
        EXPECT_EQ(win.demo().player()->background_transparency(), 20) << "the transparency stays";
    });
    EXPECT_EQ(movies, (QStringList{w.root.background_demo_folder() + "/wj_0_or_5_5_d_1.rar",
                                   w.root.background_demo_folder() + "/wj_0_or_5_5_d_2.rar"}));
}

TEST(BackgroundPicturesWindow, RefusedWhilePreviewPlays) {
    Window w;
    w.state.tuichu = PreviewPlayback::Playing;
    w.window->open_modal();
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, "正在播放相册,点停止按钮后,再操作！");
    EXPECT_FALSE(QFile::exists(w.root.background_demo_folder() + "/wj_0_or_5_5_d_1.rar"));
}

} // namespace
} // namespace velmora
