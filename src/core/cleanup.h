#pragma once

#include <QStringList>

#include "core/data_root.h"
#include "core/file_utils.h"

namespace velmora {

// What the program removes of its own files, and when. Nothing here touches what the person
// added: only unpacked material, work folders and transient pictures inside the data folder.

// The transient files of the background window and the default background picture.
QStringList transient_files(const DataRoot& root);
void delete_transient_files(const DataRoot& root);

// Removes the work folder and waits, pumping events, until it is gone. Returns false when it
// still exists after `attempts` tries (a file in it may be held open by another program).
bool remove_work_dir(const DataRoot& root, const PumpEvents& pump = {}, int attempts = 200);
// Removes the work folder and creates it again, retrying; false when it cannot be created.
bool recreate_work_dir(const DataRoot& root, const PumpEvents& pump = {}, int attempts = 200);

// The clean-up when the main window is first shown: the transient files, the preview workspace
// and the stray folder beside the program.
void first_show_cleanup(const DataRoot& root);

// Progress of the exit clean-up: `reset(maximum)` sets a bar to 0 of maximum, `step` advances it.
struct CleanupProgress {
    std::function<void(int maximum)> reset;
    ProgressStep step;
};

// The clean-up of a confirmed exit: the work folder and the preview workspace, advancing the
// bar (sized by the packed files in the work folder), then the transient files.
void exit_cleanup(const DataRoot& root, const CleanupProgress& progress = {});

} // namespace velmora
