#pragma once

#include <functional>
#include <QString>

#include "core/data_root.h"

namespace velmora {

// The template preview plays a movie extracted into the preview workspace:
//   wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l/  the movie and its copy (and later its pictures)
//   wj_y_l/wj_y_l/wj_y_l/pic/            the previous template's last frame
QString preview_movie_folder(const DataRoot& root);
QString preview_picture_folder(const DataRoot& root);

// The file name (in the work folder) of unpack round `round` (1-based); `checks` is the number
// of existence checks made while re-creating the picture folder, normally 2.
using PreviewIntermediateName = std::function<QString(int checks, int round)>;
// "wj_y_l_d_g_1" + checks + "-" + round + hhnnss + extension: previewing a catalogue template.
PreviewIntermediateName catalogue_preview_intermediates(const QString& extension);
// "wj_y_l_d_g_1_wj_y_l_d_g_1" + checks + "-" + round + hhnnss + extension: a used template.
PreviewIntermediateName used_preview_intermediates(const QString& extension);

// The extracted movie and its identical copy, both in the preview movie folder.
struct PreviewMovie {
    QString movie; // "wj_y_l_d_g_2" + extension
    QString copy;  // "wj_y_l_d_g_2_2" + extension
};

// Deletes and re-creates both preview folders, unpacks the template movie `packed_movie` in its
// 20 rounds through intermediates named by `names` in the work folder, and writes the result
// twice into the movie folder. Throws DataError when a folder cannot be made or the movie
// cannot be read, is damaged or cannot be written; no movie file is left half written.
PreviewMovie extract_preview_movie(const DataRoot& root, const QString& packed_movie,
                                   const PreviewIntermediateName& names, const QString& extension);

} // namespace velmora
