#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "core/jpeg_writer.h"
#include "support/test_support.h"

namespace velmora {
namespace {

using nlohmann::json;

struct PlanRun {
    int exit_code = -1;
    json out;
    QString error;
};

class PlanCommand : public ::testing::Test {
protected:
    test::TempFolder dir;
    QString data = dir.file("smxcwjj");

    void SetUp() override { test::copy_tree(VELMORA_DATA_ROOT, data); }

    QString photo(const QString& name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = dir.file("photos/" + name);
        QDir().mkpath(dir.file("photos"));
        save_jpeg(image, path);
        return path;
    }
    PlanRun run(QStringList arguments) {
        QProcess process;
        arguments.prepend(data);
        arguments.prepend("--data-root");
        arguments.prepend("plan");
        process.start(QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make", arguments);
        process.waitForFinished(120000);
        PlanRun r;
        r.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.error = QString::fromUtf8(process.readAllStandardError());
        const QByteArray out = process.readAllStandardOutput();
        if (r.exit_code == 0)
            r.out = json::parse(out.toStdString());
        return r;
    }
};

// Every photo sits in a slot of its kind, in a template whose lists agree with each other.
void expect_consistent_album(const json& out) {
    for (const char* list : {"photos", "used_templates", "slots", "backgrounds"})
        ASSERT_TRUE(out.contains(list) && out[list].is_array()) << list;
    const json& photos = out["photos"];
    const json& used = out["used_templates"];
    const json& slot_rows = out["slots"];
    EXPECT_EQ(out["backgrounds"].size(), used.size()) << "one background row per used template";
    EXPECT_EQ(slot_rows[0].size(), 27u) << "every slot row has its 27 cells";
    for (const char* key : {"编号", "名称", "类型", "分类", "图片名称", "图片类型", "宽度", "高度", "图片位置", "透明度"})
        EXPECT_TRUE(out["backgrounds"][0].contains(key)) << key;

    std::vector<int> uses(photos.size(), 0);
    std::vector<int> slot_count(used.size(), 0);
    for (const json& s : slot_rows) {
        const int used_row = std::stoi(s["used_row"].get<std::string>());
        ASSERT_LT(used_row, int(used.size()));
        ++slot_count[std::size_t(used_row)];
        EXPECT_EQ(s["template_name"], used[std::size_t(used_row)]["template_name"]);
        EXPECT_EQ(s["match"], "yi_pipei");
        const int photo_row = std::stoi(s["photo_row"].get<std::string>());
        ASSERT_LT(photo_row, int(photos.size()));
        ++uses[std::size_t(photo_row)];
        const json& p = photos[std::size_t(photo_row)];
        EXPECT_EQ(s["photo_location"], p["location"]);
        const bool landscape = std::stoi(p["width"].get<std::string>()) >= std::stoi(p["height"].get<std::string>());
        EXPECT_EQ(s["slot_kind"], landscape ? "heng_zhaopian" : "shu_zhaopian") << p["name"];
        EXPECT_FALSE(s["picture"].get<std::string>().empty()) << "shipped slots are all named";
    }
    for (std::size_t u = 0; u < used.size(); ++u) {
        EXPECT_EQ(slot_count[u], std::stoi(used[u]["landscape_slots"].get<std::string>()) +
                                     std::stoi(used[u]["portrait_slots"].get<std::string>()));
        EXPECT_EQ(used[u]["match_state"], "已完成");
        EXPECT_EQ(used[u]["position_number"], std::to_string(u + 1));
    }
    for (std::size_t p = 0; p < photos.size(); ++p) {
        EXPECT_GE(uses[p], 1) << "photo " << p << " has a slot";
        EXPECT_EQ(photos[p]["fitted"], "完成");
        EXPECT_EQ(photos[p]["number"], std::to_string(p + 1));
    }
}

TEST_F(PlanCommand, RandomModePlacesEveryPhotoFromAFolderInNameOrder) {
    photo("c.JPG", 64, 48);
    photo("a.jpg", 48, 64);
    photo("b.jpeg", 64, 64);
    photo("d.jpg", 64, 40);
    photo("e.Jpg", 40, 64);
    dir.write("photos/notes.txt", "not a photo");
    const PlanRun r = run({dir.file("photos")});
    ASSERT_EQ(r.exit_code, 0) << r.error.toStdString();
    ASSERT_EQ(r.out["photos"].size(), 5u);
    EXPECT_EQ(r.out["photos"][0]["name"], "a");
    EXPECT_EQ(r.out["photos"][2]["name"], "c");
    EXPECT_EQ(r.out["photos"][2]["format"], ".JPG");
    EXPECT_EQ(r.out["photos"][0]["width"], "48");
    expect_consistent_album(r.out);
    for (const json& b : r.out["backgrounds"])
        EXPECT_FALSE(b["图片位置"].get<std::string>().empty()) << "landscape photos give every template a background";
}

TEST_F(PlanCommand, CombinationModeUsesTheCombinationsTemplates) {
    const QString wide = photo("w1.jpg", 64, 48);
    const QString wide2 = photo("w2.jpg", 64, 48);
    const PlanRun r = run({"--combination", "1", wide, wide2});
    ASSERT_EQ(r.exit_code, 0) << r.error.toStdString();
    expect_consistent_album(r.out);
    EXPECT_GE(r.out["used_templates"].size(), 4u) << "the first pass applies every entry";
}

TEST_F(PlanCommand, BadInputFailsWithAMessage) {
    const QString wide = photo("w.jpg", 64, 48);
    struct Case {
        QStringList arguments;
        const char* says;
    };
    const Case cases[] = {{{dir.file("missing.jpg")}, "no such photo"},
                          {{"--combination", "99", wide}, "no combination file 99"},
                          {{"--combination", "x", wide}, "--combination"},
                          {{}, "no photos"}};
    for (const Case& c : cases) {
        const PlanRun r = run(c.arguments);
        EXPECT_NE(r.exit_code, 0) << c.says;
        EXPECT_TRUE(r.error.contains(c.says)) << r.error.toStdString();
    }
}

// A run that could not do what was asked exits non-zero with the reason, and leaves neither
// unpacked files nor anything else in the data folder or its work folder.
TEST_F(PlanCommand, ARunThatPlacesNothingFailsAndLeavesNoWorkFiles) {
    const QString wide = photo("w.jpg", 64, 48);
    const QString text = dir.write("photos/notes.txt", "not a photo");
    const QString fake = dir.write("photos/fake.jpg", "a text file named as a photo");
    QFile damaged(data + "/wj_0_or_9_9/wj_0_or_9_9_1.rar");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("\x10\0\0\0 not deflate data at all", 28));
    damaged.close();
    const QString work = dir.file("work");
    QDir().mkpath(work);
    const QStringList before = QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    struct Case {
        QStringList arguments;
        const char* says;
    };
    const Case cases[] = {{{text, fake}, "no photos to add"},
                          {{"--combination", "1", wide}, "wj_0_or_9_9_1.rar"}};
    for (const Case& c : cases) {
        const PlanRun r = run(QStringList{"--work-dir", work} + c.arguments);
        EXPECT_NE(r.exit_code, 0) << c.says;
        EXPECT_TRUE(r.error.contains(c.says)) << r.error.toStdString();
        EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{});
        QDirIterator it(data, {"wjj_00_j_y*"}, QDir::Files, QDirIterator::Subdirectories);
        EXPECT_FALSE(it.hasNext()) << it.next().toStdString();
        EXPECT_EQ(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }
}

// Lyric file k is listed at position k; a missing one is refused before anything is done.
TEST_F(PlanCommand, ListsTheLyricFilesInOrderAndRefusesAMissingOne) {
    const QString first = dir.write("songs/一.lrc", "[00:01.00]一\n");
    const QString second = dir.write("songs/two.LRC", "[00:01.00]two\n");
    const PlanRun r = run({"--lyrics", first, photo("a.jpg", 640, 480), "--lyrics", second});
    ASSERT_EQ(r.exit_code, 0) << r.error.toStdString();
    const json expected = json::array(
        {json{{"number", "1"}, {"name", "一"}, {"format", ".lrc"}, {"location", first.toStdString()}},
         json{{"number", "2"}, {"name", "two"}, {"format", ".LRC"}, {"location", second.toStdString()}}});
    EXPECT_EQ(r.out["lyrics"], expected);

    const PlanRun missing = run({"--lyrics", dir.file("gone.lrc"), photo("b.jpg", 640, 480)});
    EXPECT_NE(missing.exit_code, 0);
    EXPECT_TRUE(missing.error.contains("gone.lrc")) << missing.error.toStdString();
}

// "lyrics" prints the table a lyric file gives: the 00:00 row, the timed rows, the information rows.
TEST_F(PlanCommand, LyricsCommandPrintsTheTimedLyricTable) {
    const QString file = dir.write("a.lrc", QByteArray("[ar:\xC0\xEE]\n[00:05.00][00:35.00]\xCC\xF0\n"));   // GBK
    QProcess process;
    process.start(QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make", {"lyrics", file});
    process.waitForFinished(60000);
    ASSERT_EQ(process.exitCode(), 0);
    const json expected = json::parse(R"([["00:00",""],["00:35.00","甜"],["00:05.00","甜"],["ar","李"]])");
    EXPECT_EQ(json::parse(process.readAllStandardOutput().toStdString()), expected);

    process.start(QStringLiteral(VELMORA_BIN_DIR) + "/velmora-make", {"lyrics", dir.file("gone.lrc")});
    process.waitForFinished(60000);
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains("gone.lrc"));
}

} // namespace
} // namespace velmora
