// The global hotkeys of the real program, pressed with real key input
// (xdotool), and the hotkeys the second instance holds on its own desktop.
#include "e2e/desk2_icon.h"
#include "support/harness.h"
#include "support/tray_probe.h"

#include <gtest/gtest.h>

#include <thread>

using namespace harness;

namespace {

const DWORD kWait = 20000;

// The focused window of another program (a process of its own, so this test
// process creates no window of its own next to the desktops other tests used).
class KeyCatcher {
public:
    explicit KeyCatcher(const TempDir& dir)
        : file_(dir.PathOf("keys.txt"))
    {
        process_ = Process::Start(UnixToWindowsPath(KEY_CATCHER_EXE), dir.Path(), nullptr, file_);
        if (process_.Valid())
            hwnd_ = WaitForWindow(process_.Id(), "TsKeyCatcher", "keys", kWait, true);
    }
    ~KeyCatcher() { process_.Kill(); }

    // Brings it to the front under the pointer, where Wine delivers the keys.
    bool Focus() const
    {
        // A "Desk2" of an earlier test may still lie over "Default" on the X
        // display for a moment, and would take the pointer's keys.
        tray_probe::Xdotool("search --name \"^Default - Wine desktop\" windowraise >/dev/null");
        if (!hwnd_ || !tray_probe::ClickAt(POINT {140, 100}, 1))
            return false;
        // The program under test may still be activating its own window.
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 5000;) {
            ::SetForegroundWindow(hwnd_);
            PumpFor(100);
            if (::GetForegroundWindow() == hwnd_)
                return true;
        }
        return false;
    }
    bool Saw(WPARAM key) const
    {
        const std::string keys = "\n" + ReadWholeFile(file_);
        return keys.find("\n" + std::to_string(key) + "\n") != std::string::npos;
    }
    // Wine hands the keys on a while after xdotool returns, but in order:
    // once `key` is seen, every earlier key that reached the catcher is too.
    bool WaitFor(WPARAM key) const
    {
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kWait; PumpFor(100)) {
            if (Saw(key))
                return true;
        }
        return false;
    }

private:
    std::string file_;
    Process process_;
    HWND hwnd_ = nullptr;
};

// Answers a failed mouse-hook start (the tests give it no working library)
// and waits for the main window.
HWND WaitForMainWindow(const Process& program)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kWait) {
        if (HWND window = FindTopLevelWindow(program.Id(), "TForm1", kMainWindowTitle, true)) {
            PumpFor(300);
            if (std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), 200))
                DismissMessageBox(box->hwnd);
            return window;
        }
        if (std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), 50))
            DismissMessageBox(box->hwnd);
        PumpFor(100);
    }
    return nullptr;
}

class RealHotKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        // F11 switches to Desk2: it must exist to be opened.
        desk2_ = ::CreateDesktopA("Desk2", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        ASSERT_NE(desk2_, nullptr);
    }
    void TearDown() override
    {
        CloseProgram();
        // F11 made "Desk2" the input desktop; later tests type on "Default".
        if (HDESK home = ::OpenDesktopA("Default", 0, FALSE, GENERIC_ALL)) {
            ::SwitchDesktop(home);
            ::CloseDesktop(home);
        }
        ::CloseDesktop(desk2_);
    }
    void CloseProgram()
    {
        if (window && program.Running())
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        if (!program.WaitForExit(kWait))
            program.Kill();
        window = nullptr;
    }

    Process program;
    HWND window = nullptr;
    HDESK desk2_ = nullptr;
};

// Alt+L, F11, then F9, a key nobody holds, into the focused window of another
// program; whether the first two arrived is read once F9 has.
void PressTheHotKeysInto(const KeyCatcher& catcher)
{
    ASSERT_TRUE(catcher.Focus());
    PumpFor(300);
    ASSERT_TRUE(tray_probe::Xdotool("key alt+l"));
    ASSERT_TRUE(tray_probe::Xdotool("key F11"));
    ASSERT_TRUE(tray_probe::Xdotool("key F9"));
    ASSERT_TRUE(catcher.WaitFor(VK_F9)) << "the catcher never had the keyboard";
}

TEST_F(RealHotKeys, TakenWithBothOptionsOnGivenBackWithBothOff)
{
    for (bool on : {true, false}) {
        SCOPED_TRACE(on ? "options on" : "options off");
        TempDir run;
        ASSERT_TRUE(run.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
        ASSERT_TRUE(run.WriteFile("set", on ? "1\r\n1\r\n" : "0\r\n0\r\n"));
        program = Process::Start(ProgramExePath(), run.Path());
        ASSERT_TRUE(program.Valid());
        window = WaitForMainWindow(program);
        ASSERT_NE(window, nullptr);

        KeyCatcher catcher(run);
        ASSERT_NO_FATAL_FAILURE(PressTheHotKeysInto(catcher));
        EXPECT_EQ(catcher.Saw('L'), !on);
        EXPECT_EQ(catcher.Saw(VK_F11), !on);
        EXPECT_FALSE(WaitForMessageBox(program.Id(), 200)) << "the hotkey's action reported an error";
        CloseProgram();
    }
}

// Whether a window of a thread on `desktop` can register the combination (the
// window manager keeps hotkeys per desktop).
bool FreeOnDesktop(const char* name, unsigned modifiers, unsigned key)
{
    bool free = false;
    std::thread worker([&] {
        // A thread's desktop handle is closed when the thread ends: each one opens its own.
        HDESK desktop = ::OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
        if (!desktop || !::SetThreadDesktop(desktop))
            return;
        HWND w = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        free = ::RegisterHotKey(w, 0x3002, modifiers, key) != FALSE;
        ::UnregisterHotKey(w, 0x3002);
        ::DestroyWindow(w);
    });
    worker.join();
    return free;
}

TEST(SecondInstanceHotKeys, CtrlF11OnlyUnderWindowsSevenAndNeverAltL)
{
    HDESK desktop = ::CreateDesktopA("Desk2", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    ASSERT_NE(desktop, nullptr);
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("set", "1\r\n1\r\n"));
    ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
    ASSERT_TRUE(WriteDesk2Icon(dir));
    for (auto [version, holdsCtrlF11] : {std::pair {"win7", true}, {"winxp", false}}) {
        const std::string name = std::string("ts_hk_") + version + ".exe";
        const std::string exe = CopyProgramAs(name, dir.Path());
        ScopedWindowsVersion emulated(name, version);
        Process program = Process::Start(exe, dir.Path(), "Desk2");
        ASSERT_TRUE(program.Valid());
        HWND window = nullptr;
        std::thread worker([&] {
            HDESK own = ::OpenDesktopA("Desk2", 0, FALSE, GENERIC_ALL);
            if (own && ::SetThreadDesktop(own))
                window = WaitForWindow(program.Id(), "TForm1", kMainWindowTitle, kWait, true);
        });
        worker.join();
        ASSERT_NE(window, nullptr) << version;
        EXPECT_EQ(FreeOnDesktop("Desk2", MOD_CONTROL, VK_F11), !holdsCtrlF11) << version;
        EXPECT_TRUE(FreeOnDesktop("Desk2", MOD_ALT, 'L')) << version;
        EXPECT_TRUE(FreeOnDesktop("Desk2", 0, VK_F11)) << version;
        program.Kill();
    }
    ::CloseDesktop(desktop);
}

} // namespace
