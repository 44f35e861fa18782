#include <gtest/gtest.h>

#include "templates/album_fixture.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

using test::list_row;
using test::make_catalogue;
using test::make_photo;

const QString kMixed = QStringLiteral("综合模板");
const QString kLandscape = QStringLiteral("横照模板");
const QString kPortrait = QStringLiteral("竖照模板");

RandomPick always(int pick) {
    return [pick](int) { return pick; };
}

TEST(DefaultPlacement, CoverAndFittedValuesFollowTheSlotAndPhoto) {
    struct Case {
        const char* what;
        SlotKind kind;
        int slot_w, slot_h, photo_w, photo_h;
        int left, top, cw, ch;
        CropMark mark;
        int fleft, ftop, fw, fh;
    };
    const Case cases[] = {
        {"landscape photo in landscape slot", SlotKind::Landscape, 800, 600, 3000, 2000,
         -50, 0, 900, 600, CropMark::FullScreen, 0, 34, 800, 533},
        {"slot without size is the 1920 x 1080 frame", SlotKind::Landscape, 0, 0, 4000, 3000,
         0, 0, 1920, 1440, CropMark::FullScreen, 240, 0, 1440, 1080},
        {"portrait photo in landscape slot: cover by width, fit by height", SlotKind::Landscape, 800, 600, 1000, 2000,
         0, 0, 800, 1600, CropMark::FullScreen, 250, 0, 300, 600},
        {"portrait slot: fitted has no width limit", SlotKind::Portrait, 600, 900, 3000, 2000,
         -375, 0, 1350, 900, CropMark::FullScreen, -375, 0, 1350, 900},
        {"portrait slot without size: fitted, at the left edge", SlotKind::Portrait, 0, 0, 2000, 3000,
         0, 0, 720, 1080, CropMark::Fitted, 0, 0, 720, 1080},
        {"unmeasured photo covers the slot", SlotKind::Landscape, 800, 600, 0, 0,
         0, 0, 800, 600, CropMark::FullScreen, 0, 0, 800, 600},
    };
    const SystemSettings settings;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SlotRow slot;
        slot.slot_kind = c.kind;
        slot.mobanchicun_width = c.slot_w;
        slot.mobanchicun_height = c.slot_h;
        place_photo_default(slot, c.photo_w, c.photo_h, settings);
        EXPECT_EQ(slot.jiancai_left_x, c.left);
        EXPECT_EQ(slot.jiancai_top_y, c.top);
        EXPECT_EQ(slot.jiancai_width, c.cw);
        EXPECT_EQ(slot.jiancai_height, c.ch);
        EXPECT_EQ(slot.crop_mark, c.mark);
        EXPECT_EQ(slot.shizhong_jiancai_left_x, c.fleft);
        EXPECT_EQ(slot.shizhong_jiancai_top_x, c.ftop);
        EXPECT_EQ(slot.shizhong_jiancai_width, c.fw);
        EXPECT_EQ(slot.shizhong_jiancai_height, c.fh);
    }
}

TEST(AddUsedTemplate, CopiesTheListRowAndNamesSlotPicturesOnly) {
    const TemplateCatalogue catalogue = make_catalogue(
        {{"trio", "|heng|heng|shu|heng|", "|picture_1|pic_tu_re|picture_3|picture_4|", "|800|10|600|700|",
          "|600|10|900|500|"}});
    Album album;
    const auto row = add_used_template(album, catalogue, 0, false, {}, always(0));
    ASSERT_EQ(row, 0);
    const UsedTemplate& used = album.used_templates[0];
    EXPECT_EQ(used.template_name, "trio");
    EXPECT_EQ(used.kind, QStringLiteral("高级模板"));
    EXPECT_EQ(used.category, kMixed);
    EXPECT_EQ(used.landscape_slots, 2);
    EXPECT_EQ(used.portrait_slots, 1);
    EXPECT_EQ(used.match_state(), QStringLiteral("未完成"));

    ASSERT_EQ(album.slot_rows.size(), 3u) << "a name with two '_' is no slot";
    const struct {
        SlotKind kind;
        const char* picture;
        int w, h;
    } expected[] = {{SlotKind::Landscape, "picture_1", 800, 600},
                    {SlotKind::Landscape, "picture_4", 700, 500},
                    {SlotKind::Portrait, "picture_3", 600, 900}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const SlotRow& slot = album.slot_rows[std::size_t(i)];
        EXPECT_EQ(slot.slot_index, i);
        EXPECT_EQ(slot.used_row, 0);
        EXPECT_EQ(slot.slot_kind, expected[i].kind);
        EXPECT_EQ(slot.picture, expected[i].picture);
        EXPECT_EQ(slot.mobanchicun_width, expected[i].w);
        EXPECT_EQ(slot.mobanchicun_height, expected[i].h);
        EXPECT_FALSE(slot.matched);
    }
    EXPECT_FALSE(add_used_template(album, catalogue, 1, false, {}, always(0))) << "no such list row";
    EXPECT_EQ(album.used_templates.size(), 1u);
}

TEST(AddUsedTemplate, EitherWayPictureNamesTheSlotOfItsListing) {
    const TemplateCatalogue catalogue = make_catalogue({{"both", "|shuheng|", "|picture_1|", "|640|", "|480|"}});
    Album album;
    add_used_template(album, catalogue, list_row(catalogue, "both", kPortrait), false, {}, always(0));
    add_used_template(album, catalogue, list_row(catalogue, "both", kLandscape), false, {}, always(0));
    ASSERT_EQ(album.slot_rows.size(), 2u);
    EXPECT_EQ(album.slot_rows[0].slot_kind, SlotKind::Portrait);
    EXPECT_EQ(album.slot_rows[0].picture, "picture_1");
    EXPECT_EQ(album.slot_rows[1].slot_kind, SlotKind::Landscape);
    EXPECT_EQ(album.slot_rows[1].picture, "picture_1");
    EXPECT_EQ(album.slot_rows[1].used_row, 1);
}

TEST(AddUsedTemplate, MixedTemplateEitherWaySlotStaysUnnamedWhenMoreAreAdded) {
    const TemplateCatalogue catalogue =
        make_catalogue({{"trio", "|heng|shu|shuheng|", "|picture_1|picture_2|picture_3|"}});
    Album album;
    add_used_template(album, catalogue, 0, false, {}, always(0));
    add_used_template(album, catalogue, 0, false, {}, always(0));
    ASSERT_EQ(album.used_templates[0].landscape_slots, 2) << "the either-way picture counts as landscape";
    ASSERT_EQ(album.slot_rows.size(), 6u);
    for (int t = 0; t < 2; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(album.slot_rows[std::size_t(3 * t)].picture, "picture_1");
        EXPECT_EQ(album.slot_rows[std::size_t(3 * t + 1)].picture, "") << "no pass names a mixed either-way picture";
        EXPECT_EQ(album.slot_rows[std::size_t(3 * t + 2)].picture, "picture_2");
    }
}

TEST(AddUsedTemplate, BackgroundRowTakesARandomPoolPhoto) {
    const TemplateCatalogue catalogue = make_catalogue({{"one", "|heng|", "|picture_1|"}});
    Album album;
    add_used_template(album, catalogue, 0, false, {}, always(0));
    album.photos = {make_photo("wide", 400, 300), make_photo("tall", 300, 400), make_photo("square", 500, 500)};
    const BackgroundPool pool = build_background_pool(album.photos);
    add_used_template(album, catalogue, 0, false, pool, always(1));
    ASSERT_EQ(album.backgrounds.size(), 2u);
    EXPECT_EQ(album.backgrounds[0].name, "one");
    EXPECT_EQ(album.backgrounds[0].category, kLandscape);
    EXPECT_TRUE(album.backgrounds[0].location.isEmpty()) << "empty pool: no picture";
    EXPECT_EQ(album.backgrounds[1].picture_name, "square") << "pool holds landscape and square photos";
    EXPECT_EQ(album.backgrounds[1].width, 500);
    EXPECT_EQ(album.backgrounds[1].transparency, 0);
}

class DeleteUsedTemplate : public ::testing::Test {
protected:
    TemplateCatalogue catalogue = make_catalogue({{"one", "|heng|", "|picture_1|"}});
    Album album;
    SystemSettings settings;

    void SetUp() override {
        album.photos = {make_photo("a", 400, 300), make_photo("b", 400, 300), make_photo("c", 400, 300)};
        for (int t = 0; t < 3; ++t) {
            add_used_template(album, catalogue, 0, false, {}, always(0));
            match_photo_to_slot(album, t, t, settings);
            refresh_match_state(album, t);
        }
    }
};

TEST_F(DeleteUsedTemplate, LaterRowsMoveUpAndThePhotoIsFreed) {
    album.backgrounds[2].picture_name = "third";
    ASSERT_TRUE(delete_used_template(album, 1));
    ASSERT_EQ(album.used_templates.size(), 2u);
    ASSERT_EQ(album.slot_rows.size(), 2u);
    EXPECT_EQ(album.slot_rows[1].used_row, 1);
    EXPECT_EQ(album.slot_rows[1].photo_row, 2);
    ASSERT_EQ(album.backgrounds.size(), 2u);
    EXPECT_EQ(album.backgrounds[1].picture_name, "third") << "the background row goes with its template";
    EXPECT_TRUE(album.photos[0].fitted);
    EXPECT_FALSE(album.photos[1].fitted);
    EXPECT_TRUE(album.photos[2].fitted);
}

TEST_F(DeleteUsedTemplate, PhotoHeldByAnotherSlotStaysFitted) {
    match_photo_to_slot(album, 2, 0, settings); // photo 0 in templates 0 and 2
    ASSERT_TRUE(delete_used_template(album, 0));
    EXPECT_TRUE(album.photos[0].fitted);
    EXPECT_FALSE(album.photos[2].fitted) << "its slot now holds photo 0";
    ASSERT_TRUE(delete_used_template(album, 1));
    EXPECT_FALSE(album.photos[0].fitted);
}

TEST_F(DeleteUsedTemplate, BadRowChangesNothingAndDeleteAllEmptiesEverything) {
    EXPECT_FALSE(delete_used_template(album, 3));
    EXPECT_FALSE(delete_used_template(album, -1));
    EXPECT_EQ(album.used_templates.size(), 3u);
    delete_all_used_templates(album);
    EXPECT_TRUE(album.used_templates.empty());
    EXPECT_TRUE(album.slot_rows.empty());
    EXPECT_TRUE(album.backgrounds.empty());
    for (const PhotoEntry& photo : album.photos)
        EXPECT_FALSE(photo.fitted);
    EXPECT_EQ(album.photos.size(), 3u);
}

TEST(MatchState, CompleteExactlyWhenEverySlotHoldsAPhoto) {
    const TemplateCatalogue catalogue = make_catalogue({{"pair", "|heng|shu|", "|picture_1|picture_2|"}});
    Album album;
    album.photos = {make_photo("a", 400, 300)};
    add_used_template(album, catalogue, 0, false, {}, always(0));
    const SystemSettings settings;
    ASSERT_TRUE(match_photo_to_slot(album, 0, 0, settings));
    EXPECT_FALSE(match_photo_to_slot(album, 1, 5, settings)) << "no such photo";
    refresh_match_state(album, 0);
    EXPECT_FALSE(album.used_templates[0].complete);
    match_photo_to_slot(album, 1, 0, settings);
    refresh_match_state(album, 0);
    EXPECT_EQ(album.used_templates[0].match_state(), QStringLiteral("已完成"));
    EXPECT_EQ(album.slot_rows[1].photo_location, "/photos/a.jpg");
    EXPECT_TRUE(album.photos[0].fitted);
}

} // namespace
} // namespace velmora
