#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "batch/decoded_frames.h"
#include "batch/tool_run.h"
#include "core/jpeg_writer.h"
#include "effects/effect_clip.h"
#include "effects/effect_fixture.h"
#include "preview/sample_photo.h"

namespace velmora {
namespace {

using test::ToolRun;

ToolRun velmora_make(const QStringList& arguments) { return test::run_velmora_make(arguments, 300000); }

bool is_green(QColor c) { return c.green() > 160 && c.red() < 90 && c.blue() < 90; }

// The shipped templates with one installed text effect for their top mark "A": a green band of
// 480 x 96 production pixels at (300, 20) of the effect canvas, 30 frames long.
class EffectsInTheAlbum : public ::testing::Test {
protected:
    test::TempFolder dir;
    QString data = dir.file("smxcwjj");
    QString photo = dir.file("photo.jpg");

    void SetUp() override {
        test::copy_tree(VELMORA_DATA_ROOT, data);
        test::install_effect(DataRoot(data), EffectId::text(1, 1),
                             {.frame_count = "30", .left = "300", .top = "20", .marks = "A",
                              .production_size = {480, 96}, .colour = QColor(0, 255, 0)});
        save_jpeg(paint_sample_photo(QSize(480, 320), 3), photo);
    }
};

TEST_F(EffectsInTheAlbum, TextEffectShowsInsideItsBandFromItsStartFrameAndNotBefore) {
    const QStringList common{"--data-root", data, "--seed", "7"};
    const ToolRun plan = velmora_make(QStringList{"plan"} + common + QStringList{photo});
    ASSERT_EQ(plan.exit_code, 0) << plan.error.toStdString();
    const QJsonArray effects = QJsonDocument::fromJson(plan.out).object()["text_effects"].toArray();
    ASSERT_EQ(effects.size(), 1) << plan.out.toStdString();
    EXPECT_EQ(effects[0].toObject()["添加方式"].toString(), QStringLiteral("自动添加"));
    const int start = *clock_start_frame(effects[0].toObject()["开始时间"].toString());

    const QString out = dir.file("out");
    QDir().mkpath(out);
    const ToolRun make = velmora_make(QStringList{"make"} + common +
                                  QStringList{"--type", "MP4", "--size", "640x360", "--quality", "biaoqing", "--out", out, photo});
    ASSERT_EQ(make.exit_code, 0) << make.error.toStdString();
    // At 640 x 360 the band lies at (240, 16), 160 x 32.
    const auto frames = test::decoded_frames(QString::fromUtf8(make.out.trimmed()), {start - 1, start, start + 28, start + 29});
    const QPoint inside(320, 32), below(320, 60), left(200, 32);
    EXPECT_FALSE(is_green(frames[0].pixelColor(inside))) << "before its start";
    for (int i : {1, 2}) {
        EXPECT_TRUE(is_green(frames[i].pixelColor(inside))) << "frame " << i;
        EXPECT_FALSE(is_green(frames[i].pixelColor(below))) << "frame " << i;
        EXPECT_FALSE(is_green(frames[i].pixelColor(left))) << "frame " << i;
    }
    EXPECT_FALSE(is_green(frames[3].pixelColor(inside))) << "its 30th frame is hidden";
}

TEST_F(EffectsInTheAlbum, SeedRepeatsThePlanAndNoneLeavesTheListsEmpty) {
    const QStringList common{"plan", "--data-root", data, "--seed", "3", photo};
    const ToolRun first = velmora_make(common), second = velmora_make(common);
    ASSERT_EQ(first.exit_code, 0) << first.error.toStdString();
    EXPECT_EQ(first.out, second.out);
    const ToolRun none = velmora_make({"plan", "--data-root", data, "--text-effects", "none", photo});
    ASSERT_EQ(none.exit_code, 0) << none.error.toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(none.out).object()["text_effects"].toArray().isEmpty());
    const ToolRun bad = velmora_make({"plan", "--data-root", data, "--picture-effects", "彩虹", photo});
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_TRUE(bad.error.contains("--picture-effects")) << bad.error.toStdString();
}

TEST_F(EffectsInTheAlbum, EffectsCommandListsWhatIsInstalledByKindAndCategory) {
    const ToolRun listed = velmora_make({"effects", "--json", "--data-root", data});
    ASSERT_EQ(listed.exit_code, 0) << listed.error.toStdString();
    const QJsonObject all = QJsonDocument::fromJson(listed.out).object();
    EXPECT_TRUE(all["picture_effects"].toArray().isEmpty());
    const QJsonArray categories = all["text_effects"].toArray();
    ASSERT_EQ(categories.size(), 20);
    const QJsonObject first = categories[0].toObject();
    EXPECT_EQ(first["name"].toString(), QStringLiteral("02 婚纱文字元素"));
    ASSERT_EQ(first["effects"].toArray().size(), 1);
    EXPECT_EQ(first["effects"].toArray()[0].toObject()["marks"].toString(), QStringLiteral("A"));
    EXPECT_EQ(first["effects"].toArray()[0].toObject()["frames"].toInt(), 30);
    EXPECT_TRUE(categories[1].toObject()["effects"].toArray().isEmpty());
}

TEST_F(EffectsInTheAlbum, DataFolderWithoutEffectsMakesThePlanWithoutThemAndSaysSo) {
    QDir(data + "/wj_x_g_c_l_2").removeRecursively();
    const ToolRun plan = velmora_make({"plan", "--data-root", data, "--picture-effects", "婚纱特效组合", photo});
    ASSERT_EQ(plan.exit_code, 0) << plan.error.toStdString();
    EXPECT_TRUE(plan.error.contains("no effect is installed")) << plan.error.toStdString();
    const QJsonObject lists = QJsonDocument::fromJson(plan.out).object();
    EXPECT_TRUE(lists["text_effects"].toArray().isEmpty());
    EXPECT_TRUE(lists["picture_effects"].toArray().isEmpty());
}

} // namespace
} // namespace velmora
