#pragma once

#include "production/mcl_types.h"

#include <QString>
#include <QStringList>

namespace velmora {

// What writing a DVD-Video folder gave.
struct DvdFolderResult {
    QString error;          // empty when the folder is complete; else why not, dvdauthor's words kept
    QStringList warnings;   // dvdauthor's "WARN:" lines, for the person to read
};

// Writes a DVD-Video folder (AUDIO_TS and VIDEO_TS, one title, no menu) for `album`, a DVD
// album at the disc size of `standard`, through the `dvdauthor` program: first the title
// set, then the table of contents. The folder is made under a temporary name beside `folder`
// and renamed to it once complete, so `folder` only ever holds a finished DVD; nothing is left
// behind on failure. `folder` must not exist yet (an existing one is refused, never replaced).
// Blocks until dvdauthor ends; any thread.
DvdFolderResult write_dvd_folder(const QString& album, const QString& folder, mcl::TvStandard standard);

} // namespace velmora
