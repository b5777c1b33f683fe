#include "fake_shell_rig.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {
constexpr UINT kStateRequest = WM_APP + 1;
const char kOwnTip[] = "own icon";

std::string ShellDesktopName() { return "TrayHide" + std::to_string(::GetCurrentProcessId()); }

// One desktop for the whole test program: each new desktop brings Wine's
// own desktop process with it.
HDESK ShellDesktop()
{
    static HDESK desktop = ::CreateDesktopA(ShellDesktopName().c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop;
}
} // namespace

FakeShellRig::FakeShellRig() = default;

FakeShellRig::~FakeShellRig()
{
    if (shell_.Valid())
        shell_.Kill();
}

bool FakeShellRig::Start(const FakeShellOptions& options)
{
    if (!ShellDesktop()) {
        ADD_FAILURE() << "cannot create the fake shell's desktop";
        return false;
    }
    std::string texts;
    for (const std::string& text : options.texts)
        texts += text + "\n";
    if (!dir_.WriteFile("texts", texts))
        return false;
    std::string args = "\"" + dir_.PathOf("log") + "\" \"" + dir_.PathOf("texts") + "\"";
    if (options.tab)
        args += " tab";
    if (options.noToolbar)
        args += " no-toolbar";
    if (options.removeOnHide)
        args += " remove-on-hide";
    if (options.removeOnRead > 0)
        args += " remove-on-read=" + std::to_string(options.removeOnRead);
    const std::string desktop = ShellDesktopName();
    shell_ = harness::Process::Start(harness::UnixToWindowsPath(FAKE_SHELL_EXE), dir_.Path(), desktop.c_str(), args);
    if (!shell_.Valid())
        return false;
    const DWORD start = ::GetTickCount();
    while (LogLines().empty() || LogLines().front() != "ready") {
        if (::GetTickCount() - start > 20000 || !shell_.Running()) {
            ADD_FAILURE() << "the fake shell did not come up";
            return false;
        }
        ::Sleep(20);
    }
    Mark();
    return true;
}

std::string FakeShellRig::DesktopName() { return ShellDesktopName(); }

void FakeShellRig::OnDesktop(const std::function<void()>& work)
{
    std::atomic<bool> done {false};
    std::thread thread([&work, &done] {
        // A fresh thread owns no windows yet, so it may change its desktop.
        // Its own handle: Wine closes a thread's desktop handle when the
        // thread ends.
        HDESK desktop = ::OpenDesktopA(ShellDesktopName().c_str(), 0, FALSE, GENERIC_ALL);
        if (desktop && ::SetThreadDesktop(desktop))
            work();
        else
            ADD_FAILURE() << "SetThreadDesktop failed: " << ::GetLastError();
        done = true;
    });
    // Windows made on that thread may send to ours (the application's window).
    while (!done)
        harness::PumpFor(5);
    thread.join();
}

std::vector<std::string> FakeShellRig::LogLines() const
{
    std::vector<std::string> lines;
    const std::string all = harness::ReadWholeFile(dir_.PathOf("log"));
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find('\n', start);
        if (end == std::string::npos)
            break; // a line still being written
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void FakeShellRig::Mark() { mark_ = LogLines().size(); }

std::vector<ShellEvent> FakeShellRig::Events() const
{
    std::vector<ShellEvent> events;
    const std::vector<std::string> lines = LogLines();
    for (std::size_t i = mark_; i < lines.size(); ++i) {
        ShellEvent event;
        unsigned message = 0;
        long long a = 0, b = 0;
        if (std::sscanf(lines[i].c_str(), "tb %x %lld %lld", &message, &a, &b) == 3) {
            event.kind = ShellEvent::Toolbar;
        } else if (std::sscanf(lines[i].c_str(), "tray copydata %u %lld", &message, &a) == 2) {
            event.kind = ShellEvent::NotifyIcon;
        } else {
            continue;
        }
        event.message = message;
        event.wParam = a;
        event.lParam = b;
        events.push_back(event);
    }
    return events;
}

std::string FakeShellRig::State()
{
    OnDesktop([] {
        HWND tray = ::FindWindowA("Shell_TrayWnd", nullptr);
        ::SendMessageA(tray, kStateRequest, 0, 0);
    });
    const std::vector<std::string> lines = LogLines();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->rfind("state ", 0) == 0)
            return line->substr(6);
    }
    return "?";
}

std::vector<ShellEvent> ToolbarMessages(const std::vector<ShellEvent>& events, UINT message)
{
    std::vector<ShellEvent> found;
    for (const ShellEvent& event : events) {
        if (event.kind == ShellEvent::Toolbar && event.message == message)
            found.push_back(event);
    }
    return found;
}

int ReadMessages(const std::vector<ShellEvent>& events)
{
    int reads = 0;
    for (const ShellEvent& event : events) {
        if (event.kind == ShellEvent::Toolbar
            && (event.message == 0x0417 || event.message == 0x042D || event.message == 0x1305))
            ++reads;
    }
    return reads;
}

std::vector<int> HideIds(const std::vector<ShellEvent>& events, bool hide)
{
    std::vector<int> ids;
    for (const ShellEvent& event : ToolbarMessages(events, 0x0404)) {
        if ((event.lParam == 1) == hide)
            ids.push_back(static_cast<int>(event.wParam));
    }
    return ids;
}

// The desktop's window outlives the short threads the tests run on, so an
// icon added on one thread can be deleted from another.
TestIcons::TestIcons()
    : window_(::GetDesktopWindow())
{
}

TestIcons::~TestIcons() = default;

void TestIcons::SetOwn(bool active)
{
    (active ? ownOn : ownOff)++;
    NOTIFYICONDATAA data {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window_;
    data.uID = 1;
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    std::strcpy(data.szTip, kOwnTip);
    ::Shell_NotifyIconA(active ? NIM_ADD : NIM_DELETE, &data);
}

void TestIcons::Refresh()
{
    ++refreshes;
    NOTIFYICONDATAA data {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window_;
    data.uID = 0;
    data.uFlags = NIF_ICON;
    data.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    ::Shell_NotifyIconA(NIM_ADD, &data);
    NOTIFYICONDATAA removal {};
    removal.cbSize = NOTIFYICONDATAA_V1_SIZE;
    removal.hWnd = window_;
    removal.uID = 0;
    ::Shell_NotifyIconA(NIM_DELETE, &removal);
}

HANDLE CountingAccess::OpenShellProcess(DWORD processId)
{
    ++openings;
    return refuseOpen ? nullptr : Win32TrayShellAccess::OpenShellProcess(processId);
}

void* CountingAccess::ReserveBlock(HANDLE process, std::size_t size)
{
    ++blocks;
    return refuseBlock ? nullptr : Win32TrayShellAccess::ReserveBlock(process, size);
}

LRESULT CountingAccess::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++sends;
    return Win32TrayShellAccess::Send(window, message, wParam, lParam);
}
