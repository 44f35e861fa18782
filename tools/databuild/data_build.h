#pragma once

#include <string>

namespace velmora::databuild {

struct BuildPaths {
    std::string source_dir;   // the repository's data/ folder
    std::string output_root;  // the data folder to (re)place, e.g. bin/smxcwjj
    std::string font_folder;  // where the Noto CJK collections lie
};

// Builds the whole data folder into a staging folder and swaps it in when complete.
// Throws std::runtime_error with a message naming the source at fault; the old folder then
// stays as it was.
void build_data_folder(const BuildPaths& paths);

} // namespace velmora::databuild
