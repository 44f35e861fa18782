#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <map>

#include "core/data_root.h"
#include "templates/template_catalogue.h"

namespace velmora {

// Pictures of the catalogue's templates for the template lists: the frame from the middle of
// each movie, rendered through the template player with painted sample photos in its slots,
// the default background and a sample previous frame (see prepare_sample_play_folder), once,
// and kept for the rest of the run. Rendering one takes tens of milliseconds, so callers ask
// only for the templates they show.
//
// The catalogue and the data root outlive the cache; the catalogue may be read after the cache
// is made but does not change afterwards. `work_folder` is the cache's own: it is made when
// needed and emptied after each picture. One thread (the interface thread).
class TemplatePictureCache {
public:
    static constexpr QSize kPictureSize{320, 180};   // 16:9, the album's shape
    static constexpr QSize kRenderSize{800, 450};    // the standard-quality render size

    TemplatePictureCache(const DataRoot& root, const TemplateCatalogue& catalogue, QString work_folder);

    // The picture of catalogue row `row` at kPictureSize, rendered on the first call. A row the
    // catalogue does not have, or a template that cannot be rendered, gives a null image; that
    // answer is kept too, so a broken template is not tried again.
    QImage picture(int row);
    // Whether picture(row) answers from memory.
    bool has_picture(int row) const { return pictures_.count(row) > 0; }
    // How many templates were rendered in this run (each at most once).
    int renders() const { return renders_; }

private:
    QImage render(const TemplateParams& params);

    const DataRoot& root_;
    const TemplateCatalogue& catalogue_;
    QString work_folder_;
    std::map<int, QImage> pictures_;
    int renders_ = 0;
};

} // namespace velmora
