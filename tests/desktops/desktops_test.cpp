// The desktop object against real desktops of the window station, and the
// launcher with process starts and terminations recorded.
#include "desktops/desktop_launcher.h"
#include "desktops/desktops.h"
#include "framework/errors.h"
#include "support/harness.h"
#include "support/os_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>

namespace {

long CountOf(const std::vector<std::string>& names, const std::string& name)
{
    return static_cast<long>(std::count(names.begin(), names.end(), name));
}

TEST(Desktop, CreatingPutsTheNameInFrontEvenWhenTheDesktopExists)
{
    TDesktop desktops;
    desktops.Desktops(); // filled before: only the insertions add the name
    DesktopHandle first = desktops.CreateNamedDesktop("TsTwice");
    ASSERT_TRUE(first);
    EXPECT_EQ(desktops.Desktops().front(), "TsTwice");
    EXPECT_EQ(CountOf(desktops.Desktops(), "TsTwice"), 1);

    DesktopHandle second = desktops.CreateNamedDesktop("TsTwice");
    ASSERT_TRUE(second);
    EXPECT_EQ(CountOf(desktops.Desktops(), "TsTwice"), 2);
    EXPECT_EQ(desktops.Desktops()[1], "TsTwice");

    // A fresh enumeration knows it once.
    desktops.ClearDesktops();
    EXPECT_EQ(CountOf(desktops.Desktops(), "TsTwice"), 1);
}

TEST(Desktop, TheEnumerationLeavesOutDisconnectAndWinlogonInTheirExactCaseOnly)
{
    HDESK disconnect = ::CreateDesktopA("Disconnect", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    HDESK winlogon = ::CreateDesktopA("winlogon", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(disconnect, nullptr);
    ASSERT_NE(winlogon, nullptr);
    TDesktop desktops;
    const std::vector<std::string>& names = desktops.Desktops();
    EXPECT_EQ(CountOf(names, "Disconnect"), 0);
    EXPECT_EQ(CountOf(names, "Winlogon"), 0);
    EXPECT_EQ(CountOf(names, "winlogon"), 1);
    EXPECT_EQ(CountOf(names, "Default"), 1);
    ::CloseDesktop(disconnect);
    ::CloseDesktop(winlogon);
}

TEST(Desktop, RefusedNamesAndUnknownDesktopsRaiseTheSystemError)
{
    OsRecorder os;
    TDesktop desktops;
    try {
        desktops.SwitchTo("TsNoSuchDesktop");
        ADD_FAILURE() << "no error";
    } catch (const SystemError& e) {
        EXPECT_EQ(e.Code(), 2u);
        EXPECT_EQ(std::string(e.what()).rfind("System Error.  Code: 2.\r\n", 0), 0u) << e.what();
    }
    try {
        desktops.CreateNamedDesktop("Ts\\Bad");
        ADD_FAILURE() << "no error";
    } catch (const SystemError& e) {
        EXPECT_NE(e.Code(), 0u);
        EXPECT_EQ(std::string(e.what()).rfind("System Error.  Code: ", 0), 0u) << e.what();
    }
    EXPECT_TRUE(os.Of("SwitchDesktop").empty());
    EXPECT_EQ(CountOf(desktops.Desktops(), "Ts\\Bad"), 0);

    // A desktop that exists is switched to through the OS interface.
    HDESK target = ::CreateDesktopA("TsTarget", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(target, nullptr);
    desktops.SwitchTo("TsTarget");
    ASSERT_EQ(os.Of("SwitchDesktop").size(), 1u);
    EXPECT_EQ(os.Of("SwitchDesktop")[0].text, "TsTarget");
    ::CloseDesktop(target);
}

TEST(Desktop, TheCurrentNameIsTheThreadsOwnDesktopNotTheInputDesktop)
{
    EXPECT_EQ(TheDesktop().CurrentDesktopName(), "Default");
    HDESK other = ::CreateDesktopA("TsThreadDesk", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(other, nullptr);
    std::string seen;
    std::thread worker([&] {
        if (::SetThreadDesktop(other))
            seen = TDesktop().CurrentDesktopName();
    });
    worker.join();
    EXPECT_EQ(seen, "TsThreadDesk");
    EXPECT_EQ(TheDesktop().CurrentDesktopName(), "Default");
    ::CloseDesktop(other);
}

// Starts nothing: a start succeeds with handles to this very process (whose
// termination is only recorded), or fails for the paths in `failing`.
class StartRecorder : public OsRecorder {
public:
    std::set<std::string> failing;
    bool CreateProcessOnDesktop(const std::string& application, STARTUPINFOA& start, PROCESS_INFORMATION& info) override
    {
        OsRecorder::CreateProcessOnDesktop(application, start, info);
        if (failing.count(application))
            return false;
        const HANDLE self = ::GetCurrentProcess();
        ::DuplicateHandle(self, self, self, &info.hProcess, 0, FALSE, DUPLICATE_SAME_ACCESS);
        ::DuplicateHandle(self, ::GetCurrentThread(), self, &info.hThread, 0, FALSE, DUPLICATE_SAME_ACCESS);
        info.dwProcessId = ::GetCurrentProcessId();
        return true;
    }
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.WriteFile("ctfmon.exe", "MZ")); }

    DesktopLaunchInputs Inputs(const char* version, bool ctfmonPresent) const
    {
        return {"Z:\\prog\\own.exe", "C:\\WINNT", version,
            ctfmonPresent ? dir.PathOf("ctfmon.exe") : dir.PathOf("missing.exe")};
    }
    std::vector<std::string> Started() const { return os.TextsOf("CreateProcess"); }

    harness::TempDir dir;
    StartRecorder os;
    TDesktop desktops;
    DesktopLauncher launcher;
};

TEST_F(Launcher, StartsTheInstanceCtfmonAndTheShellWithOneRecordNamingTheDesktop)
{
    desktops.Desktops();
    launcher.Launch(desktops, "TsLaunchXp", Inputs("winXP", true));
    EXPECT_EQ(Started(),
        (std::vector<std::string> {"Z:\\prog\\own.exe", dir.PathOf("ctfmon.exe"), "C:\\WINNT\\explorer.exe"}));
    for (const RecordedCall& call : os.Of("CreateProcess")) {
        EXPECT_EQ(call.detail, "TsLaunchXp");
        // 68 bytes on the 32-bit target; the 64-bit test build has wider pointers.
        EXPECT_EQ(call.number, sizeof(void*) == 4 ? 68 : static_cast<long>(sizeof(STARTUPINFOA)));
    }
    // The list was dropped (its front was the new name), and the desktop
    // handle was closed: with nothing started for real, the desktop is gone.
    EXPECT_EQ(CountOf(desktops.Desktops(), "TsLaunchXp"), 0);
    EXPECT_EQ(::OpenDesktopA("TsLaunchXp", 0, FALSE, GENERIC_ALL), nullptr);

    EXPECT_NE(launcher.DeskInstanceProcess(), nullptr);
    EXPECT_NE(launcher.CtfmonProcess(), nullptr);
    launcher.EndStartedProcesses();
    const std::vector<RecordedCall> ended = os.Of("Terminate");
    ASSERT_EQ(ended.size(), 2u);
    for (const RecordedCall& call : ended) {
        EXPECT_EQ(call.text, std::to_string(::GetCurrentProcessId()));
        EXPECT_EQ(call.number, static_cast<long>(STILL_ACTIVE));
    }
    EXPECT_EQ(launcher.DeskInstanceProcess(), nullptr);
    // Ending twice ends nothing more.
    launcher.EndStartedProcesses();
    EXPECT_EQ(os.Of("Terminate").size(), 2u);
}

TEST_F(Launcher, CtfmonIsLeftOutOnVistaAndSevenAndWhenItIsMissing)
{
    for (auto [version, present] : {std::pair {"winVista", true}, {"win7", true}, {"winXP", false}}) {
        StartRecorder local;
        DesktopLauncher fresh;
        fresh.Launch(desktops, "TsLaunchNoCtf", Inputs(version, present));
        EXPECT_EQ(local.Of("CreateProcess").size(), 2u) << version;
        EXPECT_EQ(local.Of("CreateProcess").back().text, "C:\\WINNT\\explorer.exe");
        EXPECT_EQ(fresh.CtfmonProcess(), nullptr) << version;
        fresh.EndStartedProcesses();
        EXPECT_EQ(local.Of("Terminate").size(), 1u) << version;
    }
}

TEST_F(Launcher, AFailedStartKeepsNoHandleSoShutDownEndsNothingForIt)
{
    os.failing = {"Z:\\prog\\own.exe"};
    launcher.Launch(desktops, "TsLaunchFail", Inputs("winXP", true));
    EXPECT_EQ(Started().size(), 3u) << "a failed start does not stop the others";
    EXPECT_EQ(launcher.DeskInstanceProcess(), nullptr);
    EXPECT_NE(launcher.CtfmonProcess(), nullptr);
    launcher.EndStartedProcesses();
    EXPECT_EQ(os.Of("Terminate").size(), 1u);
}

TEST_F(Launcher, ADesktopTheSystemRefusesStartsNothing)
{
    EXPECT_THROW(launcher.Launch(desktops, "Ts\\Refused", Inputs("winXP", true)), SystemError);
    EXPECT_TRUE(Started().empty());
    EXPECT_EQ(launcher.DeskInstanceProcess(), nullptr);
    launcher.EndStartedProcesses();
    EXPECT_TRUE(os.Of("Terminate").empty());
}

} // namespace
