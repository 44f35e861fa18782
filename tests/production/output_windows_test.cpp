// The album-type, picture-quality and synchronisation windows on the offscreen platform.
#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "core/scripted_ui.h"
#include "production/album_type_choice.h"
#include "production/album_type_window.h"
#include "production/insert_video_window.h"
#include "production/picture_quality_window.h"
#include "production/synchronisation_window.h"

namespace velmora {
namespace {

using mcl::AlbumType;

struct Windows {
    WindowSkin skin = WindowSkin::paint();
    OutputSettings settings;
    AppState state;
    ScriptedUi ui;
    AlbumTypeWindow album_type{settings, ui, skin};
    PictureQualityWindow quality{settings, state, ui, skin};
    SynchronisationWindow sync{settings, state, ui, skin};
};

TEST(AlbumTypeWindow, ShowsTheTypesDefaultAndStartsWithAName) {
    Windows w;
    for (AlbumType type : {AlbumType::vcd, AlbumType::dvd}) {
        const bool vcd = type == AlbumType::vcd;
        prepare_album_type_choice(w.settings, type);
        test::when_modal_shows([&](QWidget* window) {
            EXPECT_EQ(window->objectName(), "TForm24");
            EXPECT_EQ(w.album_type.size_list()->count(), vcd ? 6 : 10);
            EXPECT_EQ(w.album_type.size_list()->currentRow(), vcd ? 4 : 7);
            EXPECT_EQ(w.album_type.chosen_size()->text(), vcd ? "1280 × 720" : "1920 × 1088");
            EXPECT_EQ(w.album_type.chosen_type()->text(), vcd ? "VCD" : "DVD");
            EXPECT_TRUE(w.album_type.chosen_size()->isReadOnly());
            EXPECT_EQ(window->focusWidget(), w.album_type.name_field());

            // Another item, then "默认" again.
            QListWidget* list = w.album_type.size_list();
            emit list->itemClicked(list->item(1));
            EXPECT_EQ(w.album_type.chosen_size()->text(), "464 × 256");
            EXPECT_EQ(w.settings.chicun_width, 464);
            // The disc size comes last.
            emit list->itemClicked(list->item(list->count() - 1));
            EXPECT_EQ(w.album_type.chosen_size()->text(), vcd ? "352×288 VCD光盘" : "720×576 DVD光盘");
            EXPECT_EQ(w.settings.chicun_width, vcd ? 352 : 720);
            EXPECT_EQ(list->currentRow(), list->count() - 1);
            test::press(window, QStringLiteral("默认"));
            EXPECT_EQ(list->currentRow(), vcd ? 4 : 7);
            EXPECT_EQ(w.settings.chicun_height, vcd ? 720 : 1088);

            // An empty name keeps the window open; a name closes it.
            test::press(window, QStringLiteral("开始制作"));
            EXPECT_TRUE(window->isVisible());
            w.album_type.name_field()->setText(QStringLiteral("春游"));
            test::press(window, QStringLiteral("开始制作"));
        });
        w.ui.messages.clear();
        w.album_type.open_modal();
        ASSERT_EQ(w.ui.messages.size(), 1u);
        EXPECT_EQ(w.ui.messages[0].text, "相册名称不能为空,请输入相册名称！");
        EXPECT_EQ(w.settings.quxiao, AlbumTypeAnswer::Start);
        EXPECT_EQ(w.settings.xiangce_mingcheng, "春游");
    }
}

TEST(AlbumTypeWindow, OffersTheDiscSizeOfTheTvStandard) {
    Windows w;
    w.settings.tv_standard = mcl::TvStandard::ntsc;
    prepare_album_type_choice(w.settings, AlbumType::dvd);
    test::when_modal_shows([&](QWidget* window) {
        QListWidget* list = w.album_type.size_list();
        ASSERT_EQ(list->count(), 10);
        EXPECT_EQ(list->item(9)->text(), "720×480 DVD光盘");
        emit list->itemClicked(list->item(9));
        EXPECT_EQ(w.album_type.chosen_size()->text(), "720×480 DVD光盘");
        EXPECT_EQ(QSize(w.settings.chicun_width, w.settings.chicun_height), QSize(720, 480));
        test::press_close_label(window);
    });
    w.album_type.open_modal();
}

TEST(AlbumTypeWindow, CancelCloseLabelAndEscapeAnswerCancel) {
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* w) { test::press(w, QStringLiteral("取消")); },
        [](QWidget* w) { test::press_close_label(w); },
        [](QWidget* w) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w, &escape);
        },
    };
    for (const auto& way : ways) {
        Windows w;
        prepare_album_type_choice(w.settings, AlbumType::mov);
        test::when_modal_shows([&](QWidget* window) {
            w.album_type.name_field()->setText(QStringLiteral("不要"));
            way(window);
        });
        w.album_type.open_modal();
        EXPECT_EQ(w.settings.quxiao, AlbumTypeAnswer::Cancel);
        EXPECT_TRUE(w.settings.xiangce_mingcheng.isEmpty());
        EXPECT_FALSE(w.album_type.isVisible());
    }
}

TEST(PictureQualityWindow, ClicksWriteTheSettingsAndShowingMatchesThem) {
    Windows w;
    w.settings.huamianzhiliang_xuanzhong = PictureQuality::biaoqing;
    test::when_modal_shows([&](QWidget* window) {
        EXPECT_TRUE(w.quality.quality_button(PictureQuality::biaoqing)->isChecked());
        EXPECT_TRUE(w.quality.standard_button(mcl::TvStandard::pal)->isChecked());
        w.quality.quality_button(PictureQuality::gaoqing)->click();
        w.quality.standard_button(mcl::TvStandard::ntsc)->click();
        test::press(window, QStringLiteral("返  回"));
    });
    w.quality.open_modal();
    EXPECT_EQ(to_text(w.settings.huamianzhiliang_xuanzhong), "gaoqing");
    EXPECT_EQ(w.settings.tv_standard, mcl::TvStandard::ntsc);

    // While the preview plays the window does not open.
    w.state.tuichu = PreviewPlayback::Playing;
    w.quality.open_modal();
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, "正在播放相册,点停止按钮后,再操作！");
}

TEST(SynchronisationWindow, ClicksWriteTheSyncMode) {
    Windows w;
    test::when_modal_shows([&](QWidget* window) {
        EXPECT_TRUE(w.sync.button(SyncMode::Template)->isChecked());
        EXPECT_EQ(w.sync.button(SyncMode::Music)->text(), "随音乐文件同步  (模板循环)");
        w.sync.button(SyncMode::Music)->click();
        test::press_close_label(window);
    });
    w.sync.open_modal();
    EXPECT_EQ(w.settings.sync_mode, SyncMode::Music);
    w.state.tuichu = PreviewPlayback::Playing;
    w.sync.open_modal();
    EXPECT_EQ(w.ui.messages.size(), 1u);
}

TEST(InsertVideoWindow, ClosesWithItsButton) {
    const WindowSkin skin = WindowSkin::paint();
    InsertVideoWindow window(skin);
    test::when_modal_shows([](QWidget* w) { test::press(w, QStringLiteral("返  回")); });
    window.open_modal();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.objectName(), "TForm22");
}

} // namespace
} // namespace velmora
