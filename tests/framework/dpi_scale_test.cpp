#include "framework/dpi_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DpiScale, SmallIconSizeFollowsTheDpiAndNeverShrinksBelowSixteen)
{
    const int cases[][2] = {{72, 16}, {96, 16}, {120, 20}, {144, 24}, {168, 28}, {192, 32}, {288, 48}};
    for (const auto& c : cases)
        EXPECT_EQ(SmallIconSize(c[0]), c[1]) << c[0] << " dpi";
}

TEST(DpiScale, SourceIsTheSameSizeElseTheNearestLargerNeverASmallerOne)
{
    const std::vector<int> strips = {16, 20, 24, 32};
    EXPECT_EQ(SourceSizeFor(24, strips), 24);
    EXPECT_EQ(SourceSizeFor(28, strips), 32);
    EXPECT_EQ(SourceSizeFor(18, {32, 16}), 32); // unordered; 16 would be blown up
    EXPECT_EQ(SourceSizeFor(48, strips), 32); // nothing larger: the largest
    EXPECT_EQ(SourceSizeFor(24, {}), 0);
}

} // namespace
