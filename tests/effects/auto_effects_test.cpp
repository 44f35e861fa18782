#include <gtest/gtest.h>

#include "effects/auto_text_placement.h"
#include "effects/effect_album.h"
#include "effects/effect_fixture.h"
#include "effects/picture_combinations.h"

namespace velmora {
namespace {

using test::EffectAlbum;
using test::EffectFixture;

RandomPick always_first() { return [](int) { return 0; }; }

QStringList starts(const PictureEffectTable& t) {
    QStringList out;
    for (const PictureEffectEntry& e : t.list())
        out << QString::number(e.number + 1) + QLatin1Char('@') + e.start;
    return out;
}

// Picture effects 1 and 2 of `first_frames`, 5 and 6 short.
void install_pictures(const DataRoot& root, const QString& first_frames) {
    for (int n : {1, 2})
        test::install_effect(root, EffectId::picture(n), {.frame_count = first_frames, .frames_written = 1});
    for (int n : {5, 6})
        test::install_effect(root, EffectId::picture(n), {.frame_count = QStringLiteral("40"), .frames_written = 1});
}

TEST(AutoPictureCombinations, LaysCombinationsEndToEndUntilTheTemplatesAreCovered) {
    struct Case {
        const char* what;
        QString first_frames;
        bool one_template;
        int combinations;
    };
    const Case cases[] = {
        {"250-frame combinations over 300 + 200 frames", "250", false, 2},
        {"520 frames is within 30 of 500", "260", false, 2},
        {"560 frames overshoots: the second pick is dropped", "280", false, 1},
        {"one matched template keeps the overshooting pick", "280", true, 2},
    };
    for (const Case& c : cases) {
        test::TempFolder dir;
        const DataRoot root(dir.path());
        install_pictures(root, c.first_frames);
        const EffectAlbum a = c.one_template ? EffectAlbum({{.frames = 500}})
                                             : EffectAlbum({{.frames = 300}, {.frames = 200}});
        PictureEffectTable table;
        const PictureRunResult r =
            auto_picture_combinations(QStringLiteral("卡通特效组合"), a.album, a.catalogue, root, always_first(), table);
        EXPECT_EQ(r.combinations, c.combinations) << c.what;
        EXPECT_EQ(table.size(), 4 * c.combinations) << c.what;
        if (c.first_frames == QLatin1String("250")) {
            EXPECT_EQ(starts(table), (QStringList{"1@00:00:00", "5@00:00:00", "5@00:00:01", "5@00:00:02",
                                                  "1@00:00:10", "5@00:00:10", "5@00:00:11", "5@00:00:12"}));
        }
        for (const PictureEffectEntry& e : table.list())
            EXPECT_EQ(e.added_by, EffectAddedBy::Automatic);
    }
}

TEST(AutoPictureCombinations, CombinationWithoutFirstDefinitionIsLeftOutAndTheRunEnds) {
    test::TempFolder dir;
    const DataRoot root(dir.path());
    EffectAlbum a({{.frames = 300}, {.frames = 200}});
    PictureEffectTable table;
    // Nothing installed: every pick fails, and the run still ends.
    PictureRunResult r = auto_picture_combinations(QStringLiteral("婚纱特效组合"), a.album, a.catalogue, root, always_first(), table);
    EXPECT_EQ(r.combinations, 0);
    EXPECT_EQ(r.problems.size(), 4);
    // Only effect 2 starts a usable combination: "|2|5|6|" is laid, 1 is never used.
    test::install_effect(root, EffectId::picture(2), {.frame_count = QStringLiteral("250"), .frames_written = 1});
    r = auto_picture_combinations(QStringLiteral("卡通特效组合"), a.album, a.catalogue, root, always_first(), table);
    EXPECT_EQ(r.combinations, 2);
    EXPECT_EQ(starts(table), (QStringList{"2@00:00:00", "2@00:00:10"})) << "elements 5 and 6 are not installed";
}

class AutoTextEffects : public testing::Test {
protected:
    test::TempFolder dir;
    DataRoot root{dir.path()};
    const QTime tag_time{9, 5, 7};

    TextRunResult run(EffectAlbum& a, TextEffectLists& lists, TextPlacementRequest request = {},
                      RandomPick random = always_first()) {
        return auto_text_effects(request, a.album, a.catalogue, root, random, tag_time, lists);
    }
};

TEST_F(AutoTextEffects, MarksStartAtTheirOffsetsInTheirTemplateAndShareItsTag) {
    test::install_effect(root, EffectId::text(1, 1), {.name = QStringLiteral("甲"), .marks = QStringLiteral("A")});
    test::install_effect(root, EffectId::text(2, 1), {.name = QStringLiteral("乙"), .marks = QStringLiteral("B")});
    test::install_effect(root, EffectId::text(2, 2), {.name = QStringLiteral("丙"), .marks = QStringLiteral("C")});
    EffectAlbum a({{.frames = 300},
                   {.frames = 200, .wxcs01 = "|25|100|", .wxcs02 = "|A|B|", .wxcs04 = "|C|", .slot_count = 2}});
    TextEffectLists lists(a.album, a.catalogue);
    EXPECT_EQ(run(a, lists).placed, 3);
    const auto& rows = lists.table().list();
    ASSERT_EQ(rows.size(), 3u);
    const QString tag = automatic_tag(tag_time, 1);
    EXPECT_EQ(tag, QStringLiteral("090507_1"));
    const std::tuple<QString, QString, int, QString> expected[] = {
        {"甲", "A", 25, "00:00:13"}, {"乙", "B", 100, "00:00:16"}, {"丙", "C", 100, "00:00:16"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, std::get<0>(expected[i]));
        EXPECT_EQ(rows[i].template_mark, std::get<1>(expected[i]));
        EXPECT_EQ(rows[i].frame_offset, std::get<2>(expected[i]));
        EXPECT_EQ(rows[i].start, std::get<3>(expected[i]));
        EXPECT_EQ(rows[i].auto_tag, tag);
        EXPECT_EQ(rows[i].template_row, 1);
        EXPECT_EQ(QPoint(rows[i].x, rows[i].y), QPoint(10, 20));
    }
    EXPECT_TRUE(a.album.slot_rows[0].effect_mark.isEmpty());
    EXPECT_EQ(a.album.slot_rows[1].effect_mark, tag);
    EXPECT_EQ(a.album.slot_rows[2].effect_mark, tag);
    EXPECT_EQ(run(a, lists).placed, 0) << "a template with effects is not served twice";
}

TEST_F(AutoTextEffects, IntervalTwoOverSevenTemplatesServesTheSecondAndFifth) {
    test::install_effect(root, EffectId::text(1, 1), {.marks = QStringLiteral("A")});
    const test::MarkedTemplate t{.wxcs01 = "|0|", .wxcs02 = "|A|"};
    EffectAlbum a({t, t, t, t, t, t, t});
    TextEffectLists lists(a.album, a.catalogue);
    run(a, lists, {TextPlacementOption::Interval, 2, 0});
    std::vector<int> served;
    for (const TextEffectEntry& e : lists.table().list())
        served.push_back(*e.template_row + 1);
    EXPECT_EQ(served, (std::vector<int>{2, 5}));
}

TEST_F(AutoTextEffects, DoubledMarkIsTwiceAsLikely) {
    test::install_effect(root, EffectId::text(1, 1), {.name = QStringLiteral("double"), .marks = QStringLiteral("AxA")});
    test::install_effect(root, EffectId::text(1, 2), {.name = QStringLiteral("single"), .marks = QStringLiteral("A")});
    EffectAlbum many({});
    for (int i = 0; i < 900; ++i)
        many.add({.wxcs01 = "|0|", .wxcs02 = "|A|"});
    TextEffectLists lists(many.album, many.catalogue);
    run(many, lists, {}, seeded_random_pick(42));
    int doubled = 0;
    for (const TextEffectEntry& e : lists.table().list())
        doubled += e.name == QLatin1String("double") ? 1 : 0;
    ASSERT_EQ(lists.table().size(), 900);
    // Two chances in three: 600 expected, the bounds are over five standard deviations away.
    EXPECT_GT(doubled, 520);
    EXPECT_LT(doubled, 680);
}

} // namespace
} // namespace velmora
