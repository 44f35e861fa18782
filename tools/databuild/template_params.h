#pragma once

#include <string>

#include "template_source.h"

namespace velmora::databuild {

// The parameter file of a template (UTF-8; the writer converts it to GBK): marker and name,
// type, category, picture lists, frame count and text marks.
std::string template_parameter_text(const TemplateSource& t);

// "|a|b|" from the items.
std::string bar_list(const std::vector<std::string>& items);

} // namespace velmora::databuild
