#include "templates/photo_template_preview.h"

#include <algorithm>

namespace velmora {

PhotoTemplatePreview photo_template_preview(const Album& album, int photo_row) {
    const SlotRow* holder = nullptr;
    int holders = 0;
    for (const SlotRow& slot : album.slot_rows) {
        if (slot.photo_row == photo_row) {
            holder = &slot;
            ++holders;
        }
    }
    if (holders == 0)
        return PhotoTemplatePreview::None;
    if (holders > 1)
        return PhotoTemplatePreview::WithoutAutoStart;
    const bool all_matched = std::all_of(album.slot_rows.begin(), album.slot_rows.end(), [&](const SlotRow& s) {
        return s.used_row != holder->used_row || s.matched;
    });
    return all_matched ? PhotoTemplatePreview::WithAutoStart : PhotoTemplatePreview::WithoutAutoStart;
}

} // namespace velmora
