#pragma once

#include <string_view>
#include <QString>

namespace velmora {

// The deepest nesting of arrays and objects any JSON the program reads may have. Real
// animations nest a few dozen levels; beyond this a document is damage or an attack, and
// code that walks it recursively (ours and rlottie's) would run out of stack.
inline constexpr int kMaxJsonDepth = 256;

// The deepest nesting of "[" and "{" in `text`, counting no further than `limit` + 1.
// Brackets inside strings (escapes included) do not count. One pass over the text; it does
// not check that the text is JSON.
int json_nesting_depth(std::string_view text, int limit = kMaxJsonDepth);

// Throws DataError naming `what` when `text` nests deeper than `limit`. Call it before handing
// text to any JSON parser.
void require_json_depth(std::string_view text, const QString& what, int limit = kMaxJsonDepth);

} // namespace velmora
