#pragma once

#include "templates/album.h"

namespace velmora {

// How the photo-files window previews the templates that hold one photo.
enum class PhotoTemplatePreview {
    None,             // no slot holds the photo
    WithAutoStart,    // one slot holds it, and every slot of its template is matched
    WithoutAutoStart, // one slot in a template still missing photos, or several slots
};

PhotoTemplatePreview photo_template_preview(const Album& album, int photo_row);

} // namespace velmora
