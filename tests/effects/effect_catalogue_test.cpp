#include <gtest/gtest.h>

#include "effects/effect_adding.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_clip.h"
#include "effects/effect_definition.h"
#include "effects/effect_fixture.h"

namespace velmora {
namespace {

using test::EffectFixture;
using test::install_effect;

TEST(EffectCatalogue, ListingStopsAtTheFirstMissingNumberAndPassesOverFoldersWithoutDefinition) {
    test::TempFolder dir;
    const DataRoot root(dir.path());
    for (int n : {1, 2, 4})
        install_effect(root, EffectId::picture(n), {.name = QStringLiteral("画面%1").arg(n)});
    EXPECT_EQ(list_picture_effects(root).names, (QStringList{"画面1", "画面2"}));

    install_effect(root, EffectId::text(1, 1), {.name = QStringLiteral("一")});
    test::install_bare_folder(root, EffectId::text(1, 2));
    install_effect(root, EffectId::text(1, 3), {.name = QStringLiteral("三")});
    install_effect(root, EffectId::text(2, 1), {.name = QStringLiteral("二一")});
    install_effect(root, EffectId::text(4, 1), {.name = QStringLiteral("not reached: category 3 is missing")});

    const EffectListing all = list_text_effects(root, 0);
    EXPECT_EQ(all.names, (QStringList{"一", "三", "二一"}));
    EXPECT_EQ(all.ids.at(1), EffectId::text(1, 3));
    EXPECT_EQ(list_text_effects(root, 4).names, QStringList{"二一"});
    EXPECT_TRUE(list_text_effects(root, 3).names.isEmpty()) << "a separator lists nothing";

    const EffectListing chosen = list_text_effects(root, 2, MissingDefinition::Stop);
    EXPECT_EQ(chosen.names, QStringList{"一"});
    EXPECT_EQ(chosen.missing_definition, root.text_effect_folder(1, 2));
}

TEST(EffectCatalogue, CategorySelectorHas42EntriesWithSeparatorsAtOddPositions) {
    const QStringList& s = text_effect_category_selector();
    ASSERT_EQ(s.size(), 42);
    EXPECT_EQ(s[0], QStringLiteral("01 全部文字元素"));
    EXPECT_EQ(s[14], QStringLiteral("08 毕业文字元素"));
    EXPECT_EQ(s[15], QStringLiteral("------------"));
    EXPECT_EQ(s[40], QStringLiteral("21 运动会文字元素"));
    for (int i = 0; i < s.size(); ++i) {
        EXPECT_EQ(is_category_separator(i), s[i].startsWith(QLatin1Char('-'))) << i;
        if (i != 15 && is_category_separator(i)) {
            EXPECT_EQ(s[i], QStringLiteral("---------------")) << i;
        }
    }
}

TEST(EffectDefinition, RefusesFrameCountsAndStillsThatCannotRun) {
    struct Case {
        const char* what;
        QString frame_count;
        QString still;
        bool refused;
    };
    const Case cases[] = {
        {"valid", "25", "3", false},     {"still absent reads as frame 1", "25", "", false},
        {"missing count", "", "1", true}, {"non-numeric count", "abc", "1", true},
        {"zero count", "0", "", true},   {"negative count", "-4", "", true},
        {"still past the count", "25", "26", true}, {"non-numeric still", "25", "x", true},
    };
    test::TempFolder dir;
    const DataRoot root(dir.path());
    int k = 0;
    for (const Case& c : cases) {
        const EffectId id = EffectId::text(1, ++k);
        install_effect(root, id, {.frame_count = c.frame_count, .still = c.still, .frames_written = 1});
        QString reason;
        const auto d = read_effect_definition(root, id, &reason);
        EXPECT_EQ(!d, c.refused) << c.what;
        if (c.refused) {
            EXPECT_TRUE(reason.contains(effect_definition_file(root, id))) << c.what << ": " << reason.toStdString();
        }
    }
    EXPECT_FALSE(read_effect_definition(root, EffectId::text(1, 99))) << "no file";
}

TEST(EffectDefinition, DefaultPositionIsNumericOrCentredByTheStill) {
    test::TempFolder dir;
    const DataRoot root(dir.path());
    install_effect(root, EffectId::text(1, 1), {.marks = QStringLiteral("AB")});
    install_effect(root, EffectId::text(1, 2), {.position = QStringLiteral("z"), .preview_size = {100, 50}});
    const auto numeric = read_effect_definition(root, EffectId::text(1, 1));
    const auto centred = read_effect_definition(root, EffectId::text(1, 2));
    ASSERT_TRUE(numeric && centred);
    EXPECT_EQ(numeric->marks, QStringLiteral("AB"));
    EXPECT_EQ(default_text_position(root, EffectId::text(1, 1), *numeric), QPoint(10, 20));
    EXPECT_EQ(default_text_position(root, EffectId::text(1, 2), *centred), QPoint(400 - 50, 225 - 25));
}

TEST(EffectStep, StartsAtItsClockSecondAndShowsFramesOneToFMinusOne) {
    const int start = *clock_start_frame(QStringLiteral("00:00:05"));
    EXPECT_EQ(start, 125);
    EXPECT_EQ(clock_start_frame(QStringLiteral("01:02:03")), (3600 + 120 + 3) * 25);
    EXPECT_FALSE(clock_start_frame(QStringLiteral("00:61:00")));
    EXPECT_FALSE(clock_start_frame(QStringLiteral("abc")));

    int seen = 0;
    for (int frame = 0; frame < 300; ++frame)
        if (const auto step = effect_step_at(start, 25, frame)) {
            EXPECT_EQ(*step, frame - 124);
            ++seen;
        }
    EXPECT_EQ(seen, 24);
    EXPECT_FALSE(effect_step_at(start, 25, 124));
    EXPECT_EQ(effect_step_at(start, 25, 148), 24);
    EXPECT_FALSE(effect_step_at(start, 25, 149)) << "the F-th frame is hidden";
    EXPECT_FALSE(effect_step_at(0, 1, 0)) << "a one-frame effect is never seen";
}

TEST(EffectStep, MissingFrameFileKeepsThePreviousPicture) {
    test::TempFolder dir;
    const DataRoot root(dir.path());
    install_effect(root, EffectId::picture(1), {.frame_count = QStringLiteral("6")});
    QFile::remove(effect_frame_file(root.picture_effect_folder(1), FrameSet::Production, 3));
    QFile::remove(effect_frame_file(root.picture_effect_folder(1), FrameSet::Production, 4));
    const EffectClip clip(root, EffectId::picture(1), FrameSet::Production, 6, 50);
    const int expected[] = {0, 1, 2, 2, 2, 5, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(clip.shown_file(49 + i), expected[i]) << "album frame " << 49 + i;
    EXPECT_FALSE(clip.picture(52).isNull());
    EXPECT_TRUE(clip.picture(49).isNull());
}

} // namespace
} // namespace velmora

namespace velmora {
namespace {

TEST(EffectAdding, ByHandRowsComeFromTheSelectionsAndTheDefinition) {
    const QStringList minutes = start_time_selector(QStringLiteral("  分"));
    ASSERT_EQ(minutes.size(), 60);
    EXPECT_EQ(minutes[59], QStringLiteral("59  分"));
    const QString start = start_time_from_selection(QStringLiteral("00  时"), minutes[1], QStringLiteral("05  秒"));
    EXPECT_EQ(start, QStringLiteral("00:01:05"));

    test::TempFolder dir;
    const DataRoot root(dir.path());
    test::install_effect(root, EffectId::picture(2), {.name = QStringLiteral("花瓣"), .frame_count = QStringLiteral("25")});
    test::install_effect(root, EffectId::text(3, 1), {.name = QStringLiteral("生日快乐"), .position = QStringLiteral("z")});
    const auto picture = picture_entry_by_hand(root, 2, start);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->cells(), (QStringList{"25", "00:01:05", "暂无", "tingzhi", "花瓣", "1", "手动添加", "wu"}));
    const auto text = text_entry_by_hand(root, EffectId::text(3, 1), start);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->cells(), (QStringList{"3", "00:01:05", "暂无", "tingzhi", "生日快乐", "0", "380", "215", "3", "", "",
                                          "", "", "手动添加", "wu"}));
    EXPECT_FALSE(picture_entry_by_hand(root, 1, start));
    EXPECT_FALSE(text_entry_by_hand(root, EffectId::text(3, 2), start));
}

} // namespace
} // namespace velmora
