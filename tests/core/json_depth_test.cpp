#include <gtest/gtest.h>

#include "core/data_error.h"
#include "core/json_depth.h"

namespace velmora {
namespace {

TEST(JsonNestingDepth, CountsArraysAndObjectsButNotBracketsInStrings) {
    const struct {
        const char* text;
        int depth;
    } cases[] = {
        {"", 0},
        {"42", 0},
        {"{}", 1},
        {R"({"a":[1,{"b":[]}]})", 4},
        {R"(["[[[", "{{"])", 1},
        {R"(["a \"[[[\" b", ["c"]])", 2},
        {R"(["\\", [[1]]])", 3},       // an escaped backslash does not hide the closing quote
        {"[[]][[[]]]", 3},
        {"]]]][", 1},                    // stray closers never go below zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(json_nesting_depth(c.text), c.depth) << c.text;
}

TEST(JsonNestingDepth, RefusesPastTheBoundNamingTheFile) {
    const std::string at_bound = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
    EXPECT_NO_THROW(require_json_depth(at_bound, "movie.rar"));
    const std::string deep(100000, '[');
    EXPECT_EQ(json_nesting_depth(deep), kMaxJsonDepth + 1) << "counting stops past the bound";
    try {
        require_json_depth(deep, "/data/movie.rar");
        ADD_FAILURE() << "accepted";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.message().contains("/data/movie.rar")) << error.what();
    }
}

} // namespace
} // namespace velmora
