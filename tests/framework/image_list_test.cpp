#include "framework/image_list.h"

#include <gtest/gtest.h>

TEST(ImageList, AppendsIconsAndCopiesAnotherList)
{
    ImageList design;
    HICON icon = ::LoadIcon(nullptr, IDI_APPLICATION);
    for (int i = 0; i < 17; ++i)
        ASSERT_EQ(design.AppendIcon(icon), i);
    EXPECT_EQ(design.AppendIcon(nullptr), -1);

    ImageList working;
    working.Assign(design);
    EXPECT_EQ(working.Count(), 17);
    working.AppendIcon(icon);
    EXPECT_EQ(working.Count(), 18);
    // The copy is independent of the list it came from.
    EXPECT_EQ(design.Count(), 17);

    working.Clear();
    EXPECT_EQ(working.Count(), 0);
    working.Assign(design);
    EXPECT_EQ(working.Count(), 17);
    EXPECT_EQ(working.Width(), 16);
}
