// The real program's tray icon on the virtual desktop "Default", clicked with
// real mouse input and watched from outside.
#include "e2e/desk2_icon.h"
#include "support/harness.h"
#include "support/tray_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

using namespace harness;
using namespace tray_probe;

namespace {

const DWORD kWait = 20000;
const char kDefaultHint[] = "博闲托盘区开始菜单（默认桌面）";

bool WaitUntil(DWORD timeoutMs, bool (*condition)(HWND), HWND window)
{
    const DWORD start = ::GetTickCount();
    while (!condition(window)) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        PumpFor(50);
    }
    return true;
}

// Wine's taskbar follows shown and hidden windows a little later.
bool WaitForTaskbarButtons(int expected)
{
    const DWORD start = ::GetTickCount();
    while (VisibleTaskbarButtons() != expected) {
        if (::GetTickCount() - start > 10000)
            return false;
        PumpFor(50);
    }
    return true;
}

bool Visible(HWND window) { return ::IsWindowVisible(window) != FALSE; }
bool Hidden(HWND window) { return !::IsWindowVisible(window); }

class TrayProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Taskbar(), nullptr) << "no notification area on this desktop";
        ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
        ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
        program = Process::Start(ProgramExePath(), dir.Path());
        ASSERT_TRUE(program.Valid());
        window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
        ASSERT_NE(window, nullptr);
        appWindow = FindTopLevelWindow(program.Id(), "TApplication", kProgramTitle);
        ASSERT_NE(appWindow, nullptr);
        notifyWindow = FindTopLevelWindow(program.Id(), "TrayIconNotifyWindow");
        ASSERT_NE(notifyWindow, nullptr);
        ASSERT_TRUE(WaitForIconRegistered(notifyWindow, true, kWait));
    }

    void TearDown() override
    {
        // Closed properly, so the icon leaves the notification area and the
        // next program's icon takes the first place again.
        if (program.Running() && window)
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        if (!program.WaitForExit(kWait))
            program.Kill();
    }

    static bool ClickIcon(int button) { return ClickAt(FirstIconPosition(), button); }

    TempDir dir;
    Process program;
    HWND window = nullptr;
    HWND appWindow = nullptr;
    HWND notifyWindow = nullptr;
};

TEST_F(TrayProgram, TheIconShowsTheDesktopHintAndLeftClicksToggleTheMainWindow)
{
    EXPECT_EQ(TooltipAt(FirstIconPosition()), kDefaultHint);
    const int buttons = VisibleTaskbarButtons();

    ASSERT_TRUE(ClickIcon(1));
    EXPECT_TRUE(WaitUntil(kWait, Hidden, window));
    EXPECT_TRUE(WaitUntil(kWait, Hidden, appWindow)) << "the taskbar button stayed";
    EXPECT_TRUE(WaitForTaskbarButtons(buttons - 1)) << VisibleTaskbarButtons() << " buttons of " << buttons;
    EXPECT_TRUE(IconRegistered(notifyWindow));

    ASSERT_TRUE(ClickIcon(1));
    EXPECT_TRUE(WaitUntil(kWait, Visible, window));
    EXPECT_TRUE(Visible(appWindow));
    EXPECT_FALSE(::IsIconic(appWindow));
    EXPECT_TRUE(WaitForTaskbarButtons(buttons)) << VisibleTaskbarButtons() << " buttons of " << buttons;
}

TEST_F(TrayProgram, ADoubleClickTogglesTheMainWindowOnce)
{
    ASSERT_TRUE(ClickAt(FirstIconPosition(), 1, 2));
    EXPECT_TRUE(WaitUntil(kWait, Hidden, window));
    // A second toggle would have shown it again by now.
    PumpFor(1000);
    EXPECT_TRUE(Hidden(window));
    EXPECT_TRUE(Hidden(appWindow));
}

TEST_F(TrayProgram, MinimisingTheMainWindowLeavesOnlyTheTrayIcon)
{
    const int buttons = VisibleTaskbarButtons();
    ::PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil(kWait, Hidden, window));
    EXPECT_TRUE(WaitUntil(kWait, Hidden, appWindow));
    EXPECT_TRUE(WaitForTaskbarButtons(buttons - 1)) << VisibleTaskbarButtons() << " buttons of " << buttons;
    EXPECT_TRUE(IconRegistered(notifyWindow));

    // The icon brings it back.
    ASSERT_TRUE(ClickIcon(1));
    EXPECT_TRUE(WaitUntil(kWait, Visible, window));
}

TEST_F(TrayProgram, TheIconComesBackWhenTheTaskbarIsCreatedAgain)
{
    ForgetIcon(notifyWindow);
    ASSERT_FALSE(IconRegistered(notifyWindow));
    ::SendNotifyMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitForIconRegistered(notifyWindow, true, kWait));
    EXPECT_EQ(TooltipAt(FirstIconPosition()), kDefaultHint);
}

TEST_F(TrayProgram, TheExitItemOfTheTrayMenuEndsTheProgramAndRemovesTheIcon)
{
    ASSERT_TRUE(ClickIcon(3));
    HWND menu = WaitForWindow(program.Id(), "#32768", nullptr, kWait, true);
    ASSERT_NE(menu, nullptr) << "the tray menu did not open";
    // Up from no selection lands on the last item that is not a separator: "退出本软件".
    ASSERT_TRUE(Xdotool("key Up Return"));
    EXPECT_TRUE(program.WaitForExit(kWait));
    EXPECT_FALSE(IconRegistered(notifyWindow));
    EXPECT_EQ(dir.ReadFile("set"), std::string("0\r\n0\r\n"));
}

TEST(TrayOnDesk2, TheSecondInstancesIconIsOnTheTaskbarOfItsOwnDesktop)
{
    HDESK desktop = ::CreateDesktopA("Desk2", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop, nullptr);
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    ASSERT_TRUE(WriteDesk2Icon(dir));
    Process program = Process::Start(ProgramExePath(), dir.Path(), "Desk2");
    ASSERT_TRUE(program.Valid());

    // Window lookups and the shell's icons are per desktop: look from a thread on Desk2.
    HWND notifyWindow = nullptr;
    bool registered = false;
    std::thread worker([&] {
        if (!::SetThreadDesktop(desktop))
            return;
        if (WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true))
            notifyWindow = FindTopLevelWindow(program.Id(), "TrayIconNotifyWindow");
        if (notifyWindow)
            registered = WaitForIconRegistered(notifyWindow, true, kWait);
    });
    worker.join();
    ASSERT_NE(notifyWindow, nullptr);
    EXPECT_TRUE(registered);
    EXPECT_FALSE(IconRegistered(notifyWindow)) << "the icon is on the taskbar of Default too";

    program.Kill();
    ::CloseDesktop(desktop);
}

} // namespace
