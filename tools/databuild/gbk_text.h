#pragma once

#include <string>

namespace velmora::databuild {

// Converts UTF-8 text to GBK, the code page of our parameter and combination files.
// Throws std::runtime_error naming the text when a character has no GBK form, so that a
// file never ships with a character silently replaced.
std::string utf8_to_gbk(const std::string& utf8);

} // namespace velmora::databuild
