#pragma once

#include <QString>

#include "app/batch/batch_options.h"

namespace velmora::batch {

// Each command returns the process exit code; errors go to standard error.
int run_catalogue(const BatchOptions& options, const QString& program_folder);

} // namespace velmora::batch
