// The Windows version name as the program computes it at start-up, under the
// versions Wine can pretend to be. This test program copies itself under a
// new name, has Wine report a version to that name, and runs the probe there.
#include "app/unit1.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace harness;

namespace {

TEST(VersionProbe, NameMatchesTheExpectedOne)
{
    const char* expected = std::getenv("TRAYSTART_EXPECT_VERSION");
    if (!expected)
        GTEST_SKIP() << "runs only inside the emulated-version check";
    TForm1 form;
    EXPECT_EQ(form.GetWinVersionName(), expected);
}

TEST(WindowsVersion, EachEmulatedReleaseGetsItsName)
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    TempDir dir;
    const struct {
        const char* wine;
        const char* name;
    } releases[] = {{"win98", "win98"}, {"winxp", "winXP"}, {"vista", "winVista"}, {"win7", "win7"},
        {"win2k", "win2000"}, {"win10", "win"}};
    for (const auto& release : releases) {
        const std::string exeName = std::string("probe_") + release.wine + ".exe";
        const std::string exe = dir.PathOf(exeName);
        ASSERT_TRUE(::CopyFileA(self, exe.c_str(), FALSE));
        ScopedWindowsVersion version(exeName, release.wine);
        ::SetEnvironmentVariableA("TRAYSTART_EXPECT_VERSION", release.name);
        Process probe = Process::Start(exe, dir.Path(), nullptr, "--gtest_filter=VersionProbe.* --gtest_brief=1");
        ::SetEnvironmentVariableA("TRAYSTART_EXPECT_VERSION", nullptr);
        ASSERT_TRUE(probe.Valid());
        ASSERT_TRUE(probe.WaitForExit(60000)) << release.wine;
        EXPECT_EQ(probe.ExitCode(), 0u) << "under " << release.wine << " the name is not " << release.name;
    }
}

} // namespace
