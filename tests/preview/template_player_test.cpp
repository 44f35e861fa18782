#include "preview/template_player.h"

#include "core/data_error.h"
#include "core/json_depth.h"
#include "preview/movie_fixture.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velmora {
namespace {

using test::expect_colour;

const QColor kRed(220, 30, 30);
const QColor kYellow(230, 220, 40);
const QColor kGreen(30, 200, 60);
const QColor kWhite(255, 255, 255);
const QSize kPreview(800, 450);

// Canvas points inside the slot, a little in from its corners, and just outside it.
const QPointF kSlotCentre = QRectF(test::kSlotRect).center();
const QPointF kSlotLeftTop(test::kSlotRect.left() + 12, test::kSlotRect.top() + 12);
const QPointF kSlotLeftBottom(test::kSlotRect.left() + 12, test::kSlotRect.bottom() - 12);
const QPointF kSlotRightTop(test::kSlotRect.right() - 12, test::kSlotRect.top() + 12);
const QPointF kSlotRightBottom(test::kSlotRect.right() - 12, test::kSlotRect.bottom() - 12);
const QPointF kOutsideLeftTop(test::kSlotRect.left() - 12, test::kSlotRect.top() - 12);
const QPointF kOutsideRightBottom(test::kSlotRect.right() + 12, test::kSlotRect.bottom() + 12);
const QPointF kBackgroundOnly(60, 60);

QColor over_backdrop(QColor colour, double opacity) {
    const auto mix = [&](int top, int bottom) { return static_cast<int>(top * opacity + bottom * (1 - opacity) + 0.5); };
    return QColor(mix(colour.red(), test::kBackdrop.red()), mix(colour.green(), test::kBackdrop.green()),
                  mix(colour.blue(), test::kBackdrop.blue()));
}

// A movie folder as the workspace writes it: the movie plus its pictures at preview scale.
class MovieFolder {
public:
    explicit MovieFolder(const test::MovieOptions& options = {}) {
        movie_ = folder_.write("wj_y_l_1.rar", test::movie_json(options));
        set_slot_picture(test::two_tone_jpeg(kPreview, kRed, kYellow));
        set_background_picture(test::plain_jpeg(kPreview, kGreen));
    }
    const QString& movie() const { return movie_; }
    QString file(const QString& name) const { return folder_.file(name); }
    void set_slot_picture(const QByteArray& jpeg) const { folder_.write("picture_1.jpg", jpeg); }
    void set_background_picture(const QByteArray& jpeg) const { folder_.write("wj_y_l_b_j.jpg", jpeg); }
    QString write(const QString& name, const QByteArray& content) const { return folder_.write(name, content); }

private:
    test::TempFolder folder_;
    QString movie_;
};

void pump_until(const std::function<bool()>& done, int limit_ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limit_ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(TemplatePlayer, UnloadedPlayerRendersTransparentAtHostSize) {
    TemplatePlayer player("ShockwaveFlash_2", kPreview);
    EXPECT_EQ(player.objectName(), "ShockwaveFlash_2");
    EXPECT_FALSE(player.is_loaded());
    EXPECT_EQ(player.total_frames(), 0);
    player.set_frame_num(7);
    EXPECT_EQ(player.frame_num(), 0);
    EXPECT_TRUE(player.get_variable(kTemplateMarker).isEmpty());
    const QImage frame = player.grab();
    EXPECT_EQ(frame.size(), kPreview);
    EXPECT_EQ(frame.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(frame.pixel(400, 225), 0u);
}

TEST(TemplatePlayer, LoadsAndSeeksWithinTheMovie) {
    const MovieFolder folder(test::MovieOptions{.frames = 40});
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.set_frame_num(0);
    player.load(folder.movie());
    EXPECT_TRUE(player.is_loaded());
    EXPECT_EQ(player.movie_path(), folder.movie());
    EXPECT_EQ(player.total_frames(), 40);
    EXPECT_EQ(player.frame_num(), 0);

    const std::pair<int, int> seeks[] = {{7, 7}, {39, 39}, {40, 39}, {1000, 39}, {0, 0}, {-5, 0}};
    for (const auto& [asked, shown] : seeks) {
        player.set_frame_num(asked);
        EXPECT_EQ(player.frame_num(), shown) << "asked " << asked;
    }
    player.set_frame_num(12);
    player.render(30);
    EXPECT_EQ(player.frame_num(), 12) << "render(frame) must not move the player";
}

TEST(TemplatePlayer, AnswersMarkersByName) {
    const MovieFolder folder(test::MovieOptions{
        .marker_comments = {"l_x_z_f_c_q_d_x_c=l_x_z_f_c_s_y_q_d_x_c_w_j", "mbdx=50", "no value here"}});
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    EXPECT_EQ(player.get_variable(kStartupMarker), kStartupMarkerAnswer);
    EXPECT_EQ(player.get_variable("mbdx"), "50");
    EXPECT_TRUE(player.get_variable(kTemplateMarker).isEmpty());
    EXPECT_TRUE(player.get_variable("no value here").isEmpty());
    EXPECT_FALSE(player.answers_template_marker());

    const MovieFolder template_folder;
    player.load(template_folder.movie());
    EXPECT_EQ(player.get_variable(kTemplateMarker), kTemplateMarkerAnswer);
    EXPECT_TRUE(player.answers_template_marker());
}

TEST(TemplatePlayer, RefusesBadMoviesAndKeepsTheLoadedOne) {
    const MovieFolder good;
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(good.movie());
    player.set_frame_num(9);

    nlohmann::ordered_json no_frames = nlohmann::ordered_json::parse(test::movie_json().toStdString());
    no_frames["op"] = 0;
    nlohmann::ordered_json bad_asset = nlohmann::ordered_json::parse(test::movie_json().toStdString());
    bad_asset["assets"][0]["w"] = 0;
    const std::pair<QString, QByteArray> movies[] = {
        {"truncated.rar", test::movie_json().left(300)},
        {"empty.rar", QByteArray()},
        {"array.rar", "[1, 2, 3]"},
        {"zip.rar", QByteArray("PK\x03\x04 not json at all")},
        {"no_frames.rar", QByteArray::fromStdString(no_frames.dump())},
        {"bad_asset.rar", QByteArray::fromStdString(bad_asset.dump())},
        {"no_layers.rar", R"({"v":"5.7.4","fr":25,"ip":0,"op":10,"w":1920,"h":1080})"},
        // Well-formed JSON of the right shape that rlottie itself refuses.
        {"number_layers.rar", R"({"v":"5.7.4","fr":25,"ip":0,"op":10,"w":1920,"h":1080,"layers":[1,2]})"},
        {"bad_shape.rar", R"({"v":"5.7.4","fr":25,"ip":0,"op":10,"w":1920,"h":1080,)"
                          R"("layers":[{"ty":4,"shapes":[{"ty":"rc","p":5}],"ks":{}}]})"},
    };
    QStringList paths{good.file("missing.rar")};
    for (const auto& [name, content] : movies)
        paths << good.write(name, content);

    for (const QString& path : paths) {
        try {
            player.load(path);
            ADD_FAILURE() << "accepted " << path.toStdString();
        } catch (const DataError& error) {
            EXPECT_TRUE(error.message().contains(path)) << error.what();
        }
        EXPECT_EQ(player.movie_path(), good.movie());
        EXPECT_EQ(player.frame_num(), 9);
    }
    expect_colour(player.grab(), kSlotRightTop, kYellow);
}

// The fixture movie with a value `depth` arrays deep under an extra key, so the whole
// document nests depth + 1 levels.
QByteArray nested_movie(int depth) {
    QByteArray movie = test::movie_json();
    movie.chop(movie.size() - movie.lastIndexOf('}'));
    return movie + ",\"nest\":" + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
}

TEST(TemplatePlayer, RefusesMoviesNestedTooDeepAndPlaysOnesAtTheBound) {
    const MovieFolder folder;
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    const QString deep = folder.write("deep.rar", nested_movie(60000));
    try {
        player.load(deep);
        ADD_FAILURE() << "accepted a movie nested 60,000 levels deep";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains(deep)) << error.what();
    }
    EXPECT_FALSE(player.is_loaded());

    player.load(folder.write("at_bound.rar", nested_movie(kMaxJsonDepth - 1)));
    expect_colour(player.grab(), kSlotRightTop, kYellow);
    EXPECT_THROW(player.load(folder.write("past_bound.rar", nested_movie(kMaxJsonDepth))), DataError);
}

TEST(TemplatePlayer, PlayAdvancesWhileEventsArePumpedAndStopHalts) {
    const MovieFolder folder(test::MovieOptions{.frames = 12});
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    std::vector<int> shown;
    QObject::connect(&player, &TemplatePlayer::frame_changed, [&](int frame) { shown.push_back(frame); });

    player.play();
    EXPECT_TRUE(player.is_playing());
    pump_until([&] { return player.frame_num() >= 5; });
    EXPECT_GE(player.frame_num(), 5);
    EXPECT_EQ(shown.front(), 1);

    pump_until([&] { return player.frame_num() == 0; });
    EXPECT_EQ(player.frame_num(), 0) << "play wraps from the last frame to 0";

    player.stop();
    const int stopped_at = player.frame_num();
    pump_until([] { return false; }, 200);
    EXPECT_FALSE(player.is_playing());
    EXPECT_EQ(player.frame_num(), stopped_at);
}

// The slot picture fills its place in the frame and the background shows at its transparency,
// at the preview size and at the output size, with pictures written at preview scale.
TEST(TemplatePlayer, DrawsSlotAndBackgroundPicturesInPlace) {
    const MovieFolder folder;
    for (const QSize host : {kPreview, QSize(1920, 1080)}) {
        SCOPED_TRACE(host.width());
        TemplatePlayer player("ShockwaveFlash1", host);
        player.load(folder.movie());
        const QImage frame = player.grab();
        ASSERT_EQ(frame.size(), host);
        expect_colour(frame, kSlotLeftTop, kRed);
        expect_colour(frame, kSlotLeftBottom, kRed);
        expect_colour(frame, kSlotRightTop, kYellow);
        expect_colour(frame, kSlotRightBottom, kYellow);
        expect_colour(frame, kOutsideLeftTop, kGreen);
        expect_colour(frame, kOutsideRightBottom, kGreen);
        expect_colour(frame, kBackgroundOnly, kGreen);
        expect_colour(frame, QRectF(test::kMarkRect).center(), kWhite);
    }
}

// A picture of another aspect is fitted whole into its slot, with the background around it.
TEST(TemplatePlayer, FitsPicturesOfAnotherAspectWithoutStretching) {
    const MovieFolder folder;
    folder.set_slot_picture(test::two_tone_jpeg({400, 400}, kRed, kYellow));
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    const QImage frame = player.grab();
    // 540 x 540 centred in the 960 x 540 slot: canvas x 690 .. 1230.
    expect_colour(frame, {680, kSlotCentre.y()}, kGreen);
    expect_colour(frame, {700, kSlotCentre.y()}, kRed);
    expect_colour(frame, {940, test::kSlotRect.top() + 8.0}, kRed);
    expect_colour(frame, {980, test::kSlotRect.bottom() - 8.0}, kYellow);
    expect_colour(frame, {1220, kSlotCentre.y()}, kYellow);
    expect_colour(frame, {1240, kSlotCentre.y()}, kGreen);
}

TEST(TemplatePlayer, MissingPictureIsTransparent) {
    const MovieFolder folder;
    QFile::remove(folder.file("picture_1.jpg"));
    folder.write("wj_y_l_b_j.jpg", "not a picture");
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    const QImage frame = player.grab();
    expect_colour(frame, kSlotCentre, test::kBackdrop);
    expect_colour(frame, kBackgroundOnly, test::kBackdrop);
}

TEST(TemplatePlayer, BackgroundTransparencyBeforeOrAfterLoad) {
    const MovieFolder folder;
    struct Case { int transparency; bool before_load; };
    for (const Case c : {Case{0, false}, Case{60, false}, Case{60, true}, Case{100, true}}) {
        SCOPED_TRACE(c.transparency);
        SCOPED_TRACE(c.before_load ? "before load" : "after load");
        TemplatePlayer player("ShockwaveFlash1", kPreview);
        if (c.before_load)
            player.set_variable("num_stop", QString::number(c.transparency));
        player.load(folder.movie());
        player.set_frame_num(3);
        if (!c.before_load)
            player.set_variable("num_stop", QString::number(c.transparency));
        EXPECT_EQ(player.frame_num(), 3);
        const QImage frame = player.grab();
        expect_colour(frame, kBackgroundOnly, over_backdrop(kGreen, (100 - c.transparency) / 100.0));
        expect_colour(frame, kSlotLeftTop, kRed);
    }
}

TEST(TemplatePlayer, TransparencyCombinesWithTheLayersOwnFade) {
    const MovieFolder folder(test::MovieOptions{.background_fades_itself = true});
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    player.set_background_transparency(50);
    expect_colour(player.render(0), kBackgroundOnly, over_backdrop(kGreen, 0.5));
    expect_colour(player.render(5), kBackgroundOnly, over_backdrop(kGreen, 0.25));
    expect_colour(player.render(20), kBackgroundOnly, test::kBackdrop);
}

TEST(TemplatePlayer, RefusesBadVariablesAndChangesNothing) {
    const MovieFolder folder;
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    player.set_variable("num_stop", "30");
    for (const auto& [name, value] : {std::pair{"num_stop", "101"}, {"num_stop", "-1"},
                                      {"num_stop", "half"}, {"num_stop", ""}, {"other", "5"}})
        EXPECT_THROW(player.set_variable(name, value), std::invalid_argument) << name << "=" << value;
    EXPECT_EQ(player.background_transparency(), 30);
    expect_colour(player.grab(), kBackgroundOnly, over_backdrop(kGreen, 0.7));
}

// Pictures are rewritten between loads of the same movie path; a reload shows the new ones.
TEST(TemplatePlayer, ReloadShowsPicturesRewrittenOnDisk) {
    const MovieFolder folder;
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    expect_colour(player.grab(), kSlotLeftTop, kRed);

    folder.set_slot_picture(test::plain_jpeg(kPreview, kWhite));
    folder.set_background_picture(test::plain_jpeg(kPreview, kYellow));
    player.load(folder.movie());
    expect_colour(player.grab(), kSlotLeftTop, kWhite);
    expect_colour(player.grab(), kBackgroundOnly, kYellow);

    TemplatePlayer second("ShockwaveFlash_2", kPreview);
    second.load(folder.movie());
    expect_colour(second.grab(), kSlotRightBottom, kWhite);
}

TEST(TemplatePlayer, ResizedHostRendersAtTheNewSize) {
    const MovieFolder folder;
    TemplatePlayer player("ShockwaveFlash1", kPreview);
    player.load(folder.movie());
    player.set_host_size({207, 116});
    const QImage frame = player.grab();
    EXPECT_EQ(frame.size(), QSize(207, 116));
    expect_colour(frame, {720, 540}, kRed, 40);
    EXPECT_THROW(player.set_host_size({0, 116}), std::invalid_argument);
    EXPECT_EQ(player.host_size(), QSize(207, 116));
}

} // namespace
} // namespace velmora
