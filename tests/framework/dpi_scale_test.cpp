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

TEST(DpiScale, ADpiChangeRebuildsIconsOnlyWhenTheirSizeChanges)
{
    const DpiChange up = PlanDpiChange(0x00900090, 96, 16);
    EXPECT_EQ(up.dpi, 144);
    EXPECT_EQ(up.iconSize, 24);
    EXPECT_TRUE(up.relayout && up.rebuildIcons);
    const DpiChange slight = PlanDpiChange(0x00600062, 96, 16); // 98 dpi: the low word, icons stay 16
    EXPECT_EQ(slight.dpi, 98);
    EXPECT_TRUE(slight.relayout);
    EXPECT_FALSE(slight.rebuildIcons);
    EXPECT_FALSE(PlanDpiChange(0x00780078, 120, 20).relayout);
    EXPECT_EQ(PlanDpiChange(0, 144, 24).iconSize, 16); // no DPI in the notice: the design size
}

} // namespace
