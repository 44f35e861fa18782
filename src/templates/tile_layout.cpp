#include "templates/tile_layout.h"

#include <algorithm>

namespace velmora {

int TileLayout::columns(QSize tile, int width) {
    const int pitch = tile.width() + kColumnGap;
    return std::max(1, (width - 2 * kMargin + kColumnGap) / std::max(1, pitch));
}

QPoint TileLayout::position(int k, QSize tile, int width) {
    const int c = columns(tile, width);
    const int i = k % c, j = k / c;
    return {kMargin + i * (tile.width() + kColumnGap), kMargin + j * (tile.height() + kRowGap)};
}

std::vector<QPoint> TileLayout::positions(int count, QSize tile, int width) {
    std::vector<QPoint> points;
    points.reserve(std::size_t(std::max(0, count)));
    for (int k = 0; k < count; ++k)
        points.push_back(position(k, tile, width));
    return points;
}

QSize TileLayout::extent(int count, QSize tile, int width) {
    if (count <= 0)
        return {2 * kMargin, 2 * kMargin};
    const int c = columns(tile, width);
    const int used_columns = std::min(count, c), rows = (count + c - 1) / c;
    return {2 * kMargin + used_columns * tile.width() + (used_columns - 1) * kColumnGap,
            2 * kMargin + rows * tile.height() + (rows - 1) * kRowGap};
}

} // namespace velmora
