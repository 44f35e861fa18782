#pragma once

#include <QSize>
#include <QString>

#include "core/data_root.h"
#include "templates/template_params.h"

namespace velmora {

// Writes what template `params`' movie reads, laid out as in the album workspace, below
// `workspace`: the unpacked movie, a painted sample photo for every slot and derived picture
// (a derived picture repeats the photo of the slot it is made from), the default background
// and a sample previous frame, all at the scale of `render`. Returns the movie's path, for
// the template player. Replaces what an earlier call left there. Throws DataError when the
// movie or the background cannot be unpacked or a picture cannot be written.
QString prepare_sample_play_folder(const DataRoot& root, const TemplateParams& params, const QString& workspace,
                                   QSize render);

} // namespace velmora
