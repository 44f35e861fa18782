// The making window on the offscreen platform, driving real production runs.
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/modal_answers.h"
#include "production/made_album_fixture.h"
#include "production/making_window.h"

namespace velmora {
namespace {

class MakingWindowTest : public ::testing::Test {
protected:
    test::MadeAlbumFixture f;
    WindowSkin skin = WindowSkin::paint();
    std::unique_ptr<MakingWindow> window;
    QStringList opened;

    void SetUp() override {
        f.ui.on_pump = [] { QCoreApplication::processEvents(); };
        f.app_state.zhizuo_zhuan_zhizuo = "wu";
        f.app_state.zhizuo_kaishi = "zhizuo_kaishi";
        f.add_photos(1);
        window = std::make_unique<MakingWindow>(
            MakingSources{f.root, f.album, f.catalogue, f.music, f.settings, f.thumbnails}, f.app_state, f.ui, skin);
        window->set_folder_opener([this](const QString& folder) { opened.append(folder); });
    }
    MakingRequest request() const {
        return MakingRequest{mcl::AlbumType::dvd, "制作DVD相册", "album", f.output_path()};
    }
};

TEST_F(MakingWindowTest, MakesTheAlbumThenOpensTheFolderAndCloses) {
    test::when_modal_shows([&](QWidget* shown) {
        EXPECT_EQ(shown->objectName(), "TForm25");
        EXPECT_EQ(window->caption(), "制作DVD相册");
        EXPECT_EQ(window->name_field()->text(), "album");
        EXPECT_FALSE(window->stop_button()->isEnabled());
        EXPECT_FALSE(window->open_folder_box()->isChecked());
        window->open_folder_box()->setChecked(true);
    });
    window->make(request());
    EXPECT_EQ(window->last_outcome(), ProductionOutcome::Complete);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(f.output_files(), QStringList{"album.mpg"});
    EXPECT_EQ(window->main_bar()->value(), window->main_bar()->maximum());
    EXPECT_EQ(opened, QStringList{f.out()});
    EXPECT_TRUE(window->conversion_log().contains("Conversion ended."));
}

TEST_F(MakingWindowTest, StopEndsTheRunWithoutAFileAndTheCloseLabelDoesNot) {
    // The buttons are pressed from an event pump inside the run, as the person would.
    bool pressed = false;
    f.ui.on_pump = [&] {
        QCoreApplication::processEvents();
        if (pressed || window->main_bar()->value() <= 20)
            return;
        pressed = true;
        EXPECT_TRUE(window->stop_button()->isEnabled());
        test::press_close_label(window.get());
        EXPECT_TRUE(window->isVisible());
        test::press(window.get(), "停止制作");
    };
    window->make(request());
    EXPECT_EQ(window->last_outcome(), ProductionOutcome::Stopped);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(f.output_files().isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    // The box is unticked at every run, and the window can make the next album.
    f.ui.on_pump = [] { QCoreApplication::processEvents(); };
    test::when_modal_shows([&](QWidget*) { EXPECT_FALSE(window->open_folder_box()->isChecked()); });
    window->make(request());
    EXPECT_EQ(window->last_outcome(), ProductionOutcome::Complete);
}

TEST_F(MakingWindowTest, OpenSaveLocationOpensTheOutputFolderOnceThereIsOne) {
    window->open_location_button()->click();
    EXPECT_TRUE(opened.isEmpty());
    test::when_modal_shows([&](QWidget*) {});
    window->make(request());
    window->open_location_button()->click();
    EXPECT_EQ(opened, QStringList{f.out()});
}

} // namespace
} // namespace velmora
