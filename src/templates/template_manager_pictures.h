#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "templates/album.h"

namespace velmora {

// The pictures of the template-management window: photo cells of the strip and the empty
// frames of slots. Every cell is the main window's page-picture size plus 10 each way.
struct ManagerPictures {
    static constexpr QSize kPagePicture{118, 80};
    static constexpr QSize kCell{128, 90};
    static constexpr QSize kLandscapePlaceholder{89, 54};
    static constexpr QSize kPortraitPlaceholder{54, 89};
    static constexpr int kCaptionHeight = 25;

    // The size a `width` x `height` photo is rendered at: the page picture less 6.
    static QSize thumbnail_size(int width, int height);
    // `thumbnail` 3 pixels inside a white frame, centred in a cell filled with `background`,
    // with "〔number〕" in bold black on a yellow box over the photo's top-left corner.
    static QImage photo_cell(const QImage& thumbnail, int number, QColor background);
    // An empty slot: a white placeholder with a teal box 3 pixels inside and "横照片" or
    // "竖照片" in bold yellow, centred in a cell filled with `background`.
    static QImage empty_slot(SlotKind kind, QColor background);
};

} // namespace velmora
