#include "combination_file.h"

#include <algorithm>
#include <stdexcept>

#include "ini_writer.h"

namespace velmora::databuild {
namespace {

const TemplateSource& template_named(const std::string& stem, const std::vector<TemplateSource>& templates) {
    const auto it = std::find_if(templates.begin(), templates.end(),
                                 [&](const TemplateSource& t) { return t.file_stem == stem; });
    if (it == templates.end())
        throw std::runtime_error("combination names template " + stem + ", which does not exist");
    return *it;
}

bool is_listed_in(const TemplateSource& t, const std::string& list) {
    const std::string c = t.template_class();
    return c == list || (c == "shuheng" && (list == "heng" || list == "shu"));
}

} // namespace

std::string combination_text(const json& combination, const std::vector<TemplateSource>& templates) {
    const json& entries = combination.at("entries");
    if (entries.empty())
        throw std::runtime_error("a combination needs at least one entry");
    IniWriter ini;
    ini.section("zuhemoban_canshu");
    ini.set("shuliang", std::to_string(entries.size()));
    int k = 0;
    for (const json& entry : entries) {
        const TemplateSource& t = template_named(entry.at("template").get<std::string>(), templates);
        const std::string list = entry.at("list").get<std::string>();
        if (!is_listed_in(t, list))
            throw std::runtime_error("template " + t.file_stem + " is not in the " + list + " list");
        const auto [landscape, portrait] = t.photo_counts(list);
        ini.set("canshu_" + std::to_string(++k),
                t.name + "~" + std::to_string(landscape) + "~" + std::to_string(portrait) + "~");
    }
    return ini.to_utf8();
}

} // namespace velmora::databuild
