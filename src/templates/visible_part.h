#pragma once

#include <optional>
#include <QRect>
#include <QRectF>

namespace velmora {

// What shows of a picture drawn stretched into `placed` when everything outside `frame` is
// cut away.
struct VisiblePart {
    QRect on_frame;    // where it shows, inside `frame`
    QRectF of_picture; // which part of the picture that is, in fractions of its width and height
};

// Nothing when the placement lies wholly outside the frame or is empty. Drawing only this part
// keeps a picture placed far larger than its frame (a long strip covering a slot) as small as
// the frame.
std::optional<VisiblePart> visible_part(QRect placed, QRect frame);

} // namespace velmora
