#include "ini_writer.h"

#include <stdexcept>

#include "gbk_text.h"

namespace velmora::databuild {

void IniWriter::section(const std::string& name) {
    lines_.push_back("[" + name + "]");
}

void IniWriter::set(const std::string& key, const std::string& value) {
    if (key.find_first_of("=\r\n[]") != std::string::npos || key.empty())
        throw std::runtime_error("INI key \"" + key + "\" is not a plain name");
    if (value.find_first_of("\r\n") != std::string::npos)
        throw std::runtime_error("INI value of " + key + " holds a line break");
    if (lines_.empty())
        throw std::runtime_error("INI key " + key + " comes before any section");
    lines_.push_back(key + "=" + value);
}

std::string IniWriter::to_utf8() const {
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\n";
    return text;
}

std::string IniWriter::to_gbk() const {
    return utf8_to_gbk(to_utf8());
}

} // namespace velmora::databuild
