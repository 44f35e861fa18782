#pragma once

#include <QString>
#include <QStringList>

#include "app/batch/batch_options.h"

namespace velmora::batch {

// Each command returns the process exit code; errors go to standard error.
int run_catalogue(const BatchOptions& options, const QString& program_folder);
// Takes the raw arguments: it has its own option "--combination N". Writes only below
// `work_root` (see WorkRoot).
int run_plan(QStringList arguments, const QString& program_folder, const QString& work_root);
// Takes the raw arguments: builds the album and writes its video file, printing its path.
// Writes only below `work_root` and the album's file. A stop signal ends it with "stopped",
// no album file and report_stopped()'s exit code.
int run_make(QStringList arguments, const QString& program_folder, const QString& work_root);
// Lists the installed picture effects and the text effects of each category, with their frame
// counts and marks (as JSON with --json); a refused definition is marked so.
int run_effects(const BatchOptions& options, const QString& program_folder);
// Prints the timed-lyric table of one lyric file as a JSON array of [time text, lyric] rows.
int run_lyrics(const BatchOptions& options);

} // namespace velmora::batch
