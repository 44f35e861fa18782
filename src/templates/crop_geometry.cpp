#include "templates/crop_geometry.h"

#include <algorithm>

namespace velmora {
namespace {

constexpr QSize kUnsizedFrame{1920, 1080};
constexpr QSize kPortraitFrame{1080, 1920};
// An unsized portrait slot's box may grow by zooming until it is this wide.
constexpr int kWidestPortraitBox = 800 - 100;

// a·b/c on 64 bits, truncating; 0 when c is 0 (a slot or photo without a size).
int scale(qint64 a, qint64 b, qint64 c) { return c == 0 ? 0 : int(a * b / c); }

// The placement `option` stands for: position and size in slot pixels.
QRect placement(const SlotRow& slot, CropMark option) {
    if (option == CropMark::FullScreen)
        return {slot.jiancai_left_x, slot.jiancai_top_y, slot.jiancai_width, slot.jiancai_height};
    return {slot.shizhong_jiancai_left_x, slot.shizhong_jiancai_top_x, slot.shizhong_jiancai_width,
            slot.shizhong_jiancai_height};
}

// The view's image in slot pixels of `reference`.
QRect to_slot_pixels(const CropView& view, QSize reference) {
    const QSize box = view.box, r = reference;
    const QRect i = view.image;
    return {scale(i.x(), r.width(), box.width()), scale(i.y(), r.height(), box.height()),
            scale(i.width(), r.width(), box.width()), scale(i.height(), r.height(), box.height())};
}

void store_full_screen(SlotRow& slot, QRect p) {
    slot.jiancai_left_x = p.x();
    slot.jiancai_top_y = p.y();
    slot.jiancai_width = p.width();
    slot.jiancai_height = p.height();
}

void store_fitted(SlotRow& slot, QRect p) {
    slot.shizhong_jiancai_left_x = p.x();
    slot.shizhong_jiancai_top_x = p.y();
    slot.shizhong_jiancai_width = p.width();
    slot.shizhong_jiancai_height = p.height();
}

// The height of a zoomed image of `width`, keeping the photo's proportions (or the shown
// image's for a photo that was never measured).
int zoomed_height(int width, QSize photo, QRect shown) {
    if (photo.width() > 0 && photo.height() > 0)
        return scale(photo.height(), width, photo.width());
    return scale(shown.height(), width, shown.width());
}

// One direction of snapping. A photo at least as long as the box closes the gap at the start,
// then the one at the end. A shorter photo cannot cover the box; it stays where it was
// dropped as far as it lies inside the box, rather than jumping to the far edge.
int snap_axis(int position, int length, int box) {
    if (length < box)
        return std::clamp(position, 0, box - length);
    position = std::min(position, 0);
    return position + length < box ? box - length : position;
}

} // namespace

QSize slot_reference_size(const SlotRow& slot) {
    if (slot.mobanchicun_width == 0)
        return kUnsizedFrame;
    return {slot.mobanchicun_width, slot.mobanchicun_height};
}

bool is_unsized_portrait(const SlotRow& slot) {
    return slot.slot_kind == SlotKind::Portrait && slot.mobanchicun_width == 0;
}

QSize crop_box_size(const SlotRow& slot, UnsizedPortraitBasis basis) {
    const int area_w = kCropAreaSize.width(), area_h = kCropAreaSize.height();
    QSize box;
    if (slot.slot_kind == SlotKind::Landscape) {
        const QSize r = slot_reference_size(slot);
        box = {area_w, scale(area_w, r.height(), r.width())};
    } else {
        QSize r{slot.mobanchicun_width, slot.mobanchicun_height};
        if (slot.mobanchicun_width == 0)
            r = basis == UnsizedPortraitBasis::PortraitFrame
                    ? kPortraitFrame
                    : QSize(slot.shizhong_jiancai_width, slot.shizhong_jiancai_height);
        box = {scale(area_h, r.width(), r.height()), area_h};
    }
    // A slot whose sizes were never set still gets a box to show its photo in.
    return box.width() > 0 && box.height() > 0 ? box : kCropAreaSize;
}

QRect centred_box(QSize box) {
    return {(kCropAreaSize.width() - box.width()) / 2, (kCropAreaSize.height() - box.height()) / 2, box.width(),
            box.height()};
}

CropOptions crop_options_on_select(TemplateCategory category, CropMark crop_mark) {
    switch (category) {
    case TemplateCategory::Landscape:
        return {crop_mark, true, crop_mark == CropMark::FullScreen};
    case TemplateCategory::Portrait:
        return {CropMark::Fitted, false, true};
    case TemplateCategory::Mixed:
        break;
    }
    return {CropMark::FullScreen, false, true};
}

CropOptions crop_options_on_switch(TemplateCategory category, CropMark chosen) {
    return {chosen, category != TemplateCategory::Mixed, chosen == CropMark::FullScreen};
}

CropView show_photo(const SlotRow& slot, CropMark option, QSize box) {
    const QSize r = slot_reference_size(slot);
    const QRect p = placement(slot, option);
    QSize image{scale(box.width(), p.width(), r.width()), scale(box.height(), p.height(), r.height())};
    if (is_unsized_portrait(slot)) {
        image.setWidth(scale(image.height(), p.width(), p.height()));
        box.setWidth(std::max(1, image.width()));
    }
    const QPoint at{scale(box.width(), p.x(), r.width()), scale(box.height(), p.y(), r.height())};
    return {box, QRect(at, image)};
}

QPoint snap_photo(QRect image, QSize box) {
    return {snap_axis(image.x(), image.width(), box.width()), snap_axis(image.y(), image.height(), box.height())};
}

int zoom_step(QSize box) { return box.width() / 10; }

QString zoom_limit_message(ZoomLimit limit) {
    switch (limit) {
    case ZoomLimit::TooLarge:
        return QStringLiteral("不能再放大了,点[确定]按钮，照片大小恢复到默认大小！");
    case ZoomLimit::TooSmall:
        return QStringLiteral("不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！");
    case ZoomLimit::None:
        break;
    }
    return {};
}

ZoomResult zoom_in(const SlotRow& slot, const CropView& current, QSize photo) {
    if (is_unsized_portrait(slot) && current.box.width() > kWidestPortraitBox)
        return {current, ZoomLimit::TooLarge};
    const int width = current.image.width() + zoom_step(current.box);
    return {redraw(slot, current.box, {width, zoomed_height(width, photo, current.image)}), ZoomLimit::None};
}

ZoomResult zoom_out(const SlotRow& slot, const CropView& current, QSize photo) {
    const int width = current.image.width() - zoom_step(current.box);
    const QSize image{width, zoomed_height(width, photo, current.image)};
    const CropView view = redraw(slot, current.box, image);
    const bool gap = image.width() < view.box.width() || image.height() < view.box.height();
    return {view, gap ? ZoomLimit::TooSmall : ZoomLimit::None};
}

CropView redraw(const SlotRow& slot, QSize box, QSize image) {
    if (is_unsized_portrait(slot))
        box.setWidth(std::max(1, image.width()));
    const QPoint at{box.width() / 2 - image.width() / 2, box.height() / 2 - image.height() / 2};
    return {box, QRect(at, image)};
}

void save_crop(SlotRow& slot, TemplateCategory category, CropMark option, const CropView& view) {
    const QSize r = slot_reference_size(slot);
    if (category == TemplateCategory::Portrait) {
        // Only the height is measured on the box; the width follows the image's proportions.
        const QRect i = view.image;
        const int height = scale(i.height(), r.height(), view.box.height());
        const QRect p{0, scale(i.y(), r.height(), view.box.height()), scale(height, i.width(), i.height()), height};
        store_full_screen(slot, p);
        store_fitted(slot, p);
        slot.crop_mark = CropMark::Fitted;
        return;
    }
    const QRect p = to_slot_pixels(view, r);
    if (category == TemplateCategory::Landscape && option == CropMark::Fitted) {
        store_fitted(slot, p);
        slot.crop_mark = CropMark::Fitted;
    } else {
        store_full_screen(slot, p);
        slot.crop_mark = CropMark::FullScreen;
    }
}

} // namespace velmora
