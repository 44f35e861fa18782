// The template-management window on the offscreen platform, over the shipped catalogue.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QDropEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QSet>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/jpeg_writer.h"
#include "core/scripted_ui.h"
#include "support/test_support.h"
#include "templates/album_fixture.h"
#include "templates/template_manager_window.h"

namespace velmora {
namespace {

// Carries photo `photo_row` over `frame` and drops it there, as a drag from the strip does.
// Qt delivers a drop to the widget that accepted the drag's entry, so the entry comes first.
void drop_on(QWidget* frame, int photo_row) {
    QMimeData* data = photo_drag_data(photo_row);
    const QPoint centre(frame->width() / 2, frame->height() / 2);
    QDragEnterEvent enter(centre, Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &enter);
    QDropEvent drop(QPointF(centre), Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(frame, &drop);
    delete data;
}

class TemplateManagerWindowTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    DataRoot root{folder.file(QStringLiteral("smxcwjj"))};
    WindowSkin skin = WindowSkin::paint();
    TemplateCatalogue catalogue;
    Album album;
    SystemSettings settings;
    ScriptedUi ui;
    AppState state;
    BackgroundPool pool;
    ThumbnailService thumbnails;
    std::unique_ptr<TemplateManagerWindow> window;

    void SetUp() override {
        test::copy_tree(QStringLiteral(VELMORA_DATA_ROOT), root.path());
        load_template_catalogue(root, catalogue);
        window = std::make_unique<TemplateManagerWindow>(
            TemplateManagementServices{album, catalogue, settings, ui, root, state, pool, [](int) { return 0; }},
            thumbnails, skin, TemplateManagerHooks{});
    }

    void add_photo(const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(60, 140, 200));
        PhotoEntry photo = test::make_photo(name, width, height);
        photo.location = folder.file(name + QStringLiteral(".jpg"));
        save_jpeg(image, photo.location);
        album.photos.push_back(photo);
    }

    // Opens the window, waits for the strip, runs `act` and leaves through the close label.
    void while_open(const std::function<void()>& act) {
        bool ran = false;
        test::when_modal_shows([&](QWidget* shown) {
            EXPECT_EQ(shown, window.get());
            const int n = int(album.photos.size());
            ASSERT_TRUE(test::wait_until([&] { return window->strip()->count() == n && !window->busy(); }));
            act();
            test::press_close_label(window.get());
            ran = true;
        });
        window->open();
        EXPECT_TRUE(ran);
        EXPECT_EQ(window->strip()->count(), 0) << "the strip lives only while the window is open";
    }

    void select(QTreeWidget* list, int row) {
        list->clearSelection();
        list->setCurrentItem(list->topLevelItem(row));
    }
    int portrait_template_row() const {
        return test::list_row(catalogue, QStringLiteral("书影"), QStringLiteral("竖照模板"));
    }
};

TEST_F(TemplateManagerWindowTest, LoadsTheStripAndLaysItOutWithoutOverlaps) {
    for (int k = 0; k < 6; ++k)
        add_photo(QStringLiteral("p%1").arg(k + 1), k % 2 ? 300 : 400, k % 2 ? 400 : 300);
    while_open([&] {
        EXPECT_EQ(window->objectName(), "TForm8");
        EXPECT_EQ(window->caption(), "模板管理");
        EXPECT_EQ(ui.messages.back().text, "加载照片文件完成！");
        EXPECT_EQ(window->progress()->value(), 6);
        EXPECT_EQ(window->progress()->maximum(), 6);
        EXPECT_EQ(window->catalogue_view()->topLevelItemCount(), int(catalogue.moban.size()));
        PhotoStripView* strip = window->strip();
        EXPECT_EQ(strip->picture(1)->toolTip(), "第2张, 照片名称: p2");
        EXPECT_EQ(strip->caption(1)->text(), "p2");
        EXPECT_EQ(strip->picture(0)->size(), QSize(128, 90));
        const int width = strip->viewport()->width();
        for (int k = 0; k < strip->count(); ++k) {
            EXPECT_LE(strip->picture(k)->geometry().right(), width) << "photo " << k << " cut off";
            EXPECT_EQ(strip->caption(k)->geometry().top(), strip->picture(k)->geometry().bottom() + 1);
        }
        // The photos wrap: a later row starts below the captions of the row above.
        const int last = strip->count() - 1;
        ASSERT_GT(strip->picture(last)->y(), strip->picture(0)->y());
        EXPECT_GT(strip->picture(last)->y(), strip->caption(0)->geometry().bottom());
    });
}

TEST_F(TemplateManagerWindowTest, PutsATemplateToUseAndTakesOnlyPhotosOfTheSlotsKind) {
    add_photo(QStringLiteral("wide"), 400, 300);
    add_photo(QStringLiteral("tall"), 300, 400);
    while_open([&] {
        // Pressing a photo before any used template shows its slots is refused.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(20, 20), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(window->strip()->picture(0), &press);
        EXPECT_EQ(ui.messages.back().text, "没有选中已经添加模板文件！选中模板后,模板所需照片框会出现");

        select(window->catalogue_view(), portrait_template_row());
        test::press(window.get(), QStringLiteral("使用选中模板  ↓"));
        ASSERT_EQ(album.used_templates.size(), 1u);
        ASSERT_EQ(window->used_list()->topLevelItemCount(), 1);
        EXPECT_EQ(window->used_list()->topLevelItem(0)->text(7), "未完成");
        ASSERT_EQ(window->slot_frames()->count(), 1);
        EXPECT_EQ(window->slot_frames()->frame_kind(0), "shu");
        EXPECT_EQ(window->slot_frames()->caption(0)->text(), "显示照片名称");
        EXPECT_EQ(window->detail(QStringLiteral("模板名称")), QStringLiteral("书影"));
        EXPECT_EQ(window->detail(QStringLiteral("模板行数")), "1");

        drop_on(window->slot_frames()->picture(0), 0);
        EXPECT_EQ(ui.messages.back().text, "此处需要一张竖照片！");
        EXPECT_FALSE(album.slot_rows[0].matched);
        EXPECT_FALSE(album.photos[0].fitted);
        EXPECT_EQ(window->slot_frames()->caption(0)->text(), "显示照片名称");

        drop_on(window->slot_frames()->picture(0), 1);
        EXPECT_TRUE(album.slot_rows[0].matched);
        EXPECT_EQ(album.slot_rows[0].photo_row, 1);
        EXPECT_TRUE(album.photos[1].fitted);
        EXPECT_EQ(window->slot_frames()->caption(0)->text(), "tall");
        EXPECT_EQ(window->slot_frames()->picture(0)->pixmap().toImage(), window->strip()->cell(1).toImage());
        EXPECT_EQ(window->used_list()->topLevelItem(0)->text(7), "已完成");
        EXPECT_EQ(window->detail(QStringLiteral("已添加竖照片")), "1");
    });
    // The album keeps what was done in the window.
    EXPECT_EQ(album.used_templates[0].match_state(), "已完成");
}

TEST_F(TemplateManagerWindowTest, DeletesTheSelectedUsedTemplateAfterConfirmation) {
    add_photo(QStringLiteral("tall"), 300, 400);
    while_open([&] {
        select(window->catalogue_view(), portrait_template_row());
        test::press(window.get(), QStringLiteral("使用选中模板  ↓"));
        test::press(window.get(), QStringLiteral("使用选中模板  ↓"));
        ASSERT_EQ(window->used_list()->topLevelItemCount(), 2);
        select(window->used_list(), 0);
        emit window->used_list()->itemClicked(window->used_list()->topLevelItem(0), 0);
        drop_on(window->slot_frames()->picture(0), 0);
        ASSERT_TRUE(album.photos[0].fitted);

        ui.confirm_answers = {false};
        test::press(window.get(), QStringLiteral("删除"));
        EXPECT_EQ(album.used_templates.size(), 2u);
        EXPECT_EQ(window->slot_frames()->count(), 1);

        ui.confirm_answers = {true};
        test::press(window.get(), QStringLiteral("删除"));
        EXPECT_EQ(ui.questions.back().question, "是否确定要删除当前选中已经使用的模板文件?");
        EXPECT_EQ(ui.messages.back().text, "选中的模板文件已经删除！");
        EXPECT_EQ(album.used_templates.size(), 1u);
        EXPECT_EQ(window->used_list()->topLevelItemCount(), 1);
        EXPECT_EQ(window->used_list()->topLevelItem(0)->text(8), "1");
        EXPECT_EQ(window->slot_frames()->count(), 0);
        EXPECT_TRUE(window->detail(QStringLiteral("模板名称")).isEmpty());
        EXPECT_FALSE(album.photos[0].fitted);

        // Nothing selected now: the next deletion is refused.
        test::press(window.get(), QStringLiteral("删除"));
        EXPECT_EQ(ui.messages.back().text, "没有选中模板文件！");
        EXPECT_EQ(album.used_templates.size(), 1u);
    });
}

// How many colours a picture holds, roughly: a blank or failed render has one or two.
int colour_count(const QImage& picture) {
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 6)
        for (int x = 0; x < picture.width(); x += 6)
            colours.insert(picture.pixel(x, y) & 0xF0F0F0);
    return int(colours.size());
}

TEST(TemplatePictureCache, RendersEachTemplateOnceAndKeepsIt) {
    test::TempFolder folder;
    const DataRoot root{folder.file(QStringLiteral("smxcwjj"))};
    test::copy_tree(QStringLiteral(VELMORA_DATA_ROOT), root.path());
    TemplateCatalogue catalogue;
    TemplatePictureCache cache(root, catalogue, folder.file(QStringLiteral("pictures")));
    load_template_catalogue(root, catalogue);   // the desktop program reads it after making the cache
    ASSERT_GE(catalogue.mobancanshu.size(), 2u);
    const QImage first = cache.picture(0);
    EXPECT_EQ(first.size(), TemplatePictureCache::kPictureSize);
    EXPECT_GT(colour_count(first), 20) << "a painted template, not a blank frame";
    EXPECT_EQ(cache.picture(0), first);
    EXPECT_NE(cache.picture(1), first);
    EXPECT_EQ(cache.renders(), 2);
    EXPECT_TRUE(cache.picture(int(catalogue.mobancanshu.size())).isNull());
    EXPECT_TRUE(cache.picture(-1).isNull());
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("pictures")))) << "nothing is left on disk";
    // A damaged movie gives no picture, once.
    QFile::resize(catalogue.mobancanshu[2].weizhi, 10);
    EXPECT_TRUE(cache.picture(2).isNull());
    EXPECT_TRUE(cache.picture(2).isNull());
    EXPECT_EQ(cache.renders(), 3);
}

TEST_F(TemplateManagerWindowTest, ListsShowTemplatePicturesRenderedOnlyForTheRowsInView) {
    TemplatePictureCache cache(root, catalogue, folder.file(QStringLiteral("pictures")));
    window = std::make_unique<TemplateManagerWindow>(
        TemplateManagementServices{album, catalogue, settings, ui, root, state, pool, [](int) { return 0; }},
        thumbnails, skin, TemplateManagerHooks{}, &cache);
    add_photo(QStringLiteral("tall"), 300, 400);
    while_open([&] {
        QTreeWidget* list = window->catalogue_view();
        ASSERT_TRUE(test::wait_until([&] { return window->pictures_in_view_shown(); }));
        const int rows = list->topLevelItemCount();
        const QTreeWidgetItem* first = list->topLevelItem(0);
        EXPECT_EQ(first->icon(1).actualSize(TemplateManagerWindow::kListPictureSize),
                  TemplateManagerWindow::kListPictureSize);
        // Only the rows in view were rendered; the last rows wait until they are scrolled to.
        const int in_view = cache.renders();
        EXPECT_GT(in_view, 0);
        ASSERT_LT(in_view, rows) << "the list is expected to hold more rows than it shows";
        EXPECT_TRUE(list->topLevelItem(rows - 1)->icon(1).isNull());
        list->scrollToBottom();
        ASSERT_TRUE(test::wait_until([&] { return window->pictures_in_view_shown(); }));
        EXPECT_FALSE(list->topLevelItem(rows - 1)->icon(1).isNull());

        // A used template shows the same picture without rendering again.
        const int renders = cache.renders();
        select(list, rows - 1);
        test::press(window.get(), QStringLiteral("使用选中模板  ↓"));
        ASSERT_TRUE(test::wait_until([&] { return window->pictures_in_view_shown(); }));
        EXPECT_FALSE(window->used_list()->topLevelItem(0)->icon(1).isNull());
        EXPECT_EQ(cache.renders(), renders);

        // Resting the pointer on a row shows the larger picture; leaving the list hides it.
        QWidget* viewport = list->viewport();
        const QPoint at = list->visualItemRect(list->topLevelItem(rows - 1)).center();
        QHelpEvent rest(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &rest);
        ASSERT_TRUE(window->hover_picture()->isVisible());
        const QImage large = window->hover_picture()->pixmap().toImage();
        EXPECT_EQ(large.size(), TemplatePictureCache::kPictureSize);
        EXPECT_EQ(large.convertToFormat(QImage::Format_RGB32), cache.picture(catalogue.moban.back().xuhao));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(viewport, &leave);
        EXPECT_FALSE(window->hover_picture()->isVisible());
    });
    EXPECT_FALSE(window->hover_picture()->isVisible());
}

} // namespace
} // namespace velmora
