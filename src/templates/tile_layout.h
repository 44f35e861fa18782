#pragma once

#include <vector>
#include <QPoint>
#include <QSize>

namespace velmora {

// Tiles (a picture with its caption under it) laid out in rows across an area `width` wide:
// 10 pixels from the area's edges, 15 between columns, 20 between rows, as many columns as fit
// (at least one). A tile's row height includes its caption, so captions never cover the next
// row and no column is cut off at the right.
struct TileLayout {
    static constexpr int kMargin = 10;
    static constexpr int kColumnGap = 15;
    static constexpr int kRowGap = 20;

    static int columns(QSize tile, int width);
    // Top-left corner of tile `k` (from 0).
    static QPoint position(int k, QSize tile, int width);
    // Top-left corners of `count` tiles in order.
    static std::vector<QPoint> positions(int count, QSize tile, int width);
    // The size the tiles take, margins included.
    static QSize extent(int count, QSize tile, int width);
};

} // namespace velmora
