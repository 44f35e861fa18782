#include "templates/background_pool.h"

#include <algorithm>
#include <memory>
#include <random>

namespace velmora {

RandomPick seeded_random_pick(std::uint32_t seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int n) { return std::uniform_int_distribution<int>(0, n - 1)(*engine); };
}

BackgroundPool build_background_pool(const std::vector<PhotoEntry>& photos) {
    BackgroundPool pool;
    for (int row = 0; row < int(photos.size()); ++row) {
        const PhotoEntry& p = photos[std::size_t(row)];
        if (p.is_landscape())
            pool.push_back({row, p.name, p.format, p.width, p.height, p.location});
    }
    return pool;
}

void fill_empty_backgrounds(std::vector<BackgroundRow>& backgrounds, const BackgroundPool& pool,
                            const RandomPick& random) {
    for (BackgroundRow& row : backgrounds)
        if (row.picture_name.isEmpty())
            take_pool_photo(row, pool, random);
}

void take_pool_photo(BackgroundRow& row, const BackgroundPool& pool, const RandomPick& random) {
    if (pool.empty())
        return;
    const int pick = std::clamp(random(int(pool.size())), 0, int(pool.size()) - 1);
    const PoolPhoto& photo = pool[std::size_t(pick)];
    row.picture_name = photo.name;
    row.picture_format = photo.format;
    row.width = photo.width;
    row.height = photo.height;
    row.location = photo.location;
}

} // namespace velmora
