#pragma once

#include <QString>

#include "core/data_root.h"

namespace velmora {

// Checks that the packed start-up movie has its exact size and unpacks it (13 rounds, the
// intermediates in the work folder) to the work folder. Returns the unpacked movie's path.
// Throws StartupAbort when the file is missing or of the wrong size, DataError when damaged.
QString unpack_startup_movie(const DataRoot& root);

} // namespace velmora
