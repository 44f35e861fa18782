#pragma once

#include <vector>
#include <QStringList>

#include "core/data_root.h"
#include "core/file_utils.h"
#include "effects/effect_id.h"

namespace velmora {

// The text-effect category selector: 42 entries, "01 全部文字元素" .. "21 运动会文字元素", each
// followed by a separator. An even position i selects category folder i / 2, position 0 every
// category; odd positions are separators.
const QStringList& text_effect_category_selector();
bool is_category_separator(int position);

// Installed effects in listing order with their names. Numbers count from 1 and a listing
// stops at the first number whose folder is missing; a folder without its definition file is
// passed over.
struct EffectListing {
    QStringList names;
    std::vector<EffectId> ids;           // row-aligned with names
    // The first effect folder found without its definition file, when the listing stopped there
    // (see list_text_effects); empty otherwise.
    QString missing_definition;
};

// Picture effects 1, 2, ...: entry N - 1 is effect N. `pump` runs between folders.
EffectListing list_picture_effects(const DataRoot& root, const PumpEvents& pump = {});

// Whether a text listing passes over an effect folder without its definition, or stops there
// (the text-effect window's category choice does).
enum class MissingDefinition { PassOver, Stop };

// Text effects of selector position `position`: position 0 every category G = 1, 2, ... until a
// category folder is missing, an even position only G = position / 2; within a category
// K = 1, 2, .... A separator position lists nothing.
EffectListing list_text_effects(const DataRoot& root, int position, MissingDefinition missing = MissingDefinition::PassOver,
                                const PumpEvents& pump = {});

} // namespace velmora
