#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "templates/album.h"

namespace velmora {

// A uniform pick in [0, n) for n > 0. Passed in so tests can fix the sequence.
using RandomPick = std::function<int(int n)>;
// A pick from one Mersenne twister seeded once with `seed` (the program seeds from the clock).
// Seeding once keeps picks made in quick succession independent.
RandomPick seeded_random_pick(std::uint32_t seed);

// One row of the background photo pool `qubu_hengzhao` ("为背景图片准备的横照片").
struct PoolPhoto {
    int photo_row = 0; // 0-based row in the photo list
    QString name;
    QString format;
    int width = 0;
    int height = 0;
    QString location;

    int number() const { return photo_row + 1; }
};
using BackgroundPool = std::vector<PoolPhoto>;

// The landscape photos (square included) in photo-list order.
BackgroundPool build_background_pool(const std::vector<PhotoEntry>& photos);

// Copies one pool photo, picked at random, into `row`; an empty pool changes nothing.
void take_pool_photo(BackgroundRow& row, const BackgroundPool& pool, const RandomPick& random);

// Gives every background row without a picture a photo picked at random from `pool`;
// nothing happens when the pool is empty. Transparency is left as it is.
void fill_empty_backgrounds(std::vector<BackgroundRow>& backgrounds, const BackgroundPool& pool,
                            const RandomPick& random);

} // namespace velmora
