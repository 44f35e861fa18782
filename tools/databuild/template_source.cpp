#include "template_source.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace velmora::databuild {
namespace {

constexpr int kFrameRate = 25;
constexpr int kMinSeconds = 4, kMaxSeconds = 10;

TemplatePicture read_picture(const json& j) {
    TemplatePicture p;
    p.name = j.at("name").get<std::string>();
    p.orientation = j.at("orientation").get<std::string>();
    p.width = j.at("width").get<int>();
    p.height = j.at("height").get<int>();
    if (p.orientation != "heng" && p.orientation != "shu" && p.orientation != "shuheng")
        throw std::runtime_error("picture " + p.name + ": orientation must be heng, shu or shuheng");
    if (p.width <= 0 || p.height <= 0 || p.width > 1920 || p.height > 1080)
        throw std::runtime_error("picture " + p.name + ": size must lie within 1920 x 1080");
    return p;
}

void check_pictures(const TemplateSource& t) {
    if (t.pictures.empty())
        throw std::runtime_error("a template needs at least one picture");
    for (const TemplatePicture& p : t.pictures) {
        if (p.is_slot())
            continue;
        const bool repeats_a_slot = std::any_of(t.pictures.begin(), t.pictures.end(), [&](const TemplatePicture& s) {
            return s.is_slot() && p.name.find(s.name) != std::string::npos;
        });
        if (!repeats_a_slot)
            throw std::runtime_error("derived picture " + p.name + " names no slot picture");
    }
}

void check_marks(const TemplateSource& t) {
    if (t.marks.offsets.size() != t.marks.required.size() || t.marks.offsets.empty())
        throw std::runtime_error("text marks: one offset per required mark, at least one");
    for (int offset : t.marks.offsets)
        if (offset < 0 || offset >= t.frames)
            throw std::runtime_error("text mark offset " + std::to_string(offset) + " lies outside the movie");
}

} // namespace

bool TemplatePicture::is_slot() const {
    return std::count(name.begin(), name.end(), '_') == 1;
}

std::string TemplateSource::template_class() const {
    int heng = 0, shu = 0;
    for (const TemplatePicture& p : pictures) {
        heng += p.orientation == "heng";
        shu += p.orientation == "shu";
    }
    if (pictures.size() == 1)
        return pictures.front().orientation;
    if ((heng >= 1 && shu >= 1) || heng > 1 || shu > 1)
        return "gaojimoban";
    return "";
}

std::pair<int, int> TemplateSource::photo_counts(const std::string& class_list) const {
    int landscape = 0, portrait = 0;
    for (const TemplatePicture& p : pictures) {
        if (!p.is_slot())
            continue;
        const bool either_is_portrait = class_list == "shu";
        if (p.orientation == "heng" || (p.orientation == "shuheng" && !either_is_portrait))
            ++landscape;
        else
            ++portrait;
    }
    return {landscape, portrait};
}

TemplateSource read_template_source(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    try {
        const json j = json::parse(in);
        TemplateSource t;
        t.file_stem = std::filesystem::path(path).stem().string();
        t.name = j.at("name").get<std::string>();
        t.type = j.at("type").get<std::string>();
        t.category = j.at("category").get<std::string>();
        t.frames = j.at("frames").get<int>();
        if (t.frames < kMinSeconds * kFrameRate || t.frames > kMaxSeconds * kFrameRate)
            throw std::runtime_error("a template lasts 4 to 10 seconds (100 to 250 frames)");
        const json& marks = j.at("text_marks");
        t.marks.offsets = marks.at("offsets").get<std::vector<int>>();
        t.marks.required = marks.at("required").get<std::string>();
        t.marks.optional = marks.value("optional", "");
        for (const json& p : j.at("pictures"))
            t.pictures.push_back(read_picture(p));
        t.design = j.at("design");
        check_pictures(t);
        check_marks(t);
        if (t.template_class().empty())
            throw std::runtime_error("the picture orientations fit no template class");
        return t;
    } catch (const std::exception& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

} // namespace velmora::databuild
