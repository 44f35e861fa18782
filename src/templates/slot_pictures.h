#pragma once

#include <functional>
#include <QSize>
#include <QString>
#include <QStringList>

#include "templates/album.h"
#include "templates/template_catalogue.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// Asked before every rendering of a composition; the caller may let pending interface
// events run there. Returning true abandons the composition at once.
using StopRequest = std::function<bool()>;

// What one composition wrote.
struct SlotPicturesResult {
    QStringList written;      // full paths of the NAME.jpg files, in picture order
    QStringList refused_names; // picture names that are not plain file names: nothing written
    bool stopped = false;     // abandoned on the stop request; `written` holds what was done
};

// Writes the pictures the movie of used template `used_row` loads: for every name of its
// catalogue row's picture list a JPEG NAME.jpg (quality 90) in `folder`, which must exist.
// Each slot's photo is first drawn on a white canvas at the 1920 x 1080 reference scale with
// the slot's placement; each picture is then that canvas stretched to its size for a movie of
// `reference` size. Derived pictures (names with more than one "_") repeat the canvas of the
// slot whose name they contain. `landscape_option` chooses the full-screen or fitted drawing
// of landscape templates. The reference-scale canvases stay in memory; only the final files
// are written, each under a temporary name renamed when complete.
// Photos are rendered through `thumbnails` at the size they are drawn at, only the part that
// shows on the canvas. A used row or catalogue row that does not exist writes nothing.
// Interface thread. Throws DataError naming the photo when a slot's photo cannot be decoded
// (no picture shows a blank box in its place), and when a picture cannot be written.
SlotPicturesResult compose_slot_pictures(const Album& album, const TemplateCatalogue& catalogue, int used_row,
                                         QSize reference, CropMark landscape_option, const QString& folder,
                                         const ThumbnailService& thumbnails, const StopRequest& stop = {});

} // namespace velmora
