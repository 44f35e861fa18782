#include "template_params.h"

#include "ini_writer.h"

namespace velmora::databuild {
namespace {

std::string marks_list(const std::string& marks) {
    std::vector<std::string> items;
    for (char c : marks)
        items.emplace_back(1, c);
    return bar_list(items);
}

template <class F>
std::string picture_list(const TemplateSource& t, F field) {
    std::vector<std::string> items;
    for (const TemplatePicture& p : t.pictures)
        items.push_back(field(p));
    return bar_list(items);
}

} // namespace

std::string bar_list(const std::vector<std::string>& items) {
    std::string text = "|";
    for (const std::string& item : items)
        text += item + "|";
    return text;
}

std::string template_parameter_text(const TemplateSource& t) {
    IniWriter ini;
    ini.section("l_x_v_e_l_m_w_j_s_y");
    ini.set("l_x_v_e_l_m_w_j_s_y", "v_e_l_m_s_y_l_x");
    ini.set("l_x_v_e_l_m_w_j_s_y_m_c", t.name);
    ini.section("1");
    ini.set("mblx", t.type);
    ini.set("mbfl", t.category);
    int slots = 0;
    for (const TemplatePicture& p : t.pictures)
        slots += p.is_slot();
    ini.set("xpsl", std::to_string(slots));
    ini.set("xpkd", picture_list(t, [](const TemplatePicture& p) { return std::to_string(p.width); }));
    ini.set("xpgd", picture_list(t, [](const TemplatePicture& p) { return std::to_string(p.height); }));
    ini.set("szhz", picture_list(t, [](const TemplatePicture& p) { return p.orientation; }));
    ini.set("xpjpgmc", picture_list(t, [](const TemplatePicture& p) { return p.name; }));
    ini.set("mbdx", std::to_string(t.frames));
    std::vector<std::string> offsets;
    for (int o : t.marks.offsets)
        offsets.push_back(std::to_string(o));
    ini.set("wxcs01", bar_list(offsets));
    ini.set("wxcs02", marks_list(t.marks.required));
    ini.set("wxcs03", marks_list(t.marks.required + t.marks.optional));
    ini.set("wxcs04", marks_list(t.marks.optional));
    ini.section("0");
    ini.set("sl", std::to_string(t.pictures.size()));
    return ini.to_utf8();
}

} // namespace velmora::databuild
