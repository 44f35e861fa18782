#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "templates/album.h"
#include "templates/template_category.h"

namespace velmora {

// The crop window's picture area: the crop box lies centred in it, and what lies outside
// the area is not seen.
inline constexpr QSize kCropAreaSize{800, 450};

// All functions below use integer arithmetic, products before divisions, divisions
// truncating toward zero; a division by zero gives 0 instead of failing.

// The pixel space the slot's placement values are in: the slot size, or the 1920 x 1080
// frame when the slot has no width.
QSize slot_reference_size(const SlotRow& slot);

// A portrait slot without a size: its box follows the photo's own proportions.
bool is_unsized_portrait(const SlotRow& slot);

// What an unsized portrait slot's box is measured on: its fitted placement when a row is
// selected, a 1080 x 1920 portrait frame when the placement option is switched.
enum class UnsizedPortraitBasis { FittedPlacement, PortraitFrame };

// The crop box of a slot: a landscape slot is 800 wide with the slot's proportions, a
// portrait slot 450 high.
QSize crop_box_size(const SlotRow& slot, UnsizedPortraitBasis basis = UnsizedPortraitBasis::FittedPlacement);

// Where a box of `box` size lies in the crop area: centred.
QRect centred_box(QSize box);

// The placement option buttons for a slot of `category`.
struct CropOptions {
    CropMark selected = CropMark::FullScreen;
    bool visible = false;      // both option buttons shown
    bool zoom_enabled = true;  // zoom buttons and dragging
};
// When a row is selected: the option follows the category and, for landscape templates, the
// slot's crop mark.
CropOptions crop_options_on_select(TemplateCategory category, CropMark crop_mark);
// When the person chose `chosen`: the zoom follows the choice; the buttons stay visible for
// the single-photo categories.
CropOptions crop_options_on_switch(TemplateCategory category, CropMark chosen);

// The photo as the window shows it: the box size and the image's place and size in box
// pixels.
struct CropView {
    QSize box;
    QRect image;
};

// The photo of `slot` shown in a box of `box` size with the placement of `option`. An
// unsized portrait slot's box takes the image's width.
CropView show_photo(const SlotRow& slot, CropMark option, QSize box);

// Where a dragged photo lands on release: moved back so that it covers the box (no gap on the
// left or top first, then none on the right or bottom). In a direction where the photo is
// shorter than the box it is only kept inside the box.
QPoint snap_photo(QRect image, QSize box);

// One zoom step: a tenth of the box width.
int zoom_step(QSize box);

// A zoom that went past its limit; the window then shows the limit's message and restores
// the default size.
enum class ZoomLimit { None, TooLarge, TooSmall };
QString zoom_limit_message(ZoomLimit limit);

struct ZoomResult {
    CropView view;                  // what to show (unchanged when refused as too large)
    ZoomLimit limit = ZoomLimit::None;
};

// "放大相片" / "缩小相片" from the view shown, for a photo of `photo` size (its measured
// width and height, which keep its proportions as the image grows and shrinks).
ZoomResult zoom_in(const SlotRow& slot, const CropView& current, QSize photo);
ZoomResult zoom_out(const SlotRow& slot, const CropView& current, QSize photo);

// The photo at `image` size centred in the box (an unsized portrait slot's box takes the
// image's width).
CropView redraw(const SlotRow& slot, QSize box, QSize image);

// "保存剪裁": writes the view back into the slot's placement values, in slot pixels, and sets
// its crop mark. Portrait templates always store the photo at the left edge.
void save_crop(SlotRow& slot, TemplateCategory category, CropMark option, const CropView& view);

} // namespace velmora
