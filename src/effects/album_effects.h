#pragma once

#include <functional>
#include <optional>
#include <QTime>

#include "core/app_state.h"
#include "core/data_root.h"
#include "core/ui.h"
#include "effects/effect_entry.h"
#include "effects/text_effect_lists.h"
#include "templates/album.h"
#include "templates/background_pool.h"
#include "templates/template_catalogue.h"

namespace velmora {

// The album's two effect lists. Album and catalogue are borrowed and outlive it.
struct AlbumEffects {
    AlbumEffects(Album& album, const TemplateCatalogue& catalogue) : text(album, catalogue) {}

    PictureEffectTable picture;
    TextEffectLists text;
};

// What the automatic placements draw on. `random` is the run's one source of chance; `clock`
// gives the wall-clock time automatic tags are written with.
struct AutoEffectServices {
    const DataRoot& root;
    const TemplateCatalogue& catalogue;
    RandomPick random;
    std::function<QTime()> clock = [] { return QTime::currentTime(); };
};

// Which silent placements run once photos were added and templates assigned.
struct AutoEffectChoice {
    bool text = true;                      // every template, all categories
    std::optional<QString> picture;        // a combination category, or none
    // Asked before a picture placement empties a list that holds effects; unset: the list is
    // kept and the picture placement does not run.
    std::function<bool()> confirm_emptying_pictures = {};
};

// The question asked before the automatic picture placement empties the picture effects.
QString emptying_pictures_question();

// The silent runs after adding photos: the text placement, then (only on an empty picture
// list) the picture combinations. Each clears its completion flag in `state` before it runs
// and sets its done value after; both run to their end here, so no caller waits for them.
// What could not be placed goes to `problems` (may be null).
void run_automatic_effects(const AutoEffectChoice& choice, Album& album, AlbumEffects& effects,
                           const AutoEffectServices& services, AppState& state, QStringList* problems = nullptr);

} // namespace velmora
