#include "production/made_album_fixture.h"
#include "production/output_probe.h"
#include "production/workspace_paths.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace velmora {
namespace {

class ProductionRunTest : public ::testing::Test {
protected:
    test::MadeAlbumFixture f;
    FrameLayers layers;

    ProductionOutcome run(ProductionCallbacks callbacks = {}) {
        ProductionRun production(f.input(), f.app_state, f.ui, std::move(callbacks), layers);
        const ProductionOutcome outcome = production.run();
        error = production.error_text();
        state = production.state();
        log = production.log().lines();
        return outcome;
    }
    int first_template_frames() const {
        return test::catalogue_frames(f.catalogue, f.album.used_templates.front().catalogue_number);
    }

    QString error;
    ProductionState state;
    QStringList log;
};

TEST(AlbumFrameTotal, CountsFinishedTemplatesPlusTheClosingMovieOrTheSongsOnce) {
    TemplateCatalogue catalogue;
    catalogue.mobancanshu.resize(3);
    catalogue.mobancanshu[0].mbdx = "150";
    catalogue.mobancanshu[1].mbdx = "175";
    catalogue.mobancanshu[2].mbdx = "225";
    Album album;
    album.used_templates = {UsedTemplate{.catalogue_number = 0, .complete = true},
                            UsedTemplate{.catalogue_number = 2, .complete = false},
                            UsedTemplate{.catalogue_number = 1, .complete = true}};
    const MusicList no_music;
    EXPECT_EQ(album_frame_total(album, catalogue, no_music, SyncMode::Template), 150 + 175 + 150);
    EXPECT_EQ(album_frame_total(album, catalogue, no_music, SyncMode::Music), 0);
}

TEST_F(ProductionRunTest, MakesTheAlbumOfItsFrameTotalWithTheSongAndLeavesOnlyTheFile) {
    f.add_photos(1);
    f.add_song(3);
    std::vector<int> main_values;
    bool started = false;
    ProductionCallbacks callbacks;
    callbacks.main_progress = [&](int value, int) { main_values.push_back(value); };
    callbacks.conversion_started = [&] { started = true; };
    ASSERT_EQ(run(std::move(callbacks)), ProductionOutcome::Complete) << error.toStdString();
    const int total = first_template_frames() + 150;
    EXPECT_EQ(state.zhizuo_zongzhen_sum, total);
    EXPECT_TRUE(started);
    EXPECT_EQ(main_values.back(), total);
    // The 3-second song repeats until it covers the album.
    EXPECT_EQ(int(state.xuyao_yinyue_shuliang.size()), (total + 74) / 75);
    EXPECT_EQ(f.output_files(), QStringList{"album.mpg"});
    const test::OutputProbe probe = test::probe_output(f.output_path());
    EXPECT_EQ(probe.video_frames, total);
    EXPECT_EQ(probe.width, 320);
    EXPECT_FALSE(probe.audio_codec.isEmpty());
    EXPECT_TRUE(log.contains(QStringLiteral("Total frames:  %1").arg(total)));
    EXPECT_TRUE(log.contains(QStringLiteral("Conversion ended.")));
}

TEST_F(ProductionRunTest, MusicSyncMakesTheAlbumAsLongAsTheSongsPlayedOnce) {
    f.add_photos(1);
    f.add_song(7);
    f.settings.sync_mode = SyncMode::Music;
    ASSERT_EQ(run(), ProductionOutcome::Complete) << error.toStdString();
    EXPECT_EQ(state.zhizuo_zongzhen_sum, 175);
    EXPECT_EQ(state.xuyao_yinyue_shuliang.size(), 1u);
    EXPECT_EQ(test::probe_output(f.output_path()).video_frames, 175);
}

// The album is made at 25 frames a second at its render size whatever the disc: only the
// encoder shows it at 30000/1001 on an NTSC DVD.
TEST_F(ProductionRunTest, AnNtscDvdDiscKeepsTheAlbumsFramesAndShowsThemAt2997) {
    f.add_photos(1);
    f.add_song(3);
    f.settings.sync_mode = SyncMode::Music;
    f.settings.tv_standard = mcl::TvStandard::ntsc;
    f.settings.chicun_width = 720;
    f.settings.chicun_height = 480;
    ASSERT_EQ(run(), ProductionOutcome::Complete) << error.toStdString();
    EXPECT_EQ(state.zhizuo_zongzhen_sum, 75);
    EXPECT_EQ(state.Falsh_size, QSize(800, 450));
    const test::OutputProbe probe = test::probe_output(f.output_path());
    EXPECT_EQ(probe.frame_rate_text, "30000/1001");
    EXPECT_EQ(probe.video_frames, 90);   // 75 frames of 1/25 s in frames of 1001/30000 s
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(720, 480));
    EXPECT_NEAR(probe.display_aspect, 16.0 / 9.0, 0.002);
    EXPECT_NEAR(probe.audio_seconds, 3.0, 0.1);
}

TEST_F(ProductionRunTest, AStoppedRunLeavesNoFile) {
    f.add_photos(1);
    int pumps = 0;
    ProductionRun* current = nullptr;
    f.ui.on_pump = [&] {
        if (current && current->state().zhizuo_zhenshu_leijia_sum == 40 && ++pumps == 1)
            current->stop();
    };
    ProductionRun production(f.input(), f.app_state, f.ui, {}, layers);
    current = &production;
    EXPECT_EQ(production.run(), ProductionOutcome::Stopped);
    EXPECT_LT(production.state().zhizuo_zhenshu_leijia_sum, production.state().zhizuo_zongzhen_sum);
    EXPECT_TRUE(f.output_files().isEmpty()) << f.output_files().join(",").toStdString();
}

TEST_F(ProductionRunTest, AFailureMidRunIsShownAndLeavesNoFile) {
    f.add_photos(1);
    const WorkspacePaths paths(f.root);
    // The closing movie vanishes while the first template plays.
    f.ui.on_pump = [&] {
        if (QFileInfo::exists(paths.frame_file()))
            QFile::remove(paths.closing_movie());
    };
    EXPECT_EQ(run(), ProductionOutcome::Failed);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_TRUE(f.ui.messages[0].text.contains(QStringLiteral("wj_y_l_z_h"))) << f.ui.messages[0].text.toStdString();
    EXPECT_TRUE(f.output_files().isEmpty());
}

TEST_F(ProductionRunTest, AnEncoderFailureShowsTheEncodersMessage) {
    f.add_photos(1);
    f.settings.chicun_width = 321;   // odd: the encoder refuses the size
    EXPECT_EQ(run(), ProductionOutcome::Failed);
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_TRUE(f.ui.messages[0].text.contains(QStringLiteral("321"))) << f.ui.messages[0].text.toStdString();
    EXPECT_TRUE(f.output_files().isEmpty());
}

TEST_F(ProductionRunTest, RefusesWithAMessageWhatCannotBeMade) {
    struct Case {
        const char* what;
        std::function<void(test::MadeAlbumFixture&)> change;
        const char* message_part;
    };
    const std::vector<Case> cases = {
        {"no finished template", [](auto& f) { f.album.used_templates.front().complete = false; }, "没有完成照片匹配"},
        {"a name leaving the folder", [](auto& f) { f.settings.xiangce_mingcheng = "../x"; }, ""},
        {"music sync without songs", [](auto& f) { f.settings.sync_mode = SyncMode::Music; }, "没有找到音乐文件"},
    };
    f.add_photos(1);
    for (const Case& c : cases) {
        test::MadeAlbumFixture g;
        g.add_photos(1);
        c.change(g);
        ProductionRun production(g.input(), g.app_state, g.ui, {}, layers);
        EXPECT_EQ(production.run(), ProductionOutcome::Refused) << c.what;
        ASSERT_EQ(g.ui.messages.size(), 1u) << c.what;
        EXPECT_TRUE(g.ui.messages[0].text.contains(QString::fromUtf8(c.message_part))) << c.what;
        EXPECT_TRUE(g.output_files().isEmpty()) << c.what;
    }
}

} // namespace
} // namespace velmora
