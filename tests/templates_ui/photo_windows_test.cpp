// The photo window, the photo-files window and the progress window on the offscreen platform.
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/app_state.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "support/test_support.h"
#include "templates/photo_files_window.h"
#include "templates/photo_list_window.h"

namespace velmora {
namespace {

// Acts once `window` is the active modal window (the progress window may cover it first).
void when_active(QWidget* window, std::function<void()> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, window, act = std::move(act)] {
        if (QApplication::activeModalWidget() != window)
            return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start();
}

struct Windows {
    WindowSkin skin = WindowSkin::paint();
    Album album;
    AppState state;
    SystemSettings settings;
    ScriptedUi ui;
    NoAutoTextEffects effects;
    PhotoList photos{album, state, ui, seeded_random_pick(3), effects};
    ThumbnailService thumbnails;
    ProgressWindow progress{skin, nullptr, 1};
    int assignments = 0;
    PhotoListWindow photo_window{photos, settings, thumbnails, progress, skin,
                                 PhotoListWindowHooks{{[this] { ++assignments; }, {}}, {}, {}, {}, {}}};
    PhotoFilesWindow files_window{photos, photo_window, thumbnails, progress, skin, {}};
    test::TempFolder folder;

    QString jpeg(const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        const QString path = folder.file(name);
        save_jpeg(image, path);
        return path;
    }
    void add(const QStringList& files) {
        ui.file_answers.push_back(files);
        test::press(&photo_window, QStringLiteral("添加照片"));
    }
};

TEST(PhotoListWindow, AddsTheChosenFilesThroughTheProgressWindow) {
    Windows w;
    w.ui.on_pump = [] { QApplication::processEvents(); };
    w.add({w.jpeg("a.jpg", 400, 300), w.jpeg("b.jpg", 300, 400)});
    EXPECT_EQ(w.album.photos.size(), 2u);
    EXPECT_EQ(w.assignments, 1);
    EXPECT_FALSE(w.progress.isVisible());
    EXPECT_EQ(w.progress.caption(), "添加照片");
    ASSERT_EQ(w.photo_window.list()->topLevelItemCount(), 2);
    const QTreeWidgetItem* b = w.photo_window.list()->topLevelItem(1);
    EXPECT_EQ(b->text(0), "2");
    EXPECT_EQ(b->text(1), "b");
    EXPECT_EQ(b->text(3), "300");
    EXPECT_EQ(b->text(4), "400");

    // Clicking a row fills the details and the framed preview: 3000 x 4000 fits 122 x 163.
    w.photo_window.select_row(1);
    emit w.photo_window.list()->itemClicked(w.photo_window.list()->topLevelItem(1), 0);
    EXPECT_EQ(w.photo_window.detail(1), "b");
    EXPECT_EQ(w.photo_window.preview_hint(), "第2张, 照片名称: b");
    EXPECT_EQ(w.photo_window.preview()->pixmap().size(), QSize(122 + 6, 163 + 6));

    // A cancelled dialog adds nothing and runs no job.
    w.add({});
    EXPECT_EQ(w.album.photos.size(), 2u);
    EXPECT_EQ(w.assignments, 1);
}

TEST(PhotoListWindow, DeletesTheSelectedPhotoAfterConfirmation) {
    Windows w;
    w.add({w.jpeg("a.jpg", 40, 30), w.jpeg("b.jpg", 40, 30), w.jpeg("c.jpg", 40, 30)});
    w.photo_window.select_row(1);
    w.ui.confirm_answers = {false};
    test::press(&w.photo_window, QStringLiteral("删除照片"));
    EXPECT_EQ(w.album.photos.size(), 3u);

    w.ui.confirm_answers = {true};
    test::press(&w.photo_window, QStringLiteral("删除照片"));
    ASSERT_EQ(w.album.photos.size(), 2u);
    EXPECT_EQ(w.album.photos[1].name, "c");
    ASSERT_EQ(w.photo_window.list()->topLevelItemCount(), 2);
    EXPECT_EQ(w.photo_window.list()->topLevelItem(1)->text(0), "2");
    EXPECT_EQ(w.ui.messages.back().text, "选中的照片文件已经删除！");

    w.ui.confirm_answers = {true};
    test::press(&w.photo_window, QStringLiteral("全部删除"));
    EXPECT_TRUE(w.album.photos.empty());
    EXPECT_EQ(w.photo_window.list()->topLevelItemCount(), 0);
}

TEST(PhotoFilesWindow, ShowsThumbnailsAndForwardsDeletions) {
    Windows w;
    w.add({w.jpeg("a.jpg", 40, 30), w.jpeg("b.jpg", 30, 40), w.jpeg("c.jpg", 40, 30)});
    w.ui.default_confirm = true;
    bool ran = false;
    when_active(&w.files_window, [&] {
        ASSERT_TRUE(test::wait_until([&] { return w.files_window.thumbnails()->count() == 3 && !w.progress.isVisible(); }));
        EXPECT_EQ(w.files_window.thumbnails()->item(1)->text(), "b.jpg");
        EXPECT_EQ(w.files_window.thumbnails()->iconSize(), PhotoFilesWindow::kSmallCell);
        w.files_window.thumbnails()->setCurrentRow(0);
        test::press(&w.files_window, QStringLiteral("删除照片"));
        // The photo window's dispatcher deletes, then this window reloads its thumbnails.
        EXPECT_TRUE(test::wait_until([&] { return w.album.photos.size() == 2u && w.files_window.thumbnails()->count() == 2; }))
            << w.album.photos.size() << " photos, " << w.files_window.thumbnails()->count() << " thumbnails, messages " << w.ui.messages.size();
        EXPECT_EQ(w.album.photos[0].name, "b");
        EXPECT_TRUE(w.photos.delete_request_photo_files.isEmpty());
        test::press(&w.files_window, QStringLiteral("返回"));
        ran = true;
    });
    w.files_window.open();
    EXPECT_TRUE(ran);
    EXPECT_EQ(w.files_window.thumbnails()->count(), 0); // discarded on closing
}

TEST(PhotoFilesWindow, WithNoPhotosOnlySaysSo) {
    Windows w;
    w.files_window.open();
    EXPECT_FALSE(w.files_window.isVisible());
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, "没有添加照片文件！");
}

} // namespace
} // namespace velmora
