#pragma once

#include <optional>
#include <vector>

#include "core/system_settings.h"
#include "templates/album.h"
#include "templates/background_pool.h"
#include "templates/template_catalogue.h"

namespace velmora {

// The range of slot rows of used template `used_row`: [first, first + count).
struct SlotRange {
    int first = 0;
    int count = 0;
};
SlotRange slot_range(const Album& album, int used_row);

// A used template as template-list row `row` describes it, not yet complete.
UsedTemplate used_template_from(const TemplateListRow& row);

// Appends a used template for row `template_list_row` of the template list `moban`, its
// background row (a photo picked at random from `pool`, the background photo pool as of its
// last rebuild; none while it is empty) and one empty slot
// row per photo slot, landscape slots first; then names the new template's slots.
// `complete` is the match state written at creation. Returns the new used row, or nothing
// (and changes nothing) when the template-list row does not exist.
std::optional<int> add_used_template(Album& album, const TemplateCatalogue& catalogue, int template_list_row,
                                     bool complete, const BackgroundPool& pool, const RandomPick& random);

// Gives the slot rows of `used_row` their picture names and sizes from the catalogue. Rows
// already named keep their names; a picture with no free row of its kind is not used.
void name_slots(Album& album, const TemplateCatalogue& catalogue, int used_row);

// The default placement of a `photo_width` x `photo_height` photo in `slot`: the full-screen
// (cover) and fitted values and the crop mark. Reads the portrait crop setting.
void place_photo_default(SlotRow& slot, int photo_width, int photo_height, const SystemSettings& settings);

// Puts photo `photo_row` into slot row `slot`: matched, its location, the default placement,
// and the photo marked fitted; a photo it displaces is freed unless another slot holds it.
// The used template's match state is left to the caller
// (see refresh_match_state). Returns false, changing nothing, for a row that does not exist.
bool match_photo_to_slot(Album& album, int slot, int photo_row, const SystemSettings& settings);

// "已完成" exactly when every slot of `used_row` holds a photo.
void refresh_match_state(Album& album, int used_row);

// Deletes used template `used_row` with its slot rows and its background row; later used
// templates move up one row. A photo that no remaining slot holds is no longer fitted.
// Returns false, changing nothing, when the row does not exist.
bool delete_used_template(Album& album, int used_row);

// Empties the used templates, the slot table and the background list; no photo is fitted.
void delete_all_used_templates(Album& album);

} // namespace velmora
