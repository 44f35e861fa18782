#pragma once

#include <optional>
#include <QStringList>

#include "production/progress_line.h"
#include "core/app_state.h"
#include "core/data_root.h"
#include "core/scripted_ui.h"
#include "effects/album_effects.h"
#include "templates/album.h"
#include "templates/template_catalogue.h"

namespace velmora::batch {

// Writes "velmora-make: MESSAGE" to standard error; returns the failure exit code 1.
int fail(const QString& message);

// The photos named on the command line: files as given, folders as their JPEGs in name order,
// names taken by their bytes (a name that is not UTF-8 is kept, and shown escaped). A file
// that cannot serve as a photo (check_photo) is left out with a line on stderr naming it.
// Nothing, with the reason in `error`, for a missing path or when no photo remains.
std::optional<QStringList> photo_files(const QStringList& arguments, QString& error);

// What "plan" and "make" take out of the arguments before their own options: "--combination N"
// (0 when absent) and every "--lyrics FILE", in order.
// So do the effect choices: "--text-effects auto|none" (auto), "--picture-effects CATEGORY|none"
// (none; CATEGORY one of the five combination categories) and "--seed N", which fixes every
// random choice of the run (absent: the clock seeds it).
struct AlbumArguments {
    int combination = 0;
    QStringList lyric_files;
    bool text_effects = true;
    std::optional<QString> picture_effects;
    std::optional<std::uint32_t> seed;

    // The run's one source of chance.
    RandomPick random() const;
};
// Nothing, with the reason in `error`, for a malformed combination number, a "--lyrics"
// without a value, a lyric file that does not exist or is refused for its size, or a bad
// effect choice or seed.
std::optional<AlbumArguments> take_album_arguments(QStringList& arguments, QString& error);

// Loads the installed templates; the reason they cannot be loaded, or empty. Templates left
// out for a bad field are named in a warning on standard error.
QString load_catalogue(const DataRoot& root, TemplateCatalogue& catalogue);

// Adds `files` to the album as "添加照片" does, assigning templates in rotation through the
// catalogue (`combination` 0) or by combination file `combination` (from 1), with the default
// settings. Returns the reason when the combination file cannot be read, no photo could be
// added or no template took any; empty on success (what was left out is in the messages).
// The effects the arguments ask for are then placed into `effects` from `random`; a data folder
// without any installed effect makes the album without them, noted on standard error.
QString add_photos_with_templates(const DataRoot& root, const TemplateCatalogue& catalogue, QStringList files,
                                  const AlbumArguments& arguments, const RandomPick& random, ScriptedUi& ui,
                                  Album& album, AppState& app_state, AlbumEffects& effects);

// Whether any picture or text effect is installed below `root`.
bool any_effect_installed(const DataRoot& root);

// A ScriptedUi that prints every message to standard error, as the batch tool reports them,
// each on a line of its own below `terminal`'s progress line.
void print_messages(ScriptedUi& ui, mcl::FrameProgressLine& terminal);

} // namespace velmora::batch
