#pragma once

#include <functional>
#include <optional>
#include <QString>

#include "core/data_root.h"
#include "core/system_settings.h"
#include "core/ui.h"
#include "templates/album.h"
#include "templates/template_catalogue.h"
#include "templates/used_templates.h"

namespace velmora {

// How photos are given templates automatically, `mobanfashi`. Unset until the person first
// chose: a fitting job then fills slots as in the rotation.
enum class AssignmentMode { Unset, Random, Combination };
// "" / "shiyong_suijimoban" / "shiyong_zuhemoban".
QString to_text(AssignmentMode mode);
std::optional<AssignmentMode> assignment_mode_from_text(const QString& text);

// What the assignment keeps between additions. The cursors are the work-list positions of
// the photos last handed out in combination mode; only a combination job resets them.
struct AssignmentState {
    AssignmentMode mobanfashi = AssignmentMode::Unset;
    int zuhemoban_xuanhao = 0; // chosen row of the combination list; file number - 1
    int required_landscape = 0;
    int required_portrait = 0;
    int landscape_cursor = -1;
    int portrait_cursor = -1;
};

// What the assignment jobs use; everything is owned by the caller.
struct AssignmentServices {
    const TemplateCatalogue& catalogue;
    const SystemSettings& settings;
    Ui& ui;
    const DataRoot& root;
    RandomPick random;
    // The automatic effects run at the end of an adding or combination job (optional).
    std::function<void(Album&)> automatic_effects = {};
};

struct AssignmentResult {
    int photos_left = 0; // photos that no template could take
};

// Called by the adding job once new photos from `first_new_photo_row` on were appended and
// the backgrounds filled from the pool. Combination mode runs the chosen combination over
// every photo without a template; any other mode the rotation through the catalogue followed
// by the default background picture. Photos that no template takes are named by count in a
// message. A combination file that cannot be read is reported and nothing is assigned.
AssignmentResult assign_templates(Album& album, int first_new_photo_row, AssignmentState& state,
                                  const AssignmentServices& services);

// "自动套版": fills empty backgrounds from the pool and runs the rotation over the photos
// without a template, then reports. Slots are filled by the cursors while the mode is the
// combination mode.
AssignmentResult run_fitting_job(Album& album, AssignmentState& state, const AssignmentServices& services);

// Gives every background row without a picture the shipped default background (unpacked on
// demand). A missing default background leaves the rows as they are; a damaged one leaves
// them too, with a message to `ui` naming it.
void apply_default_background(Album& album, const DataRoot& root, Ui& ui);

// The message naming how many photos were left without a template.
QString photos_left_message(int count);

} // namespace velmora
