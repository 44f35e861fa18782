#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmora::databuild {

// An INI text in the order its sections and keys were added: "[section]" lines followed by
// key=value lines, LF line ends. Keys and values are UTF-8 here and GBK in to_gbk().
class IniWriter {
public:
    void section(const std::string& name);
    // Throws std::runtime_error for a value holding a line break or a key holding "=".
    void set(const std::string& key, const std::string& value);
    std::string to_utf8() const;
    std::string to_gbk() const;

private:
    std::vector<std::string> lines_;
};

} // namespace velmora::databuild
