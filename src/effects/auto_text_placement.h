#pragma once

#include <QStringList>
#include <QTime>

#include "core/data_root.h"
#include "effects/text_effect_lists.h"
#include "templates/album.h"
#include "templates/background_pool.h"
#include "templates/template_catalogue.h"

namespace velmora {

// Which matched templates get text effects: every one, every `interval`-th, or each with an
// even chance.
enum class TextPlacementOption { EveryTemplate, Interval, Random };

struct TextPlacementRequest {
    TextPlacementOption option = TextPlacementOption::EveryTemplate;
    int interval = 1;            // 1 .. 9, for the interval option
    int category_position = 0;   // position in the category selector; 0 all categories
};

struct TextRunResult {
    int placed = 0;
    // Installed effects passed over because their definition is refused; each is named on
    // standard error too.
    QStringList problems;
};

// The automatic tag of used template `used_row`, written at `time`: "hhmmss_r".
QString automatic_tag(const QTime& time, int used_row);

// Places text effects into the matched templates that carry none yet (their last slot row has
// no tag): for each template mark ("wxcs02", plus one optional mark of "wxcs04" picked at
// random at the last offset), one listed effect of the category whose "wxcs03" holds the mark,
// picked at random with one chance per occurrence of the mark, starts at the mark's frame
// offset ("wxcs01") in its template. The new effects and their template's slot rows share the
// template's tag; then all automatic effects are retimed. `random` is the run's one source of
// chance; `tag_time` the wall-clock time the tags are written with.
TextRunResult auto_text_effects(const TextPlacementRequest& request, Album& album, const TemplateCatalogue& catalogue,
                                const DataRoot& root, const RandomPick& random, const QTime& tag_time,
                                TextEffectLists& lists);

} // namespace velmora
