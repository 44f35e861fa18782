// The crop window on the offscreen platform: listing, selecting, zooming, dragging, saving.
#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/scripted_ui.h"
#include "core/system_settings.h"
#include "support/test_support.h"
#include "templates/album_fixture.h"
#include "templates/crop_window.h"
#include "templates/photo_fixtures.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

// A mixed template with one 800 x 600 landscape slot, and a single-photo landscape template.
const test::TemplateFixture kMixed{QStringLiteral("mix"), QStringLiteral("|heng|heng|"),
                                   QStringLiteral("|picture_1|picture_1_b|"), QStringLiteral("|800|400|"),
                                   QStringLiteral("|600|300|")};
const test::TemplateFixture kLandscape{QStringLiteral("land"), QStringLiteral("|heng|"), QStringLiteral("|picture_1|"),
                                       QStringLiteral("|1920|"), QStringLiteral("|1080|")};

struct CropFixture {
    WindowSkin skin = WindowSkin::paint();
    TemplateCatalogue catalogue = test::make_catalogue({kMixed, kLandscape});
    Album album;
    SystemSettings settings;
    ScriptedUi ui;
    ThumbnailService thumbnails;
    test::TempFolder folder;
    CropWindow window{album, ui, thumbnails, skin};

    int use(const QString& name, const QString& category) {
        const BackgroundPool no_pool;
        return *add_used_template(album, catalogue, test::list_row(catalogue, name, category), true, no_pool,
                                  [](int) { return 0; });
    }
    // A 3:2 quadrant photo appended to the photo list.
    int photo(const QString& name) {
        PhotoEntry p = test::make_photo(name, 600, 400);
        p.location = folder.write(name + QStringLiteral(".jpg"), test::jpeg_with(test::quadrant_picture(600, 400)));
        album.photos.push_back(p);
        return int(album.photos.size()) - 1;
    }
    QString last_message() const { return ui.messages.empty() ? QString() : ui.messages.back().text; }
    QRect photo_geometry() const { return window.photo()->geometry(); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QWidget* target = window.photo();
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, {});
        QApplication::sendEvent(target, &event);
    }
};

TEST(CropWindow, OpenListsTheSlotsHoldingPhotosAndShowsModally) {
    CropFixture f;
    f.use(QStringLiteral("mix"), QStringLiteral("综合模板"));
    f.use(QStringLiteral("land"), QStringLiteral("横照模板"));
    f.use(QStringLiteral("land"), QStringLiteral("横照模板"));
    const int a = f.photo(QStringLiteral("a"));
    match_photo_to_slot(f.album, 0, a, f.settings);
    match_photo_to_slot(f.album, 2, a, f.settings); // slot 1 stays empty

    bool shown = false;
    test::when_modal_shows([&](QWidget* modal) {
        shown = true;
        EXPECT_EQ(modal->objectName(), "TForm9");
        EXPECT_TRUE(f.window.full_screen_option()->isChecked());
        EXPECT_FALSE(f.window.full_screen_option()->isVisible());
        EXPECT_FALSE(f.window.fitted_option()->isVisible());
        test::press(modal, QStringLiteral("取消"));
    });
    f.window.open();
    ASSERT_TRUE(shown);

    QTreeWidget* list = f.window.list();
    EXPECT_EQ(list->objectName(), "zhaopian_wenjian");
    EXPECT_EQ(list->headerItem()->text(4), "标注");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const QStringList second{"2", "a", "2", f.album.photos[0].location, "2", "0"};
    for (int c = 0; c < second.size(); ++c)
        EXPECT_EQ(list->topLevelItem(1)->text(c), second[c]) << c;
    EXPECT_EQ(f.window.box()->geometry(), QRect(0, 0, 800, 450));
}

TEST(CropWindow, CommandsNeedPhotosListRowsAndASelection) {
    CropFixture f;
    f.window.fill();
    test::press(&f.window, QStringLiteral("放大相片"));
    EXPECT_EQ(f.last_message(), "没有添加照片文件！");

    f.use(QStringLiteral("mix"), QStringLiteral("综合模板"));
    f.photo(QStringLiteral("a"));
    f.window.fill();
    test::press(&f.window, QStringLiteral("保存剪裁"));
    EXPECT_EQ(f.last_message(), "添加的照片文件没有与模板文件匹配！");

    match_photo_to_slot(f.album, 0, 0, f.settings);
    f.window.fill();
    test::press(&f.window, QStringLiteral("缩小相片"));
    EXPECT_EQ(f.last_message(), "没有选中照片文件！");
    test::press(&f.window, QStringLiteral("默认大小"));
    EXPECT_EQ(f.last_message(), "没有选中照片文件！");
    EXPECT_EQ(f.album.slot_rows[0].jiancai_width, 900); // nothing changed
}

TEST(CropWindow, SelectZoomSaveAndShrinkPastTheLimit) {
    CropFixture f;
    f.use(QStringLiteral("mix"), QStringLiteral("综合模板"));
    match_photo_to_slot(f.album, 0, f.photo(QStringLiteral("a")), f.settings);
    f.window.fill();

    // The 800 x 600 slot is an 800 x 600 box; the 3:2 photo covers it at 900 x 600 from -50.
    f.window.select_row(0);
    EXPECT_EQ(f.window.detail(1), "a");
    EXPECT_EQ(f.window.box()->geometry(), QRect(0, -75, 800, 600));
    EXPECT_EQ(f.photo_geometry(), QRect(-50, 0, 900, 600));
    EXPECT_EQ(f.window.zoom_size(), QSize(900, 600));
    EXPECT_FALSE(f.window.full_screen_option()->isVisible());
    const QImage shown = f.window.photo()->pixmap().toImage();
    EXPECT_TRUE(test::near(shown.pixelColor(200, 100), test::kTopLeft));

    test::press(&f.window, QStringLiteral("放大相片"));
    EXPECT_EQ(f.photo_geometry(), QRect(-90, -26, 980, 653));
    test::press(&f.window, QStringLiteral("保存剪裁"));
    EXPECT_EQ(f.last_message(), "保存剪裁完成！");
    const SlotRow& slot = f.album.slot_rows[0];
    EXPECT_EQ(QRect(slot.jiancai_left_x, slot.jiancai_top_y, slot.jiancai_width, slot.jiancai_height),
              QRect(-90, -26, 980, 653));
    EXPECT_EQ(slot.crop_mark, CropMark::FullScreen);

    // Back to 900 x 600, then 820 x 546 no longer covers the box: message, then the saved size.
    test::press(&f.window, QStringLiteral("缩小相片"));
    EXPECT_EQ(f.window.zoom_size(), QSize(900, 600));
    const std::size_t before = f.ui.messages.size();
    test::press(&f.window, QStringLiteral("缩小相片"));
    ASSERT_EQ(f.ui.messages.size(), before + 1);
    EXPECT_EQ(f.last_message(), "不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！");
    EXPECT_EQ(f.photo_geometry(), QRect(-90, -26, 980, 653));
    for (QPushButton* b : f.window.findChildren<QPushButton*>())
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
}

TEST(CropWindow, DraggedPhotoSnapsBackToCoverTheBox) {
    CropFixture f;
    f.use(QStringLiteral("mix"), QStringLiteral("综合模板"));
    match_photo_to_slot(f.album, 0, f.photo(QStringLiteral("a")), f.settings);
    f.window.fill();
    f.window.select_row(0);

    f.mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    f.mouse(QEvent::MouseMove, {80, 130}, Qt::LeftButton);
    EXPECT_EQ(f.photo_geometry().topLeft(), QPoint(-70, 30));
    f.mouse(QEvent::MouseButtonRelease, {80, 130}, {});
    EXPECT_EQ(f.photo_geometry().topLeft(), QPoint(-70, 0));

    // Far to the left a gap would open on the right: the photo touches the right edge.
    f.mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    f.mouse(QEvent::MouseMove, {-100, 100}, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonRelease, {-100, 100}, {});
    EXPECT_EQ(f.photo_geometry().topLeft(), QPoint(-100, 0));
    test::press(&f.window, QStringLiteral("保存剪裁"));
    EXPECT_EQ(f.album.slot_rows[0].jiancai_left_x, -100);
}

TEST(CropWindow, LandscapeTemplateOptionsFollowTheCropMarkAndSwitch) {
    CropFixture f;
    f.use(QStringLiteral("land"), QStringLiteral("横照模板"));
    match_photo_to_slot(f.album, 0, f.photo(QStringLiteral("a")), f.settings);
    f.album.slot_rows[0].crop_mark = CropMark::Fitted;
    f.window.fill();
    f.window.select_row(0);

    // Fitted: 1620 x 1080 centred at 150 in the frame, no zoom or dragging.
    EXPECT_TRUE(f.window.fitted_option()->isChecked());
    EXPECT_TRUE(f.window.fitted_option()->isVisibleTo(&f.window));
    EXPECT_FALSE(f.window.findChild<QPushButton*>(QStringLiteral("放大相片"))->isEnabled());
    EXPECT_EQ(f.photo_geometry(), QRect(62, 0, 675, 450));
    f.mouse(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    f.mouse(QEvent::MouseMove, {60, 60}, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonRelease, {60, 60}, {});
    EXPECT_EQ(f.photo_geometry(), QRect(62, 0, 675, 450));
    test::press(&f.window, QStringLiteral("保存剪裁"));
    EXPECT_FALSE(f.window.findChild<QPushButton*>(QStringLiteral("放大相片"))->isEnabled());

    // Full screen: the cover placement, zoom enabled; saved, the slot's mark follows.
    f.window.full_screen_option()->click();
    EXPECT_TRUE(f.window.findChild<QPushButton*>(QStringLiteral("放大相片"))->isEnabled());
    EXPECT_EQ(f.photo_geometry(), QRect(0, 0, 800, 533));
    test::press(&f.window, QStringLiteral("保存剪裁"));
    EXPECT_EQ(f.album.slot_rows[0].crop_mark, CropMark::FullScreen);
}

} // namespace
} // namespace velmora
