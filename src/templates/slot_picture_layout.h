#pragma once

#include <optional>
#include <QRect>
#include <QSize>
#include <QStringList>

#include "templates/album.h"
#include "templates/template_category.h"

namespace velmora {

// The geometry of a used template's slot pictures. Integer arithmetic, products before
// divisions, divisions truncating toward zero; a division by zero gives 0.

// A slot's picture at the movie's 1920 x 1080 reference scale: a white canvas with the
// photo drawn stretched into `photo` (which may overhang and is then cut).
struct SlotCanvas {
    QSize canvas;
    QRect photo;
};

// The reference-scale canvas of `slot` in a template of `category`. `landscape_option`
// chooses the full-screen or the fitted drawing of landscape templates; `photo` is the
// slot photo's measured size. A canvas that would be empty (a slot without sizes or
// placement) is the whole 1920 x 1080 frame instead.
SlotCanvas slot_canvas(const SlotRow& slot, TemplateCategory category, CropMark landscape_option, QSize photo);

// The fitted frame of a photo in a landscape template: the photo's proportions within
// 1920 x 1080. A photo that was never measured fills the frame.
QSize fitted_frame_size(QSize photo);

// The size picture k is written at for a target of `reference` (the caller's movie size):
// mixed templates scale the picture's listed size `listed` (its xpkd x xpgd items),
// landscape templates fill the target (full screen) or scale the source canvas (fitted),
// portrait templates are as high as the target with the canvas's proportions. Never empty:
// a picture listed without a size fills the target.
QSize final_picture_size(TemplateCategory category, CropMark landscape_option, QSize reference, QSize canvas,
                         QSize listed);

// Which slot's canvas picture `name` repeats, as an index into `slot_pictures` (the slot
// rows' picture names in slot order): the slot named exactly so, otherwise the slot whose
// name is the longest one found inside `name` (the last of equally long ones). Slots
// without a name never match. Nothing when no slot name occurs in `name`.
std::optional<int> picture_source(const QStringList& slot_pictures, const QString& name);

// Whether `name` can be written as a file NAME.jpg inside the target folder and nowhere
// else: not empty, no folder separators, not "." or "..".
bool is_plain_picture_name(const QString& name);

} // namespace velmora
