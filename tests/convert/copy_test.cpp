#include "convert/copy.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace convert {
namespace {

TEST(Copy, ClampsIndexAndCount) {
    struct Case {
        std::int64_t index;
        std::int64_t count;
        std::string_view expected;
    };
    const Case cases[] = {
        {1, 3, "abc"}, {2, 2, "bc"},  {4, 10, "de"}, {5, 1, "e"}, {6, 1, ""},
        {0, 2, "ab"},  {-7, 2, "ab"}, {2, 0, ""},    {2, -1, ""}, {1, INT64_MAX, "abcde"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Copy("abcde", c.index, c.count), c.expected) << c.index << ", " << c.count;
    }
    EXPECT_EQ(Copy("", 1, 1), "");
}

}  // namespace
}  // namespace convert
