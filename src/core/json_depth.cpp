#include "core/json_depth.h"

#include <algorithm>

#include "core/data_error.h"

namespace velmora {

int json_nesting_depth(std::string_view text, int limit) {
    int depth = 0;
    int deepest = 0;
    bool in_string = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (in_string) {
            if (c == '\\')
                ++i;  // the escaped character, a quote included, is part of the string
            else if (c == '"')
                in_string = false;
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
            if (deepest > limit)
                return deepest;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

void require_json_depth(std::string_view text, const QString& what, int limit) {
    if (json_nesting_depth(text, limit) > limit)
        throw DataError(QStringLiteral("%1 is damaged: its JSON nests deeper than %2 levels").arg(what).arg(limit));
}

} // namespace velmora
