// What the launcher starts, which names the enumeration lists, when a switch
// moves the marks.
#include "desktops/desktop_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopRules, OnlyTheSystemsOwnTwoNamesAreLeftOutAndOnlyInTheirExactCase)
{
    const struct {
        const char* name;
        bool listed;
    } cases[] = {
        {"Default", true},
        {"Desk2", true},
        {"Winlogon", false},
        {"Disconnect", false},
        {"winlogon", true},
        {"WINLOGON", true},
        {"disconnect", true},
        {"Disconnect ", true},
        {"Winlogon2", true},
        {"", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsListedDesktopName(c.name), c.listed) << c.name;
}

std::vector<std::string> Paths(const std::vector<ProgramStart>& programs)
{
    std::vector<std::string> paths;
    for (const ProgramStart& p : programs)
        paths.push_back(p.path);
    return paths;
}

TEST(DesktopRules, TheInstanceComesFirstCtfmonOnlyOutsideVistaAndSevenAndOnlyWhenPresentTheShellLast)
{
    const std::string exe = "D:\\prog\\TrayStartMenu.exe";
    const std::string withCtfmon[] = {exe, kCtfmonPath, "C:\\WINNT\\explorer.exe"};
    const std::string withoutCtfmon[] = {exe, "C:\\WINNT\\explorer.exe"};
    const struct {
        const char* version;
        bool ctfmonExists;
        bool ctfmonStarted;
    } cases[] = {
        {"winXP", true, true},
        {"win2000", true, true},
        {"win98", true, true},
        {"", true, true},
        {"winXP", false, false},
        {"winVista", true, false},
        {"win7", true, false},
        // Compared exactly: another spelling is not Windows 7.
        {"Win7", true, true},
        {"winvista", true, true},
    };
    for (const auto& c : cases) {
        const std::vector<ProgramStart> programs
            = DesktopLaunchPrograms(exe, "C:\\WINNT", c.version, kCtfmonPath, c.ctfmonExists);
        if (c.ctfmonStarted) {
            EXPECT_EQ(Paths(programs), std::vector<std::string>(std::begin(withCtfmon), std::end(withCtfmon)))
                << c.version;
            ASSERT_EQ(programs.size(), 3u);
            EXPECT_EQ(programs[1].role, StartedProgram::Ctfmon);
        } else {
            EXPECT_EQ(Paths(programs), std::vector<std::string>(std::begin(withoutCtfmon), std::end(withoutCtfmon)))
                << c.version;
        }
        ASSERT_FALSE(programs.empty());
        EXPECT_EQ(programs.front().role, StartedProgram::Instance);
        EXPECT_EQ(programs.back().role, StartedProgram::Shell);
    }
}

TEST(DesktopRules, TheCtfmonPathIsFixedAndNotBuiltFromTheWindowsFolder)
{
    EXPECT_STREQ(kCtfmonPath, "C:\\WINDOWS\\system32\\ctfmon.exe");
}

TEST(DesktopRules, OnlyWindowsSevenLeavesTheMarksAlone)
{
    EXPECT_FALSE(SwitchMovesMarks("win7"));
    for (const char* version : {"winXP", "winVista", "win98", "win95", "win2000", "Win7", ""})
        EXPECT_TRUE(SwitchMovesMarks(version)) << version;
}

} // namespace
