#pragma once

#include <optional>
#include <vector>
#include <QString>

#include "core/system_settings.h"
#include "core/ui.h"
#include "templates/album.h"

namespace velmora {

// What one slot of a used template shows: its kind and the photo it holds, if any.
struct SlotView {
    SlotKind kind = SlotKind::Landscape;
    std::optional<int> photo_row;
};

// The slots of used template `used_row` in `slot_index` order; empty for a row that does not exist.
std::vector<SlotView> slots_of(const Album& album, int used_row);

// How many landscape and portrait slots of `used_row` hold a photo.
struct SlotFill {
    int landscape = 0;
    int portrait = 0;
};
SlotFill slot_fill(const Album& album, int used_row);

// The slot-table row of slot `slot_index` of used template `used_row`, or nothing.
std::optional<int> slot_row_of(const Album& album, int used_row, int slot_index);

// Whether `photo` may go into a slot of `kind`. The kind of a photo is its measured shape
// (square counts as landscape), never the shape of a thumbnail showing it.
bool photo_fits(const PhotoEntry& photo, SlotKind kind);

// The refusal for a photo of the other kind: "此处需要一张横照片！" / "此处需要一张竖照片！".
QString wrong_kind_message(SlotKind slot_kind);

// How a placement by hand ended.
enum class HandPlacement {
    Placed,
    WrongKind, // refused with wrong_kind_message
    NoSuchSlot // the used template, slot or photo does not exist
};

// Puts photo `photo_row` into slot `slot_index` of used template `used_row`, as dropping it on
// the slot's frame does. A photo of the wrong kind is refused with a message through `ui` and
// nothing changes. Otherwise the slot takes the photo with its default placement, the photo is
// fitted, a photo the slot held before is freed unless another slot holds it, and the used
// template's match state is "已完成" exactly when all its slots are filled.
HandPlacement place_photo_by_hand(Album& album, int used_row, int slot_index, int photo_row,
                                  const SystemSettings& settings, Ui& ui);

} // namespace velmora
