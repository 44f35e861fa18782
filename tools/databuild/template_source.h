#pragma once

#include <string>
#include <vector>

#include "lottie_keyframes.h"

namespace velmora::databuild {

// One picture of a template: a photo slot (one "_" in its name) or a derived picture that
// repeats the photo of the slot whose name it contains.
struct TemplatePicture {
    std::string name;
    std::string orientation; // "heng", "shu" or "shuheng"
    int width = 0, height = 0;

    bool is_slot() const;
};

// Frame offsets and marks where the program may place text effects in the template.
struct TextMarks {
    std::vector<int> offsets;
    std::string required; // one ASCII character per mark, parallel to offsets
    std::string optional;
};

// A template as its source file describes it: what the parameter file says, plus the motion
// design (`design`, read by the movie builder).
struct TemplateSource {
    std::string file_stem; // names the packed files, so that both trees sort alike
    std::string name;      // Chinese name shown to the user
    std::string type, category;
    int frames = 0;
    TextMarks marks;
    std::vector<TemplatePicture> pictures;
    json design;

    // Landscape and portrait photo counts as the catalogue counts them in one class list:
    // "heng", "shu" (single templates) or "gaojimoban".
    std::pair<int, int> photo_counts(const std::string& class_list) const;
    // The class the catalogue gives this template: "heng", "shu", "shuheng", "gaojimoban" or "".
    std::string template_class() const;
};

// Reads and checks one template source. Throws std::runtime_error naming the file on a
// missing key, a bad value or an inconsistent picture list.
TemplateSource read_template_source(const std::string& path);

} // namespace velmora::databuild
