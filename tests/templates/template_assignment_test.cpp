#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "core/gbk_text.h"
#include "core/jpeg_writer.h"
#include "core/packed_file.h"
#include "core/scripted_ui.h"
#include "support/test_support.h"
#include "templates/album_fixture.h"
#include "templates/template_assignment.h"
#include "templates/template_combination.h"

namespace velmora {
namespace {

using test::make_catalogue;
using test::make_photo;

QByteArray combination_text(const QStringList& entries) {
    QString text = QStringLiteral("[zuhemoban_canshu]\r\nshuliang=%1\r\n").arg(entries.size());
    for (int e = 0; e < entries.size(); ++e)
        text += QStringLiteral("canshu_%1=%2\r\n").arg(e + 1).arg(entries[e]);
    return encode_gbk(text);
}

class Assignment : public ::testing::Test {
protected:
    test::TempFolder dir;
    DataRoot root{dir.file("smxcwjj")};
    ScriptedUi ui;
    SystemSettings settings;
    TemplateCatalogue catalogue;
    Album album;
    AssignmentState state;

    AssignmentServices services() { return {catalogue, settings, ui, root, [](int) { return 0; }}; }

    void add_photos(std::initializer_list<std::pair<int, int>> sizes) {
        for (const auto& [w, h] : sizes)
            album.photos.push_back(make_photo(QStringLiteral("p%1").arg(album.photos.size()), w, h));
    }
    void write_combination(int n, const QStringList& entries) {
        dir.write("smxcwjj/wj_0_or_9_9/wj_0_or_9_9_" + QString::number(n) + ".rar",
                  pack_nested(combination_text(entries), 3));
    }
    QStringList used_names() const {
        QStringList names;
        for (const UsedTemplate& u : album.used_templates)
            names.append(u.template_name);
        return names;
    }
    std::vector<int> slot_photos() const {
        std::vector<int> rows;
        for (const SlotRow& s : album.slot_rows)
            rows.push_back(s.photo_row.value_or(-1));
        return rows;
    }
    AssignmentResult assign(AssignmentMode mode) {
        state.mobanfashi = mode;
        return assign_templates(album, 0, state, services());
    }
};

TEST_F(Assignment, RotationCyclesThroughTheCatalogueInOrder) {
    catalogue = make_catalogue({{"A", "|heng|", "|picture_1|"}, {"B", "|heng|", "|picture_1|"}});
    add_photos({{400, 300}, {400, 300}, {400, 300}, {300, 300}});
    const AssignmentResult result = assign(AssignmentMode::Random);
    EXPECT_EQ(used_names(), QStringList({"A", "B", "A", "B"}));
    EXPECT_EQ(slot_photos(), std::vector<int>({0, 1, 2, 3})) << "photos in order; the square one as landscape";
    EXPECT_EQ(result.photos_left, 0);
    for (const UsedTemplate& u : album.used_templates)
        EXPECT_EQ(u.match_state(), QStringLiteral("已完成"));
    for (const PhotoEntry& p : album.photos)
        EXPECT_TRUE(p.fitted);
    EXPECT_TRUE(album.slot_rows[0].matched);
    EXPECT_EQ(album.slot_rows[0].photo_location, album.photos[0].location);
    EXPECT_EQ(album.slot_rows[0].jiancai_width, 1920) << "default placement applied";
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Assignment, AdvancedTemplatesAreOfferedOnlyWhileEnoughPhotosWait) {
    catalogue = make_catalogue({{"mix", "|heng|shu|", "|picture_1|picture_2|"},
                                {"two", "|heng|heng|", "|picture_1|picture_2|"},
                                {"L", "|heng|", "|picture_1|"},
                                {"P", "|shu|", "|picture_1|"}});
    add_photos({{400, 300}, {300, 400}, {400, 300}, {400, 300}, {400, 300}});
    assign(AssignmentMode::Random);
    // Step 1: mix takes photos 0 and 1, two takes 2 and 3, L takes 4. Nothing waits then.
    EXPECT_EQ(used_names(), QStringList({"mix", "two", "L"}));
    EXPECT_EQ(slot_photos(), std::vector<int>({0, 1, 2, 3, 4}));
}

TEST_F(Assignment, RotationStopsAndNamesThePhotosNoTemplateTakes) {
    catalogue = make_catalogue({{"L", "|heng|", "|picture_1|"}});
    add_photos({{400, 300}, {300, 400}, {300, 400}, {400, 300}});
    const AssignmentResult result = assign(AssignmentMode::Random);
    EXPECT_EQ(result.photos_left, 2);
    EXPECT_EQ(used_names(), QStringList({"L", "L"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains("2")) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.messages[0].text, photos_left_message(2));
    EXPECT_FALSE(album.photos[1].fitted);
}

TEST_F(Assignment, CombinationAppliesEntriesUntilEveryPhotoIsPlacedReusingPhotos) {
    catalogue = make_catalogue({{"two", "|heng|heng|", "|picture_1|picture_2|"}, {"L", "|heng|", "|picture_1|"}});
    write_combination(1, {"two~2~0~", "broken~1", "L~5~0~"});
    add_photos({{400, 300}, {400, 300}, {400, 300}});
    const AssignmentResult result = assign(AssignmentMode::Combination);
    EXPECT_EQ(result.photos_left, 0);
    EXPECT_EQ(used_names(), QStringList({"two", "two"})) << "L with other counts matches nothing";
    EXPECT_EQ(slot_photos(), std::vector<int>({0, 1, 2, 0})) << "the cursor wraps and reuses the first photo";
    EXPECT_EQ(state.landscape_cursor, 0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(QFile::exists(root.work_dir() + "/wjj_00_j_y3-4.ini")) << "the unpacked text is deleted";
}

TEST_F(Assignment, CombinationWithoutSlotsForAKindStopsAfterARoundWithoutProgress) {
    catalogue = make_catalogue({{"L", "|heng|", "|picture_1|"}});
    write_combination(1, {"L~1~0~"});
    add_photos({{400, 300}, {300, 400}});
    const AssignmentResult result = assign(AssignmentMode::Combination);
    EXPECT_EQ(result.photos_left, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, photos_left_message(1));
}

TEST_F(Assignment, UnreadableCombinationIsReportedAndAssignsNothing) {
    catalogue = make_catalogue({{"L", "|heng|", "|picture_1|"}});
    add_photos({{400, 300}});
    state.zuhemoban_xuanhao = 4;
    const AssignmentResult result = assign(AssignmentMode::Combination);
    EXPECT_EQ(result.photos_left, 1);
    EXPECT_TRUE(album.used_templates.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("组合模板"));
}

TEST_F(Assignment, FittingJobContinuesFromTheCombinationCursors) {
    catalogue = make_catalogue({{"L", "|heng|", "|picture_1|"}});
    write_combination(1, {"L~1~0~"});
    add_photos({{400, 300}, {400, 300}, {400, 300}, {400, 300}, {400, 300}});
    assign(AssignmentMode::Combination);
    ASSERT_EQ(slot_photos(), std::vector<int>({0, 1, 2, 3, 4}));
    ASSERT_EQ(state.landscape_cursor, 4);
    delete_used_template(album, 2);
    const AssignmentResult result = run_fitting_job(album, state, services());
    EXPECT_EQ(result.photos_left, 0);
    EXPECT_EQ(slot_photos(), std::vector<int>({0, 1, 3, 4, 2}));
    EXPECT_EQ(state.landscape_cursor, 0) << "the cursor passed the one-row work list and started again";
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("照片与模板自动匹配已完成！"));
}

TEST_F(Assignment, FittingJobAnswersAtOnceWithNothingToDo) {
    catalogue = make_catalogue({{"L", "|heng|", "|picture_1|"}});
    run_fitting_job(album, state, services());
    add_photos({{400, 300}});
    album.photos[0].fitted = true;
    run_fitting_job(album, state, services());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("没有添加照片文件！"));
    EXPECT_EQ(ui.messages[1].text, QStringLiteral("照片与模板自动匹配已完成！"));
    EXPECT_TRUE(album.used_templates.empty());
}

TEST_F(Assignment, DefaultBackgroundFillsOnlyRowsWithoutAPicture) {
    QImage picture(64, 36, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    dir.write("smxcwjj/wj_0_or_6_6/wj_0_or_6_6.rar", pack_nested(encode_jpeg(picture, 90), 3));
    catalogue = make_catalogue({{"P", "|shu|", "|picture_1|"}});
    add_photos({{300, 400}, {300, 400}});
    album.backgrounds.resize(1);
    album.backgrounds[0].picture_name = "mine";
    album.backgrounds[0].location = "/photos/mine.jpg";
    album.used_templates.resize(1);
    assign(AssignmentMode::Random);
    ASSERT_EQ(album.backgrounds.size(), 3u);
    EXPECT_EQ(album.backgrounds[0].picture_name, "mine") << "a chosen picture is kept";
    for (int r = 1; r < 3; ++r) {
        EXPECT_EQ(album.backgrounds[std::size_t(r)].picture_name, "wj_0_or_6_6");
        EXPECT_EQ(album.backgrounds[std::size_t(r)].picture_format, ".jpg");
        EXPECT_EQ(album.backgrounds[std::size_t(r)].width, 64);
        EXPECT_EQ(album.backgrounds[std::size_t(r)].location, root.default_background_jpeg());
    }
}

TEST_F(Assignment, ADamagedDefaultBackgroundIsReportedNamingItAndTheRowsStayEmpty) {
    catalogue = make_catalogue({{"P", "|shu|", "|picture_1|"}});
    const std::pair<const char*, QByteArray> damaged[] = {
        {"damaged packing", QByteArray("\xff\xff\xff\x7f garbage", 12)},
        {"not a picture", pack_nested("not a jpeg at all", 3)},
    };
    for (const auto& [what, packed] : damaged) {
        album = {};
        ui.messages.clear();
        dir.write("smxcwjj/wj_0_or_6_6/wj_0_or_6_6.rar", packed);
        add_photos({{300, 400}});
        album.backgrounds.resize(1);
        album.used_templates.resize(1);
        assign(AssignmentMode::Random);
        for (const BackgroundRow& row : album.backgrounds)
            EXPECT_TRUE(row.location.isEmpty()) << what;
        ASSERT_EQ(ui.messages.size(), 1u) << what;
        EXPECT_TRUE(ui.messages[0].text.contains(root.default_background())) << ui.messages[0].text.toStdString();
    }

    // With none shipped at all, the rows stay as they are and nothing is said.
    QFile::remove(root.default_background());
    album = {};
    ui.messages.clear();
    add_photos({{300, 400}});
    album.backgrounds.resize(1);
    album.used_templates.resize(1);
    assign(AssignmentMode::Random);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(AssignmentModeText, RoundTrips) {
    EXPECT_EQ(to_text(AssignmentMode::Random), "shiyong_suijimoban");
    EXPECT_EQ(to_text(AssignmentMode::Combination), "shiyong_zuhemoban");
    EXPECT_EQ(assignment_mode_from_text("shiyong_zuhemoban"), AssignmentMode::Combination);
    EXPECT_FALSE(assignment_mode_from_text("other"));
}

TEST(CombinationFile, MalformedEntriesAreIgnored) {
    const TemplateCombination c = parse_combination(
        encode_gbk(QStringLiteral("[zuhemoban_canshu]\nshuliang=5\ncanshu_1=双影~2~0~\ncanshu_2=x~1~1\n"
                                  "canshu_3=~~~\ncanshu_4=竖~0~1~extra\n")));
    ASSERT_EQ(c.entries.size(), 3u) << "a missing entry and one with two '~' are dropped";
    EXPECT_EQ(c.entries[0].template_name, QStringLiteral("双影"));
    EXPECT_EQ(c.entries[0].landscape, "2");
    EXPECT_EQ(c.entries[2].portrait, "1");
    EXPECT_EQ(c.required_landscape, 2);
    EXPECT_EQ(c.required_portrait, 1);
    EXPECT_TRUE(parse_combination("[zuhemoban_canshu]\nshuliang=99999999999\n").entries.empty());
}

TEST(CombinationFile, EntriesAskingForImpossiblePhotoCountsAreIgnored) {
    const TemplateCombination c = parse_combination(
        "[zuhemoban_canshu]\nshuliang=5\ncanshu_1=a~2147483647~0~\ncanshu_2=b~1~0~\ncanshu_3=c~-3~1~\n"
        "canshu_4=d~2~99999999~\ncanshu_5=e~0~2~\n");
    ASSERT_EQ(c.entries.size(), 2u) << "only b and e ask for counts a template can have";
    EXPECT_EQ(c.entries[0].template_name, "b");
    EXPECT_EQ(c.required_landscape, 1);
    EXPECT_EQ(c.required_portrait, 2);
}

TEST(CombinationFile, ListHasOneRowPerFileWithItsSums) {
    test::TempFolder dir;
    const DataRoot root(dir.file("smxcwjj"));
    dir.write("smxcwjj/wj_0_or_9_9/wj_0_or_9_9_1.rar", pack_nested(combination_text({"a~1~0~", "b~2~3~"}), 3));
    dir.write("smxcwjj/wj_0_or_9_9/wj_0_or_9_9_2.rar", "damaged");
    const auto rows = combination_list(root);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].caption, QStringLiteral("模板组合 - 1"));
    EXPECT_EQ(rows[0].landscape, 3);
    EXPECT_EQ(rows[0].portrait, 3);
    EXPECT_EQ(rows[0].total(), 6);
    EXPECT_EQ(rows[1].total(), 0) << "a damaged file keeps its row position";
    EXPECT_TRUE(combination_list(DataRoot(dir.file("none"))).empty());
}

TEST(CombinationFile, ExplanationLine) {
    EXPECT_EQ(combination_explanation(1, 0, "old"), QStringLiteral("说明：选中的组合模板至少需要 1 张横照片"));
    EXPECT_EQ(combination_explanation(0, 2, "old"), QStringLiteral("说明：选中的组合模板至少需要 1 张竖照片"));
    EXPECT_EQ(combination_explanation(1, 2, "old"), QStringLiteral("说明：选中的组合模板至少需要 1 张横照片和 1 张竖照片"));
    EXPECT_EQ(combination_explanation(0, 0, "old"), "old");
}

TEST(CombinationCheck, AsksAgainUntilEveryRequiredKindIsThere) {
    ScriptedUi ui;
    ui.file_answers = {{"/w.jpg", "/bad.jpg"}, {"/t.jpg"}};
    const StoredSize size = [](const QString& path) -> std::optional<QSize> {
        if (path == "/w.jpg")
            return QSize(400, 400);
        if (path == "/t.jpg")
            return QSize(300, 400);
        return std::nullopt;
    };
    QStringList heng, shu;
    const auto pending = combination_check(ui, 1, 1, heng, shu, size);
    ASSERT_TRUE(pending);
    EXPECT_EQ(*pending, QStringList({"/w.jpg", "/t.jpg"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              QStringLiteral("当前选中的组合模板，至少需要添加 1 张竖照片,点[确定]按钮继续添加照片"));

    QStringList heng2, shu2;
    EXPECT_FALSE(combination_check(ui, 1, 0, heng2, shu2, size)) << "cancelled dialog";
}

} // namespace
} // namespace velmora
