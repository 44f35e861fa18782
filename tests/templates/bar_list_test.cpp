#include <gtest/gtest.h>

#include "templates/bar_list.h"

namespace velmora {
namespace {

TEST(SplitBarList, ItemsLieBetweenBars) {
    struct Case {
        const char* text;
        QStringList items;
    };
    const Case cases[] = {
        {"|heng|shu|", {"heng", "shu"}},
        {"heng", {}},
        {"|heng", {}},
        {"", {}},
        {"|a||b|", {"a", "", "b"}},
        {"x|a|b|y", {"a", "b"}},
        {"||", {""}},
        {"|1920|1080|", {"1920", "1080"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(split_bar_list(QString::fromUtf8(c.text)), c.items) << c.text;
}

} // namespace
} // namespace velmora
