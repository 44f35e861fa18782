#pragma once

#include "core/data_root.h"
#include "production/workspace_paths.h"
#include "templates/album.h"
#include "templates/template_catalogue.h"
#include "templates/thumbnail_service.h"

#include <QSize>
#include <functional>
#include <vector>

namespace velmora {

// One template folder to make: folder number K (from 1) and the used-template row it shows.
// Production numbers its templates-needed rows 1, 2, ...; the preview numbers used-template
// rows, so its numbers may have gaps.
struct WorkspaceTemplate {
    int folder_number = 0;
    int used_row = 0;
};

// What the preparation reports while it works; unset members do nothing.
struct WorkspaceCallbacks {
    // Asked between items; may let pending interface events run. True abandons the preparation.
    std::function<bool()> stop_requested;
    // One unit of work done (the busy bar advances by 1): three per template.
    std::function<void()> step;
};

enum class WorkspaceOutcome { Ready, Stopped };

// Builds the album workspace: a fresh template-folder tree with, for every template, its fully
// unpacked movie, its background picture and its slot pictures at `picture_size`, plus the
// closing movie with its copy and an empty snapshot folder.
// Interface thread. Throws DataError when a packed movie is damaged, a folder cannot be made or
// a picture cannot be written; a stopped or failed preparation leaves the tree partly built.
WorkspaceOutcome prepare_album_workspace(const DataRoot& root, const WorkspacePaths& paths, const Album& album,
                                         const TemplateCatalogue& catalogue,
                                         const std::vector<WorkspaceTemplate>& templates, QSize picture_size,
                                         const ThumbnailService& thumbnails, const WorkspaceCallbacks& callbacks);

// The background picture of a template: black when the row names no picture, otherwise the
// picture scaled to cover `size` (full height, or full width when it is relatively narrower),
// centred horizontally and aligned to the top, cut at the edges. Throws DataError naming the
// picture when it cannot be decoded: the panel never shows a blank box in its place.
// Exposed for tests.
QImage background_picture(const BackgroundRow& row, QSize size, const ThumbnailService& thumbnails);

} // namespace velmora
