#include <gtest/gtest.h>

#include "core/scripted_ui.h"
#include "templates/album_fixture.h"
#include "templates/slot_assignment.h"
#include "templates/used_templates.h"

namespace velmora {
namespace {

using test::list_row;
using test::make_catalogue;
using test::make_photo;

// An album with one used mixed template (landscape slot 0, portrait slot 1), put to use by
// hand, and the photos given.
struct HandAlbum {
    TemplateCatalogue catalogue = make_catalogue({{"duo", "|heng|shu|", "|picture_1|picture_2|", "|800|600|", "|600|900|"}});
    Album album;
    SystemSettings settings;
    ScriptedUi ui;

    explicit HandAlbum(std::initializer_list<PhotoEntry> photos) : album{photos, {}, {}, {}} {
        add_used_template(album, catalogue, list_row(catalogue, "duo", "综合模板"), false, {}, {});
    }
    HandPlacement place(int slot_index, int photo_row) {
        return place_photo_by_hand(album, 0, slot_index, photo_row, settings, ui);
    }
    const SlotRow& slot(int k) const { return album.slot_rows[std::size_t(k)]; }
};

TEST(PlacePhotoByHand, ThePhotosOwnShapeDecidesWhichSlotsTakeIt) {
    struct Case {
        const char* what;
        int width, height;
        int slot_index;
        HandPlacement expected;
        const char* message;
    };
    const Case cases[] = {
        {"portrait photo into the portrait slot", 300, 400, 1, HandPlacement::Placed, nullptr},
        {"landscape photo into the landscape slot", 400, 300, 0, HandPlacement::Placed, nullptr},
        {"a square photo counts as landscape", 300, 300, 0, HandPlacement::Placed, nullptr},
        {"a square photo is refused by a portrait slot", 300, 300, 1, HandPlacement::WrongKind, "此处需要一张竖照片！"},
        {"landscape photo refused by the portrait slot", 400, 300, 1, HandPlacement::WrongKind, "此处需要一张竖照片！"},
        {"portrait photo refused by the landscape slot", 300, 400, 0, HandPlacement::WrongKind, "此处需要一张横照片！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HandAlbum a{make_photo("p", c.width, c.height)};
        EXPECT_EQ(a.place(c.slot_index, 0), c.expected);
        const SlotRow& slot = a.slot(c.slot_index);
        if (c.expected == HandPlacement::Placed) {
            EXPECT_TRUE(a.ui.messages.empty());
            EXPECT_TRUE(slot.matched);
            EXPECT_EQ(slot.photo_row, 0);
            EXPECT_EQ(slot.photo_location, "/photos/p.jpg");
            EXPECT_TRUE(a.album.photos[0].fitted);
        } else {
            ASSERT_EQ(a.ui.messages.size(), 1u);
            EXPECT_EQ(a.ui.messages[0].text, QString::fromUtf8(c.message));
            EXPECT_FALSE(slot.matched);
            EXPECT_FALSE(slot.photo_row);
            EXPECT_FALSE(a.album.photos[0].fitted);
            EXPECT_EQ(slot.jiancai_width, 0);
        }
    }
}

TEST(PlacePhotoByHand, GivesTheDefaultPlacementAndCompletesTheTemplateWithItsLastSlot) {
    HandAlbum a{make_photo("wide", 3000, 2000), make_photo("tall", 2000, 3000)};
    ASSERT_EQ(a.place(0, 0), HandPlacement::Placed);
    // 3000 x 2000 in the 800 x 600 landscape slot: cover 900 x 600 at (-50, 0).
    EXPECT_EQ(a.slot(0).jiancai_left_x, -50);
    EXPECT_EQ(a.slot(0).jiancai_width, 900);
    EXPECT_EQ(a.slot(0).jiancai_height, 600);
    EXPECT_EQ(a.album.used_templates[0].match_state(), "未完成");
    EXPECT_EQ(slot_fill(a.album, 0).landscape, 1);
    EXPECT_EQ(slot_fill(a.album, 0).portrait, 0);

    ASSERT_EQ(a.place(1, 1), HandPlacement::Placed);
    EXPECT_EQ(a.slot(1).jiancai_width, 600); // 2000 x 3000 in 600 x 900: cover 600 x 900
    EXPECT_EQ(a.album.used_templates[0].match_state(), "已完成");
    const std::vector<SlotView> views = slots_of(a.album, 0);
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0].kind, SlotKind::Landscape);
    EXPECT_EQ(views[1].kind, SlotKind::Portrait);
    EXPECT_EQ(views[1].photo_row, 1);
}

TEST(PlacePhotoByHand, ADisplacedPhotoIsFreedUnlessAnotherSlotHoldsIt) {
    TemplateCatalogue catalogue = make_catalogue({{"two", "|heng|heng|", "|picture_1|picture_2|"}});
    Album album{{make_photo("a", 400, 300), make_photo("b", 400, 300)}, {}, {}, {}};
    add_used_template(album, catalogue, 0, false, {}, {});
    const SystemSettings settings;
    ScriptedUi ui;
    place_photo_by_hand(album, 0, 0, 0, settings, ui);
    place_photo_by_hand(album, 0, 1, 0, settings, ui);
    place_photo_by_hand(album, 0, 0, 1, settings, ui); // "a" still in slot 1
    EXPECT_TRUE(album.photos[0].fitted);
    place_photo_by_hand(album, 0, 1, 1, settings, ui); // "a" in no slot any more
    EXPECT_FALSE(album.photos[0].fitted);
    EXPECT_TRUE(album.photos[1].fitted);
    EXPECT_EQ(album.used_templates[0].match_state(), "已完成");
}

TEST(PlacePhotoByHand, RowsThatDoNotExistChangeNothingAndSayNothing) {
    HandAlbum a{make_photo("p", 400, 300)};
    EXPECT_EQ(a.place(2, 0), HandPlacement::NoSuchSlot);
    EXPECT_EQ(a.place(0, 1), HandPlacement::NoSuchSlot);
    EXPECT_EQ(place_photo_by_hand(a.album, 1, 0, 0, a.settings, a.ui), HandPlacement::NoSuchSlot);
    EXPECT_TRUE(a.ui.messages.empty());
    EXPECT_FALSE(a.slot(0).matched);
    EXPECT_TRUE(slots_of(a.album, 1).empty());
}

TEST(SlotRowOf, FindsTheSlotOfTheRightUsedTemplate) {
    HandAlbum a{};
    add_used_template(a.album, a.catalogue, 0, false, {}, {});
    EXPECT_EQ(slot_row_of(a.album, 1, 0), 2);
    EXPECT_EQ(slot_row_of(a.album, 1, 1), 3);
    EXPECT_FALSE(slot_row_of(a.album, 1, 2));
    EXPECT_FALSE(slot_row_of(a.album, -1, 0));
}

} // namespace
} // namespace velmora
