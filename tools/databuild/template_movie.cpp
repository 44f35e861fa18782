#include "template_movie.h"

#include "designed_movie.h"
#include "movie_markers.h"

namespace velmora::databuild {

json template_movie(const TemplateSource& t, const TitleFonts& fonts) {
    MovieFrame frame;
    frame.name = t.file_stem;
    frame.frames = t.frames;
    frame.marker = kTemplateMarker;
    frame.background = true;
    frame.previous_frame = true;
    for (const TemplatePicture& p : t.pictures)
        frame.pictures[p.name] = {p.width, p.height};
    return designed_movie(frame, t.design, fonts);
}

} // namespace velmora::databuild
