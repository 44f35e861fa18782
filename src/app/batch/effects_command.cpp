// velmora-make effects: lists the installed picture and text effects.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/batch/commands.h"
#include "effects/effect_catalogue.h"
#include "effects/effect_definition.h"

namespace velmora::batch {
namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

nlohmann::json effect_json(const DataRoot& root, const EffectId& id, const QString& name) {
    nlohmann::json row = {{"number", id.number}, {"name", utf8(name)}};
    if (const auto d = read_effect_definition(root, id)) {
        row["frames"] = d->frame_count;
        if (id.kind == EffectKind::Text)
            row["marks"] = utf8(d->marks);
    } else {
        row["refused"] = true;
    }
    return row;
}

nlohmann::json effects_json(const DataRoot& root) {
    nlohmann::json pictures = nlohmann::json::array();
    const EffectListing picture_listing = list_picture_effects(root);
    for (std::size_t i = 0; i < picture_listing.ids.size(); ++i)
        pictures.push_back(effect_json(root, picture_listing.ids[i], picture_listing.names[qsizetype(i)]));
    nlohmann::json categories = nlohmann::json::array();
    const QStringList& selector = text_effect_category_selector();
    for (int position = 2; position < selector.size(); position += 2) {
        const EffectListing listing = list_text_effects(root, position);
        nlohmann::json effects = nlohmann::json::array();
        for (std::size_t i = 0; i < listing.ids.size(); ++i)
            effects.push_back(effect_json(root, listing.ids[i], listing.names[qsizetype(i)]));
        categories.push_back({{"category", position / 2}, {"name", utf8(selector[position])}, {"effects", effects}});
    }
    return {{"picture_effects", pictures}, {"text_effects", categories}};
}

void print_effects(const nlohmann::json& all) {
    std::printf("picture effects: %zu\n", all["picture_effects"].size());
    for (const auto& e : all["picture_effects"])
        std::printf("  %3d  %-5s  %s\n", e["number"].get<int>(),
                    e.contains("frames") ? std::to_string(e["frames"].get<int>()).c_str() : "refused",
                    e["name"].get<std::string>().c_str());
    for (const auto& c : all["text_effects"]) {
        std::printf("text effects %s: %zu\n", c["name"].get<std::string>().c_str(), c["effects"].size());
        for (const auto& e : c["effects"])
            std::printf("  %3d  %-5s  %-6s %s\n", e["number"].get<int>(),
                        e.contains("frames") ? std::to_string(e["frames"].get<int>()).c_str() : "refused",
                        e.value("marks", std::string()).c_str(), e["name"].get<std::string>().c_str());
    }
}

} // namespace

int run_effects(const BatchOptions& options, const QString& program_folder) {
    const nlohmann::json all = effects_json(options.root(program_folder));
    if (options.json)
        std::printf("%s\n", all.dump(2).c_str());
    else
        print_effects(all);
    return 0;
}

} // namespace velmora::batch
