#pragma once

#include <QStringList>

namespace velmora {

// Files dropped on the main window, sorted by what the program does with them.
struct DroppedFiles {
    QStringList photos;   // ".jpg"/".jpeg" files, and those directly inside dropped folders
    QStringList songs;    // ".mp3"
    QStringList lyrics;   // ".lrc"
    QStringList others;   // anything else: not added
};

// Sorts dropped paths by their extension in any letter case, keeping the drop's order. A
// folder gives its photos in name order (not those of its subfolders); its other files are
// ignored, and a folder with no photo is listed under `others`.
DroppedFiles sort_dropped_files(const QStringList& paths);

} // namespace velmora
