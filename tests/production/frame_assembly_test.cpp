#include "core/data_error.h"
#include "core/data_root.h"
#include "production/frame_assembly.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velmora {
namespace {

using Json = nlohmann::ordered_json;

constexpr QSize kRender(160, 90);

// Movie m shows at frame k the colour (40 + 60 m, 20 + 20 k, 200), so every output frame
// names the movie and the frame it came from.
QColor coded(int movie, int frame) { return QColor(40 + 60 * movie, 20 + 20 * frame, 200); }

Json still(Json value) { return Json{{"a", 0}, {"k", std::move(value)}}; }

QByteArray coded_movie(int movie, int frames) {
    Json layers = Json::array();
    for (int k = 0; k < frames; ++k) {
        Json transform{{"o", still(100)}, {"r", still(0)}, {"p", still({0, 0, 0})},
                       {"a", still({0, 0, 0})}, {"s", still({100, 100, 100})}};
        layers.push_back(Json{{"ddd", 0}, {"ind", k + 1}, {"ty", 1}, {"nm", "f" + std::to_string(k)}, {"sr", 1},
                              {"ks", transform}, {"ao", 0}, {"ip", k}, {"op", k + 1}, {"st", 0}, {"bm", 0},
                              {"sc", coded(movie, k).name().toStdString()}, {"sw", 1920}, {"sh", 1080}});
    }
    const Json markers = Json::array({Json{{"cm", "l_x_z_q_r_f_c_x_c=l_x_z_k_t_f_c_s_y_q_rx_c_w_j"},
                                           {"tm", 0}, {"dr", 0}}});
    const Json movie_json{{"v", "5.7.4"}, {"fr", 25}, {"ip", 0}, {"op", frames}, {"w", 1920}, {"h", 1080},
                          {"nm", "coded"}, {"ddd", 0}, {"assets", Json::array()}, {"layers", layers},
                          {"markers", markers}};
    return QByteArray::fromStdString(movie_json.dump());
}

// Records what the frame step tells the layers.
struct RecordingLayers : FrameLayers {
    std::vector<std::pair<int, int>> events;   // (album frame at the event, schedule row); row -1: ended
    int* frame = nullptr;
    void song_started(int row, const SongScheduleRow&) override { events.push_back({*frame, row}); }
    void song_ended(int) override { events.push_back({*frame, -1}); }
    void paint_effects(QPainter& painter, QSize, int album_frame) override {
        if (album_frame == 2)
            painter.fillRect(0, 0, 4, 4, Qt::red);
    }
};

// Template A (movie 0, 3 frames) in folder 1, template B (movie 1, 2 frames) in folder 2, and a
// closing movie (movie 2, 4 frames).
class FrameAssemblyTest : public ::testing::Test {
protected:
    test::TempFolder dir;
    DataRoot root{dir.path()};
    WorkspacePaths paths{root};
    Album album;
    ProductionState state;
    RecordingLayers layers;

    void SetUp() override {
        dir.write(paths.template_movie(1).mid(dir.path().size() + 1), coded_movie(0, 3));
        dir.write(paths.template_movie(2).mid(dir.path().size() + 1), coded_movie(1, 2));
        dir.write(paths.closing_movie().mid(dir.path().size() + 1), coded_movie(2, 4));
        QDir().mkpath(paths.snapshot_folder());
        state.Falsh_size = state.Zhaopian_size = kRender;
        state.xuyao_shiyongmoban_shuliang = {NeededTemplate{{}, 0}, NeededTemplate{{}, 1}};
        state.duiying_keyong_hanghao = {0, 1};
        state.yijing_wancheng_shiyongmoban_hanghao = {0, 1};
        layers.frame = &state.zhizuo_zhenshu_leijia_sum;
    }

    std::vector<QImage> frames(int total) {
        state.zhizuo_zongzhen_sum = total;
        FrameAssembly assembly(state, paths, album, layers);
        assembly.load_first_template();
        assembly.start_first_song();
        std::vector<QImage> out;
        for (int i = 0; i < total; ++i)
            out.push_back(assembly.next_frame());
        return out;
    }
};

// (movie, frame) expected at each album frame; movie -1 is black.
void expect_sequence(const std::vector<QImage>& frames, const std::vector<std::pair<int, int>>& expected) {
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t n = 0; n < frames.size(); ++n) {
        const QColor want = expected[n].first < 0 ? QColor(Qt::black) : coded(expected[n].first, expected[n].second);
        const QColor got = frames[n].pixelColor(80, 45);
        EXPECT_EQ(frames[n].size(), kRender);
        EXPECT_EQ(got.alpha(), 255) << "frame " << n;
        EXPECT_NEAR(got.red(), want.red(), 3) << "frame " << n;
        EXPECT_NEAR(got.green(), want.green(), 3) << "frame " << n;
        EXPECT_NEAR(got.blue(), want.blue(), 3) << "frame " << n;
    }
}

TEST_F(FrameAssemblyTest, TemplateSyncPlaysEachMovieOnceThenHoldsTheClosingMoviesLastFrame) {
    const auto made = frames(13);
    expect_sequence(made, {{-1, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}, {2, 3},
                           {2, 3}, {2, 3}, {2, 3}});
    EXPECT_EQ(state.moban_jietu_kaiguan, Switch::Off);
    EXPECT_EQ(state.zhizuo_zhenshu_leijia_sum, 13);
}

TEST_F(FrameAssemblyTest, SnapshotHoldsTheLastFrameOfTheTemplateJustFinished) {
    state.zhizuo_zongzhen_sum = 20;
    FrameAssembly assembly(state, paths, album, layers);
    assembly.load_first_template();
    for (int i = 0; i < 4; ++i)   // black, A0, A1, A2: the switch to B happens on A's last frame
        assembly.next_frame();
    EXPECT_EQ(state.moban_hanghao_leijia, 1);
    EXPECT_EQ(assembly.player().movie_path(), paths.template_movie(2));
    const QImage snapshot(paths.snapshot());
    ASSERT_FALSE(snapshot.isNull());
    const QColor got = snapshot.pixelColor(80, 45);
    EXPECT_NEAR(got.green(), coded(0, 2).green(), 6);
    EXPECT_NEAR(got.red(), coded(0, 2).red(), 6);
}

TEST_F(FrameAssemblyTest, EffectsAreDrawnOverTheirFrameOnly) {
    const auto made = frames(4);
    EXPECT_EQ(made[2].pixelColor(1, 1), QColor(Qt::red));
    EXPECT_NE(made[3].pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(FrameAssemblyTest, MusicSyncRepeatsTemplatesAndGivesTheClosingMovieTheLast150Frames) {
    state.sync_mode = SyncMode::Music;
    const auto made = frames(160);
    std::vector<std::pair<int, int>> expected = {{-1, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1},
                                                 {0, 0}, {0, 1}, {0, 2}, {1, 0}};
    for (int k = 0; k < 150; ++k)
        expected.push_back({2, std::min(k, 3)});
    expect_sequence(made, expected);
}

TEST_F(FrameAssemblyTest, SongsSwitchAfterTheirFramesAndPlaysShorterThanASecondArePassedOver) {
    state.xuyao_yinyue_shuliang = {{0, 3}, {1, 0}, {0, 2}};
    frames(8);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {3, -1}, {3, 2}, {5, -1}};
    EXPECT_EQ(layers.events, expected);
    EXPECT_EQ(state.Lrc_geci_kaiguan, Switch::Off);
}

TEST_F(FrameAssemblyTest, AMissingMovieFailsTheSwitchWithItsName) {
    QFile::remove(paths.template_movie(2));
    state.zhizuo_zongzhen_sum = 10;
    FrameAssembly assembly(state, paths, album, layers);
    assembly.load_first_template();
    for (int i = 0; i < 3; ++i)
        assembly.next_frame();
    try {
        assembly.next_frame();
        FAIL() << "the switch to a missing movie went through";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("wj_y_l_2"))) << error.message().toStdString();
    }
}

} // namespace
} // namespace velmora
