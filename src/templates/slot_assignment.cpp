#include "templates/slot_assignment.h"

#include "templates/used_templates.h"

namespace velmora {

std::vector<SlotView> slots_of(const Album& album, int used_row) {
    std::vector<SlotView> views;
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return views;
    const SlotRange range = slot_range(album, used_row);
    for (int s = range.first; s < range.first + range.count; ++s) {
        const SlotRow& slot = album.slot_rows[std::size_t(s)];
        views.push_back({slot.slot_kind, slot.matched ? slot.photo_row : std::nullopt});
    }
    return views;
}

SlotFill slot_fill(const Album& album, int used_row) {
    SlotFill fill;
    for (const SlotView& slot : slots_of(album, used_row))
        if (slot.photo_row)
            ++(slot.kind == SlotKind::Landscape ? fill.landscape : fill.portrait);
    return fill;
}

std::optional<int> slot_row_of(const Album& album, int used_row, int slot_index) {
    if (used_row < 0 || used_row >= int(album.used_templates.size()))
        return std::nullopt;
    const SlotRange range = slot_range(album, used_row);
    for (int s = range.first; s < range.first + range.count; ++s)
        if (album.slot_rows[std::size_t(s)].slot_index == slot_index)
            return s;
    return std::nullopt;
}

bool photo_fits(const PhotoEntry& photo, SlotKind kind) {
    return photo.is_landscape() == (kind == SlotKind::Landscape);
}

QString wrong_kind_message(SlotKind slot_kind) {
    return QStringLiteral("此处需要一张") +
           (slot_kind == SlotKind::Landscape ? QStringLiteral("横") : QStringLiteral("竖")) +
           QStringLiteral("照片！");
}

HandPlacement place_photo_by_hand(Album& album, int used_row, int slot_index, int photo_row,
                                  const SystemSettings& settings, Ui& ui) {
    const std::optional<int> slot = slot_row_of(album, used_row, slot_index);
    if (!slot || photo_row < 0 || photo_row >= int(album.photos.size()))
        return HandPlacement::NoSuchSlot;
    const SlotKind kind = album.slot_rows[std::size_t(*slot)].slot_kind;
    if (!photo_fits(album.photos[std::size_t(photo_row)], kind)) {
        ui.show_message(wrong_kind_message(kind));
        return HandPlacement::WrongKind;
    }
    match_photo_to_slot(album, *slot, photo_row, settings);
    refresh_match_state(album, used_row);
    return HandPlacement::Placed;
}

} // namespace velmora
