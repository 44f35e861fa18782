#pragma once

#include "preview/placed_picture.h"

#include <QImage>
#include <QSize>

class QPainter;

namespace velmora {

// The background picture as the composer lays it under each frame. Most backgrounds keep their
// place for a whole movie: once one stays put from one frame to the next it is drawn a last time
// into a frame of its own, and later frames copy their rows from there, which costs a fraction of
// a nearest-pixel scaled draw. A background that moves is drawn anew on every frame, at no extra
// cost. One thread at a time.
class BackgroundLayer {
public:
    // The background of the next frame, of `size`. The picture's pixels must stay as they are
    // while they are placed the same way: a picture is known again by its pixels' address.
    void place(const PlacedPicture& picture, QSize size);

    // Whether the picture covers the whole frame; frame pixels it leaves uncovered are
    // transparent.
    bool covers() const { return covers_; }
    // Lays rows [first, first + rows) of the background into the same rows of `frame`, over
    // whatever they held; `painter` paints on those rows as a band of their own.
    void lay_band(QPainter& painter, QImage& frame, int first, int rows) const;

private:
    bool same_as_last(const PlacedPicture& picture, QSize size) const;
    void draw_still();

    PlacedPicture picture_;
    QSize size_;
    bool covers_ = false;
    QImage still_;   // the picture drawn in place, while it stays there
};

} // namespace velmora
