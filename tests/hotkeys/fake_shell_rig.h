// Runs the fake shell (helpers/fake_shell.cpp) on a desktop of its own and
// lets a test run code on that desktop, where the fake Shell_TrayWnd chain is
// what window lookups and Shell_NotifyIcon find.
#pragma once
#include "hotkeys/tray_shell_access.h"
#include "support/harness.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct FakeShellOptions {
    std::vector<std::string> texts; // first button first
    bool tab = false;
    bool noToolbar = false;
    bool removeOnHide = false;
    int removeOnRead = 0; // the last button goes after this many reads
};

// One message that reached the toolbar, or a notification the shell answered.
struct ShellEvent {
    enum Kind { Toolbar, NotifyIcon } kind = Toolbar;
    UINT message = 0; // toolbar message, or the NIM code
    long long wParam = 0; // for NotifyIcon: the shell's answer
    long long lParam = 0;
};

class FakeShellRig {
public:
    FakeShellRig();
    ~FakeShellRig();
    FakeShellRig(const FakeShellRig&) = delete;
    FakeShellRig& operator=(const FakeShellRig&) = delete;

    // Starts the fake shell and waits until its windows exist; false (and a
    // test failure) if it did not come up.
    bool Start(const FakeShellOptions& options);
    // Runs `work` on a thread of the fake shell's desktop and waits for it.
    static void OnDesktop(const std::function<void()>& work);
    // The name of that desktop, for programs started on it.
    static std::string DesktopName();

    // Everything logged since the last Mark().
    std::vector<ShellEvent> Events() const;
    void Mark();
    // Per position, 'H' for a hidden button and '.' for a shown one.
    std::string State();

private:
    std::vector<std::string> LogLines() const;

    harness::TempDir dir_;
    harness::Process shell_;
    std::size_t mark_ = 0;
};

// Helpers over the events.
std::vector<ShellEvent> ToolbarMessages(const std::vector<ShellEvent>& events, UINT message);
int ReadMessages(const std::vector<ShellEvent>& events);
// The identifiers of TB_HIDEBUTTON messages with "hide" (1) or "show" (0).
std::vector<int> HideIds(const std::vector<ShellEvent>& events, bool hide);

// Icons the test adds and removes on the fake shell's desktop (create on that
// desktop's thread): the "program's own" icon and the temporary refresh icon.
class TestIcons {
public:
    TestIcons();
    ~TestIcons();
    void SetOwn(bool active);
    void Refresh();
    int ownOff = 0, ownOn = 0, refreshes = 0;

private:
    HWND window_ = nullptr;
};

// The system's calls, counted, and refused when asked.
class CountingAccess : public Win32TrayShellAccess {
public:
    HANDLE OpenShellProcess(DWORD processId) override;
    void* ReserveBlock(HANDLE process, std::size_t size) override;
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    int openings = 0, blocks = 0, sends = 0;
    bool refuseOpen = false, refuseBlock = false;
};
