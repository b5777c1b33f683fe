// The commands that reach the real shell: the Run dialog, show desktop, the
// control panel, and the wait that raises a window once it appears.
#include "../app/form_fixture.h"

#include "shellcmds/shell_commands.h"

#include <atomic>
#include <thread>

namespace {

const char kRunTitle[] = "运行";
const char kControlPanelTitle[] = "Wine 控制面板";

// A plain top-level test window that can be minimised.
class TestWindow {
public:
    explicit TestWindow(const char* title)
    {
        WNDCLASSA windowClass {};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ShellCmdsTestWindow";
        ::RegisterClassA(&windowClass);
        hwnd_ = ::CreateWindowExA(0, "ShellCmdsTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
            nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~TestWindow() { ::DestroyWindow(hwnd_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// True when `upper` comes before `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper)
            return true;
        if (w == lower)
            return false;
    }
    return false;
}

// Polls (pumping our messages) until `condition` holds or `ms` pass.
template <class F> bool WaitUntil(F condition, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > ms)
            return false;
        harness::PumpFor(50);
    }
    return true;
}

// Closes every top-level window titled `title` and waits until they are gone.
void CloseAll(const char* title)
{
    for (int i = 0; i < 10; ++i) {
        HWND w = ::FindWindowA(nullptr, title);
        if (!w)
            return;
        ::PostMessageA(w, WM_CLOSE, 0, 0);
        harness::WaitForWindowGone(w, 5000);
    }
}

class ShellCommandsWineTest : public FormTest {
protected:
    void TearDown() override
    {
        CloseAll(kRunTitle);
        FormTest::TearDown();
    }
};

TEST_F(ShellCommandsWineTest, RunOpensTheRunDialogRaisedAndKeepsTheAutomationConnection)
{
    TForm1& f = Design();
    TestWindow other("在运行框之前打开的窗口");
    harness::PumpFor(100);

    f.N59Click(nullptr);
    HWND dialog = ::FindWindowA(nullptr, kRunTitle);
    ASSERT_NE(dialog, nullptr) << "no window titled 运行 after the command returned";
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(IsAbove(dialog, other.Get()));
    ASSERT_TRUE(f.ShellCommands1.Shell1().Connected());
    IShellDispatch* first = f.ShellCommands1.Shell1().DefaultInterface();
    CloseAll(kRunTitle);

    ::BringWindowToTop(other.Get());
    f.N59Click(nullptr);
    EXPECT_EQ(f.ShellCommands1.Shell1().DefaultInterface(), first);
    dialog = ::FindWindowA(nullptr, kRunTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsAbove(dialog, other.Get()));
    EXPECT_TRUE(os.Of("MessageBox").empty());
}

TEST_F(ShellCommandsWineTest, ShowDesktopMinimisesWindowsAndASecondClickLeavesThemMinimised)
{
    TForm1& f = Design();
    TestWindow window("显示桌面测试窗口");
    harness::PumpFor(100);
    ASSERT_FALSE(::IsIconic(window.Get()));

    f.N67Click(nullptr);
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(window.Get()) != FALSE; }, 3000));
    f.N67Click(nullptr);
    harness::PumpFor(500);
    EXPECT_TRUE(::IsIconic(window.Get()));
    EXPECT_TRUE(os.Of("MessageBox").empty());
}

// Lets WinExec really happen after recording it.
class ExecutingRecorder : public OsRecorder {
public:
    UINT WinExec(const std::string& commandLine, int show) override
    {
        OsRecorder::WinExec(commandLine, show);
        return OsInterface::WinExec(commandLine, show);
    }
};

TEST_F(ShellCommandsWineTest, ControlPanelStartsTheSystemsControlPanel)
{
    TForm1& f = Design();
    {
        ExecutingRecorder executing;
        f.N50Click(nullptr);
        EXPECT_TRUE(WaitUntil([] { return ::FindWindowA(nullptr, kControlPanelTitle) != nullptr; }, 15000));
        CloseAll(kControlPanelTitle);
        EXPECT_EQ(executing.Of("WinExec").size(), 1u);
    }
    SetOs(&os);
}

TEST_F(ShellCommandsWineTest, WaitAndRaiseWindowRaisesAWindowThatAppearsLaterAndStaysResponsive)
{
    Design();
    const char title[] = "稍后出现的窗口";
    TestWindow lower("下面的窗口");
    harness::PumpFor(100);

    // Another thread opens the window after a while, under `lower`, and
    // names it only then, so that just the wait's raise can put it on top.
    // Both steps send our thread messages that only a wait that still
    // answers can reply to in time.
    std::atomic<HWND> late {nullptr};
    std::atomic<bool> answered {false}, stop {false}, done {false};
    std::thread opener([&] {
        ::Sleep(300);
        char text[64] = {};
        DWORD_PTR ignored = 0;
        answered = ::SendMessageTimeoutA(
                       lower.Get(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 400, &ignored)
            != 0;
        ::Sleep(600);
        TestWindow window("");
        harness::PumpFor(300); // let its activation settle first
        ::SetWindowPos(lower.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetWindowTextA(window.Get(), title);
        late = window.Get();
        while (!stop)
            harness::PumpFor(10);
        ::DestroyWindow(window.Get()); // while we still answer its messages
        done = true;
    });
    WaitAndRaiseWindow(title);
    const HWND raised = late.load();
    const bool above = raised && IsAbove(raised, lower.Get());
    stop = true;
    WaitUntil([&] { return done.load(); }, 5000);
    opener.join();
    ASSERT_NE(raised, nullptr);
    EXPECT_TRUE(above);
    EXPECT_TRUE(answered.load());
}

} // namespace
