// The first instance sets up "Desk2": a second instance of the program, ctfmon
// (on systems before Vista) and a shell, all started for real and watched
// from outside; closing the first instance ends what it started.
#include "e2e/desk2_icon.h"
#include "support/harness.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <algorithm>
#include <thread>

using namespace harness;

namespace {

const DWORD kWait = 20000;
const char kCtfmon[] = "C:\\WINDOWS\\system32\\ctfmon.exe";

struct Child {
    DWORD pid;
    std::string exe; // file name only, lower case
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(::tolower(c)); });
    return text;
}

std::vector<Child> ChildrenOf(DWORD parent)
{
    std::vector<Child> children;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent)
            children.push_back({entry.th32ProcessID, Lower(entry.szExeFile)});
    ::CloseHandle(snapshot);
    return children;
}

std::vector<std::string> Names(const std::vector<Child>& children)
{
    std::vector<std::string> names;
    for (const Child& c : children)
        names.push_back(c.exe);
    std::sort(names.begin(), names.end());
    return names;
}

// Waits until `parent` has started `count` programs, answering a failed
// mouse-hook start on the way (the tests give it no working library).
std::vector<Child> WaitForChildren(const Process& parent, size_t count)
{
    const DWORD start = ::GetTickCount();
    std::vector<Child> children;
    while (::GetTickCount() - start < kWait) {
        children = ChildrenOf(parent.Id());
        // A process just started may not show its file name yet.
        const bool named = std::none_of(children.begin(), children.end(), [](const Child& c) { return c.exe.empty(); });
        if (children.size() >= count && named)
            break;
        if (std::optional<MessageBoxInfo> box = WaitForMessageBox(parent.Id(), 50))
            if (box->text.rfind("鼠标钩子启动失败", 0) == 0)
                DismissMessageBox(box->hwnd);
        PumpFor(100);
    }
    return children;
}

// The main window of `program`, answering a failed mouse-hook start first.
HWND WaitForMainWindow(const Process& program)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kWait) {
        if (HWND window = FindTopLevelWindow(program.Id(), "TForm1", kMainWindowTitle, true))
            return window;
        if (std::optional<MessageBoxInfo> box = WaitForMessageBox(program.Id(), 50))
            if (box->text.rfind("鼠标钩子启动失败", 0) == 0)
                DismissMessageBox(box->hwnd);
        PumpFor(100);
    }
    return nullptr;
}

HANDLE OpenChild(DWORD pid)
{
    return ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
}

template <class F> void OnDesktop(const char* name, F check)
{
    std::thread worker([&] {
        HDESK desktop = ::OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
        ASSERT_NE(desktop, nullptr) << name << " cannot be opened: error " << ::GetLastError();
        ASSERT_TRUE(::SetThreadDesktop(desktop));
        check();
        ::CloseDesktop(desktop);
    });
    worker.join();
}

// The processes the programs under test started and the ctfmon stand-in;
// whatever still runs at the end is ended, so no shell stays on "Desk2".
class DeskLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A "Desk2" left by an earlier test is still being closed by Wine for a
        // moment; a desktop created into that loses its name. Let it go first.
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 10000; PumpFor(200)) {
            HDESK old = ::OpenDesktopA("Desk2", 0, FALSE, GENERIC_ALL);
            if (!old)
                break;
            ::CloseDesktop(old);
        }
        ASSERT_TRUE(dir.WriteFile("set", "0\r\n0\r\n"));
        ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", ReadWholeFile(UnixToWindowsPath(TRAYSTART_HOOK_DLL))));
        ASSERT_TRUE(WriteDesk2Icon(dir));
        ASSERT_FALSE(::GetFileAttributesA(kCtfmon) != INVALID_FILE_ATTRIBUTES) << "a ctfmon.exe is installed";
        ASSERT_TRUE(::CopyFileA(UnixToWindowsPath(IDLE_STANDIN_EXE).c_str(), kCtfmon, TRUE));
    }
    void TearDown() override
    {
        for (Process* p : {&first, &second, &restarted})
            p->Kill();
        for (DWORD pid : started) {
            if (HANDLE process = OpenChild(pid)) {
                ::TerminateProcess(process, 1);
                ::WaitForSingleObject(process, 5000);
                ::CloseHandle(process);
            }
        }
        ::DeleteFileA(kCtfmon);
    }
    void Remember(const std::vector<Child>& children)
    {
        for (const Child& c : children)
            started.push_back(c.pid);
    }
    static DWORD PidOf(const std::vector<Child>& children, const std::string& exe)
    {
        for (const Child& c : children)
            if (c.exe == exe)
                return c.pid;
        return 0;
    }

    TempDir dir;
    Process first, second, restarted;
    std::vector<DWORD> started;
};

TEST_F(DeskLaunch, TheFirstInstanceSetsUpDesk2AndEndsItsInstanceAndCtfmonWhenClosed)
{
    Desk2SetupAllowed allowed;
    const std::string exe = CopyProgramAs("ts_desk_xp.exe", dir.Path());
    ASSERT_FALSE(exe.empty());
    ScopedWindowsVersion xp("ts_desk_xp.exe", "winxp");

    first = Process::Start(exe, dir.Path());
    ASSERT_TRUE(first.Valid());
    std::vector<Child> children = WaitForChildren(first, 3);
    Remember(children);
    ASSERT_EQ(Names(children), (std::vector<std::string> {"ctfmon.exe", "explorer.exe", "ts_desk_xp.exe"}));
    HWND window = WaitForMainWindow(first);
    ASSERT_NE(window, nullptr);

    // The second instance runs on Desk2 and knows it: it refuses to close.
    const DWORD instancePid = PidOf(children, "ts_desk_xp.exe");
    HANDLE instance = OpenChild(instancePid), ctfmon = OpenChild(PidOf(children, "ctfmon.exe")),
           shell = OpenChild(PidOf(children, "explorer.exe"));
    ASSERT_TRUE(instance && ctfmon && shell);
    OnDesktop("Desk2", [&] {
        HWND other = WaitForWindow(instancePid, "TForm1", kMainWindowTitle, kWait, true);
        ASSERT_NE(other, nullptr);
        ::PostMessageA(other, WM_CLOSE, 0, 0);
        std::optional<MessageBoxInfo> refusal = WaitForMessageBox(instancePid, kWait);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->caption, "出错");
        EXPECT_EQ(refusal->text, "你现在在桌面2，无法退出，请转到默认桌面退出！");
        EXPECT_TRUE(DismissMessageBox(refusal->hwnd));
    });
    EXPECT_EQ(::WaitForSingleObject(instance, 500), static_cast<DWORD>(WAIT_TIMEOUT));

    // A further copy on Default finds the mutex and starts nothing.
    second = Process::Start(exe, dir.Path());
    ASSERT_TRUE(second.Valid());
    HWND secondWindow = WaitForMainWindow(second);
    ASSERT_NE(secondWindow, nullptr);
    PumpFor(500);
    EXPECT_TRUE(ChildrenOf(second.Id()).empty());
    ::PostMessageA(secondWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(second.WaitForExit(kWait));
    EXPECT_EQ(::WaitForSingleObject(instance, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "closing the further copy ended the first one's instance";

    // Closing the first ends its instance (with the code it was running under)
    // and ctfmon; the shell stays.
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.WaitForExit(kWait));
    EXPECT_EQ(::WaitForSingleObject(instance, kWait), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(::WaitForSingleObject(ctfmon, kWait), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 0;
    ::GetExitCodeProcess(instance, &code);
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(::WaitForSingleObject(shell, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    for (HANDLE h : {instance, ctfmon, shell})
        ::CloseHandle(h);

    // A restart (here as Windows 7, where no ctfmon is started although the
    // file is there) finds Desk2 kept by its shell and starts a new instance.
    const std::string exe7 = CopyProgramAs("ts_desk_7.exe", dir.Path());
    ScopedWindowsVersion seven("ts_desk_7.exe", "win7");
    restarted = Process::Start(exe7, dir.Path());
    ASSERT_TRUE(restarted.Valid());
    children = WaitForChildren(restarted, 2);
    Remember(children);
    PumpFor(300);
    children = ChildrenOf(restarted.Id());
    Remember(children);
    EXPECT_EQ(Names(children), (std::vector<std::string> {"explorer.exe", "ts_desk_7.exe"}));
    const DWORD newInstance = PidOf(children, "ts_desk_7.exe");
    OnDesktop(
        "Desk2", [&] { EXPECT_NE(WaitForWindow(newInstance, "TForm1", kMainWindowTitle, kWait, true), nullptr); });
    HWND restartedWindow = WaitForMainWindow(restarted);
    ASSERT_NE(restartedWindow, nullptr);
    ::PostMessageA(restartedWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(restarted.WaitForExit(kWait));
}

} // namespace
