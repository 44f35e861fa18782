#include "effects/picture_combinations.h"

#include <optional>

#include "core/clock.h"
#include "effects/effect_definition.h"

namespace velmora {
namespace {

const PictureCombination kFirstOfAll{{1, 5, 5, 5}, {0, 0, 1, 2}};
const PictureCombination kSecondOfAll{{2, 5, 6}, {0, 0, 0}};

struct Chosen {
    const PictureCombination* combination;
    int length;
};

int matched_frames(const Album& album, const TemplateCatalogue& catalogue, int& matched) {
    int total = 0;
    matched = 0;
    for (const UsedTemplate& used : album.used_templates) {
        if (!used.complete)
            continue;
        ++matched;
        const auto n = std::size_t(used.catalogue_number);
        if (n < catalogue.mobancanshu.size())
            total += std::max(0, catalogue.mobancanshu[n].mbdx.toInt());
    }
    return total;
}

std::vector<Chosen> choose_combinations(const std::vector<PictureCombination>& table, int total, int matched,
                                        const DataRoot& root, const RandomPick& random, PictureRunResult& result) {
    std::vector<const PictureCombination*> pool;
    for (const PictureCombination& c : table)
        pool.push_back(&c);
    std::vector<Chosen> chosen;
    for (int covered = 0; covered < total && !pool.empty();) {
        const int pick = std::clamp(random(int(pool.size())), 0, int(pool.size()) - 1);
        const PictureCombination* c = pool[std::size_t(pick)];
        QString reason;
        const auto first = read_effect_definition(root, EffectId::picture(c->elements.front()), &reason);
        if (!first) {
            result.problems.append(reason);
            pool.erase(pool.begin() + pick);
            continue;
        }
        covered += first->frame_count;
        if (covered > total + 30 && matched != 1)
            break;
        chosen.push_back({c, first->frame_count});
    }
    return chosen;
}

void append_combination(const PictureCombination& c, int start, const DataRoot& root, PictureEffectTable& effects,
                        PictureRunResult& result) {
    for (std::size_t k = 0; k < c.elements.size(); ++k) {
        const int n = c.elements[k];
        QString reason;
        const auto definition = read_effect_definition(root, EffectId::picture(n), &reason);
        if (!definition) {
            result.problems.append(reason);
            continue;
        }
        const int offset = k < c.offsets.size() ? c.offsets[k] : 0;
        effects.append({definition->frame_count, frames_to_clock(start + offset * kFramesPerSecond),
                        EffectRunState::Waiting, definition->name, n - 1, EffectAddedBy::Automatic, false});
        ++result.effects_added;
    }
}

} // namespace

const QStringList& picture_combination_categories() {
    static const QStringList names{QStringLiteral("婚纱特效组合"), QStringLiteral("卡通特效组合"),
                                   QStringLiteral("花草特效组合"), QStringLiteral("粒子特效组合"),
                                   QStringLiteral("滤镜特效组合")};
    return names;
}

std::vector<PictureCombination> picture_combinations(const QString& category) {
    const int index = int(picture_combination_categories().indexOf(category));
    if (index < 0)
        return {};
    if (index == 0)
        return {kFirstOfAll, kSecondOfAll, {{3, 5, 5, 6}, {0, 0, 1, 0}}, {{1, 3, 5}, {0, 0, 0}}};
    return {kFirstOfAll, kSecondOfAll};
}

PictureRunResult auto_picture_combinations(const QString& category, const Album& album,
                                           const TemplateCatalogue& catalogue, const DataRoot& root,
                                           const RandomPick& random, PictureEffectTable& effects) {
    PictureRunResult result;
    int matched = 0;
    const int total = matched_frames(album, catalogue, matched);
    const std::vector<PictureCombination> table = picture_combinations(category);
    int start = 0;
    for (const Chosen& c : choose_combinations(table, total, matched, root, random, result)) {
        append_combination(*c.combination, start, root, effects, result);
        start += c.length;
        ++result.combinations;
    }
    return result;
}

} // namespace velmora
