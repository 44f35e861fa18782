#include <gtest/gtest.h>

#include "templates/crop_geometry.h"

namespace velmora {
namespace {

SlotRow slot_of(SlotKind kind, int width, int height) {
    SlotRow slot;
    slot.slot_kind = kind;
    slot.mobanchicun_width = width;
    slot.mobanchicun_height = height;
    return slot;
}

SlotRow with_full_screen(SlotRow slot, QRect p) {
    slot.jiancai_left_x = p.x();
    slot.jiancai_top_y = p.y();
    slot.jiancai_width = p.width();
    slot.jiancai_height = p.height();
    return slot;
}

SlotRow with_fitted(SlotRow slot, QRect p) {
    slot.shizhong_jiancai_left_x = p.x();
    slot.shizhong_jiancai_top_x = p.y();
    slot.shizhong_jiancai_width = p.width();
    slot.shizhong_jiancai_height = p.height();
    return slot;
}

TEST(CropBox, SizeFollowsTheSlotKindAndSize) {
    struct Case {
        const char* what;
        SlotRow slot;
        UnsizedPortraitBasis basis;
        QSize box;
    };
    const auto unsized_portrait = with_fitted(slot_of(SlotKind::Portrait, 0, 0), {0, 0, 720, 1080});
    const Case cases[] = {
        {"landscape 600 x 400", slot_of(SlotKind::Landscape, 600, 400), {}, {800, 533}},
        {"landscape without size is the frame", slot_of(SlotKind::Landscape, 0, 0), {}, {800, 450}},
        {"portrait 608 x 1080", slot_of(SlotKind::Portrait, 608, 1080), {}, {253, 450}},
        {"unsized portrait takes its fitted size", unsized_portrait, UnsizedPortraitBasis::FittedPlacement, {300, 450}},
        {"unsized portrait when switching: 1080 x 1920", unsized_portrait, UnsizedPortraitBasis::PortraitFrame,
         {253, 450}},
        {"unplaced unsized portrait gets the whole area", slot_of(SlotKind::Portrait, 0, 0), {}, {800, 450}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(crop_box_size(c.slot, c.basis), c.box);
    }
    EXPECT_EQ(centred_box({800, 533}), QRect(0, -41, 800, 533));
    EXPECT_EQ(centred_box({253, 450}), QRect(273, 0, 253, 450));
}

TEST(CropOptions, FollowTheCategoryAndCropMark) {
    struct Case {
        TemplateCategory category;
        CropMark mark;
        CropMark selected;
        bool visible, zoom;
    };
    const Case cases[] = {
        {TemplateCategory::Mixed, CropMark::Fitted, CropMark::FullScreen, false, true},
        {TemplateCategory::Landscape, CropMark::FullScreen, CropMark::FullScreen, true, true},
        {TemplateCategory::Landscape, CropMark::Fitted, CropMark::Fitted, true, false},
        {TemplateCategory::Portrait, CropMark::FullScreen, CropMark::Fitted, false, true},
    };
    for (const Case& c : cases) {
        const CropOptions o = crop_options_on_select(c.category, c.mark);
        EXPECT_EQ(o.selected, c.selected);
        EXPECT_EQ(o.visible, c.visible);
        EXPECT_EQ(o.zoom_enabled, c.zoom);
    }
    EXPECT_FALSE(crop_options_on_switch(TemplateCategory::Mixed, CropMark::FullScreen).visible);
    EXPECT_TRUE(crop_options_on_switch(TemplateCategory::Portrait, CropMark::Fitted).visible);
    EXPECT_FALSE(crop_options_on_switch(TemplateCategory::Landscape, CropMark::Fitted).zoom_enabled);
    EXPECT_TRUE(crop_options_on_switch(TemplateCategory::Landscape, CropMark::FullScreen).zoom_enabled);
}

TEST(CropView, ShowsThePlacementScaledToTheBox) {
    struct Case {
        const char* what;
        SlotRow slot;
        CropMark option;
        CropView view;
    };
    // Placements as the default placement gives them (see the used-templates tests).
    const SlotRow landscape = with_fitted(with_full_screen(slot_of(SlotKind::Landscape, 800, 600), {-50, 0, 900, 600}),
                                          {0, 34, 800, 533});
    const SlotRow wide = with_full_screen(slot_of(SlotKind::Landscape, 600, 400), {-50, -7, 700, 414});
    const SlotRow unsized = with_full_screen(slot_of(SlotKind::Landscape, 0, 0), {0, 0, 1920, 1440});
    const SlotRow portrait = with_fitted(slot_of(SlotKind::Portrait, 0, 0), {0, 0, 720, 1080});
    const Case cases[] = {
        {"cover in an 800 x 600 slot", landscape, CropMark::FullScreen, {{800, 600}, {-50, 0, 900, 600}}},
        {"fitted in an 800 x 600 slot", landscape, CropMark::Fitted, {{800, 600}, {0, 34, 800, 533}}},
        // 800 x -50 / 600 = -66.7 and 533 x -7 / 400 = -9.3 truncate toward zero.
        {"scaled with truncation", wide, CropMark::FullScreen, {{800, 533}, {-66, -9, 933, 551}}},
        {"unsized landscape slot", unsized, CropMark::FullScreen, {{800, 450}, {0, 0, 800, 600}}},
        {"unsized portrait: the box takes the image width", portrait, CropMark::Fitted, {{300, 450}, {0, 0, 300, 450}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CropView v = show_photo(c.slot, c.option, crop_box_size(c.slot));
        EXPECT_EQ(v.box, c.view.box);
        EXPECT_EQ(v.image, c.view.image);
    }
}

TEST(CropSnap, ClosesGapsOnRelease) {
    struct Case {
        const char* what;
        QRect image;
        QPoint snapped;
    };
    const QSize box{800, 600};
    const Case cases[] = {
        {"inside the cover range stays", {-50, -20, 900, 650}, {-50, -20}},
        {"gap on the left", {30, -20, 900, 650}, {0, -20}},
        {"gap on top", {-50, 12, 900, 650}, {-50, 0}},
        {"gap on the right touches the right edge", {-150, -20, 900, 650}, {-100, -20}},
        {"gap at the bottom touches the bottom", {-50, -90, 900, 650}, {-50, -50}},
        {"shorter photo stays where it lies in the box", {-50, 40, 900, 300}, {-50, 40}},
        {"shorter photo is kept inside the box", {-50, 400, 900, 300}, {-50, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(snap_photo(c.image, box), c.snapped);
    }
}

TEST(CropZoom, StepsByATenthOfTheBoxAndStopsAtTheLimits) {
    const SlotRow landscape = slot_of(SlotKind::Landscape, 800, 600);
    const CropView cover{{800, 600}, {-50, 0, 900, 600}};
    const QSize photo{3000, 2000};
    EXPECT_EQ(zoom_step(cover.box), 80);

    // 980 wide keeps 3:2: 653 high, centred in the box.
    const ZoomResult in = zoom_in(landscape, cover, photo);
    EXPECT_EQ(in.limit, ZoomLimit::None);
    EXPECT_EQ(in.view.image, QRect(-90, -26, 980, 653));
    // 820 x 546 no longer covers 800 x 600.
    const ZoomResult out = zoom_out(landscape, cover, photo);
    EXPECT_EQ(out.limit, ZoomLimit::TooSmall);
    EXPECT_EQ(out.view.image.size(), QSize(820, 546));
    const ZoomResult out_of_larger = zoom_out(landscape, in.view, photo);
    EXPECT_EQ(out_of_larger.limit, ZoomLimit::None);
    EXPECT_EQ(out_of_larger.view.image.size(), QSize(900, 600));

    // An unsized portrait slot's box grows with the photo until it is wider than 700.
    const SlotRow portrait = slot_of(SlotKind::Portrait, 0, 0);
    const QSize tall{2000, 3000};
    const ZoomResult grown = zoom_in(portrait, {{300, 450}, {0, 0, 300, 450}}, tall);
    EXPECT_EQ(grown.limit, ZoomLimit::None);
    EXPECT_EQ(grown.view.box, QSize(330, 450));
    EXPECT_EQ(grown.view.image, QRect(0, -22, 330, 495));
    const CropView widest{{701, 450}, {0, -300, 701, 1051}};
    const ZoomResult refused = zoom_in(portrait, widest, tall);
    EXPECT_EQ(refused.limit, ZoomLimit::TooLarge);
    EXPECT_EQ(refused.view.image, widest.image);
    EXPECT_EQ(zoom_out(portrait, {{300, 450}, {0, 0, 300, 450}}, tall).limit, ZoomLimit::TooSmall);

    EXPECT_EQ(zoom_limit_message(ZoomLimit::TooLarge), "不能再放大了,点[确定]按钮，照片大小恢复到默认大小！");
    EXPECT_EQ(zoom_limit_message(ZoomLimit::TooSmall), "不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！");
}

TEST(CropSave, WritesSlotPixelsForTheCategory) {
    struct Case {
        const char* what;
        SlotRow slot;
        TemplateCategory category;
        CropMark option;
        CropView view;
        QRect full, fitted;
        CropMark mark;
    };
    const QRect untouched{7, 7, 7, 7};
    const SlotRow sized = with_fitted(with_full_screen(slot_of(SlotKind::Landscape, 1200, 900), untouched), untouched);
    const SlotRow small = with_fitted(with_full_screen(slot_of(SlotKind::Landscape, 600, 450), untouched), untouched);
    const SlotRow tall = with_fitted(with_full_screen(slot_of(SlotKind::Portrait, 0, 0), untouched), untouched);
    const CropView view{{800, 600}, {-60, -20, 960, 640}};
    const Case cases[] = {
        {"mixed", sized, TemplateCategory::Mixed, CropMark::Fitted, view, {-90, -30, 1440, 960}, untouched,
         CropMark::FullScreen},
        // -67 x 600 / 800 = -50.25 truncates to -50.
        {"landscape full screen, truncating", small, TemplateCategory::Landscape, CropMark::FullScreen,
         {{800, 600}, {-67, 0, 867, 600}}, {-50, 0, 650, 450}, untouched, CropMark::FullScreen},
        {"landscape fitted", sized, TemplateCategory::Landscape, CropMark::Fitted, view, untouched,
         {-90, -30, 1440, 960}, CropMark::Fitted},
        // Heights on the 1080 frame: 450 box pixels are 1080; the width keeps the image's proportions.
        {"portrait: left always 0", tall, TemplateCategory::Portrait, CropMark::Fitted,
         {{330, 450}, {120, -22, 330, 495}}, {0, -52, 792, 1188}, {0, -52, 792, 1188}, CropMark::Fitted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SlotRow slot = c.slot;
        save_crop(slot, c.category, c.option, c.view);
        EXPECT_EQ(QRect(slot.jiancai_left_x, slot.jiancai_top_y, slot.jiancai_width, slot.jiancai_height), c.full);
        EXPECT_EQ(QRect(slot.shizhong_jiancai_left_x, slot.shizhong_jiancai_top_x, slot.shizhong_jiancai_width,
                        slot.shizhong_jiancai_height),
                  c.fitted);
        EXPECT_EQ(slot.crop_mark, c.mark);
    }
}

TEST(CropSave, ShowingASavedCropGivesItBack) {
    SlotRow slot = slot_of(SlotKind::Landscape, 1200, 900);
    const CropView dragged{{800, 600}, {-60, -20, 960, 640}};
    save_crop(slot, TemplateCategory::Mixed, CropMark::FullScreen, dragged);
    const CropView shown = show_photo(slot, CropMark::FullScreen, crop_box_size(slot));
    EXPECT_EQ(shown.box, dragged.box);
    EXPECT_EQ(shown.image, dragged.image);
}

} // namespace
} // namespace velmora
