#pragma once

#include <vector>
#include <QStringList>

#include "core/data_root.h"
#include "effects/effect_entry.h"
#include "templates/album.h"
#include "templates/background_pool.h"
#include "templates/template_catalogue.h"

namespace velmora {

// A prepared combination of picture effects: element k (a picture effect number) starts
// offsets[k] seconds after the combination's start.
struct PictureCombination {
    std::vector<int> elements;
    std::vector<int> offsets;
};

// The five combination categories, "婚纱特效组合" first, as the selector offers them.
const QStringList& picture_combination_categories();
// The combinations of `category`; none for a name that is not a category.
std::vector<PictureCombination> picture_combinations(const QString& category);

// What one automatic picture run did.
struct PictureRunResult {
    int combinations = 0;        // combinations laid
    int effects_added = 0;       // rows appended
    // Combinations or elements left out because their effect has no usable definition.
    QStringList problems;
};

// Lays combinations of `category`, picked at random (uniform), end to end from album frame 0
// until they cover the frames of the matched templates: a combination lasts as long as its
// first element. A pick that would end more than 30 frames past the templates is dropped,
// unless only one template is matched. A combination whose first element has no usable
// definition has no length: it is left out of the picks for the rest of the run, so the run
// always ends. Appends "自动添加" rows to `effects`.
PictureRunResult auto_picture_combinations(const QString& category, const Album& album,
                                           const TemplateCatalogue& catalogue, const DataRoot& root,
                                           const RandomPick& random, PictureEffectTable& effects);

} // namespace velmora
