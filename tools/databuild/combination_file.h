#pragma once

#include <string>
#include <vector>

#include "template_source.h"

namespace velmora::databuild {

// The INI text of a template combination: section "zuhemoban_canshu" with "shuliang" and one
// "canshu_k" = name~landscape~portrait~ per entry. `combination` lists entries as
// {"template": file stem, "list": "heng" | "shu" | "gaojimoban"}; the counts are those the
// catalogue shows for that template in that list, so that each entry finds its template.
// Throws std::runtime_error for an entry naming no template or a list the template is not in.
std::string combination_text(const json& combination, const std::vector<TemplateSource>& templates);

} // namespace velmora::databuild
