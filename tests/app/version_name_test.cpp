#include "app/version_name.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    unsigned platformId;
    unsigned major;
    unsigned minor;
    const char* expected;
};

TEST(GetWinVersionName, NamesEachReleaseAndFallsBackPerPlatform)
{
    const VersionCase cases[] = {
        // Win32s: any version.
        {0, 3, 11, "win32"},
        {0, 6, 1, "win32"},
        // 9x family.
        {1, 4, 0, "win95"},
        {1, 4, 10, "win98"},
        {1, 4, 90, "winMe"},
        {1, 4, 3, "win9x"},
        {1, 5, 1, "win9x"}, // an NT release number means nothing on 9x
        // NT family.
        {2, 3, 51, "winNT 3.51"},
        {2, 4, 0, "winNT 4.0"},
        {2, 5, 0, "win2000"},
        {2, 5, 1, "winXP"},
        {2, 5, 2, "win2003"},
        {2, 6, 0, "winVista"},
        {2, 6, 1, "win7"},
        {2, 6, 2, "win"},
        {2, 10, 0, "win"},
        {2, 3, 50, "win"},
        {2, 4, 10, "win"}, // a 9x release number means nothing on NT
        // Unknown platforms.
        {3, 6, 1, "win??"},
        {100, 4, 0, "win??"},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.platformId << " " << c.major << "." << c.minor);
        EXPECT_EQ(GetWinVersionName(c.platformId, c.major, c.minor), c.expected);
    }
}

// The minor number becomes the digits after a decimal point, so trailing zeros
// vanish and minor 1 is the same as minor 10, while minor 5 is not 50.
TEST(GetWinVersionName, ReadsMinorNumberAsDecimalFraction)
{
    const VersionCase cases[] = {
        {1, 4, 1, "win98"},
        {1, 4, 100, "win98"},
        {1, 4, 9, "winMe"},
        {1, 4, 900, "winMe"},
        {2, 5, 10, "winXP"},
        {2, 5, 100, "winXP"},
        {2, 5, 20, "win2003"},
        {2, 6, 10, "win7"},
        {2, 3, 510, "winNT 3.51"},
        {2, 3, 5, "win"},
        {2, 6, 11, "win"},
        {2, 5, 11, "win"},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.platformId << " " << c.major << "." << c.minor);
        EXPECT_EQ(GetWinVersionName(c.platformId, c.major, c.minor), c.expected);
    }
}

TEST(GetWinVersionName, NumbersBeyondSignedRangeMatchNoRelease)
{
    // "%d" prints these negative; the result must still be a plain fallback.
    EXPECT_EQ(GetWinVersionName(2, 0xFFFFFFFAu, 1), "win");
    EXPECT_EQ(GetWinVersionName(2, 6, 0xFFFFFFFFu), "win");
    EXPECT_EQ(GetWinVersionName(1, 4, 0xFFFFFFF6u), "win9x");
}

} // namespace
