#include "support/tray_probe.h"

#include "support/harness.h"

#include <shellapi.h>

#include <vector>

namespace tray_probe {

bool IconRegistered(HWND window, UINT id)
{
    NOTIFYICONDATAA probe {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    probe.uID = id;
    probe.uFlags = 0;
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

bool WaitForIconRegistered(HWND window, bool expected, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (IconRegistered(window) == expected)
            return true;
        if (::GetTickCount() - start > timeoutMs)
            return false;
        harness::PumpFor(50);
    }
}

void ForgetIcon(HWND window, UINT id)
{
    NOTIFYICONDATAA removal {};
    removal.cbSize = NOTIFYICONDATAA_V1_SIZE;
    removal.hWnd = window;
    removal.uID = id;
    ::Shell_NotifyIconA(NIM_DELETE, &removal);
}

HWND Taskbar() { return ::FindWindowA("Shell_TrayWnd", nullptr); }

POINT FirstIconPosition()
{
    // Icons are laid out right to left from the taskbar's right end, one
    // small icon plus a border each.
    RECT bar {};
    ::GetWindowRect(Taskbar(), &bar);
    const int slot = ::GetSystemMetrics(SM_CXSMICON) + 4;
    return POINT {bar.right - slot / 2, (bar.top + bar.bottom) / 2};
}

bool Xdotool(const std::string& args)
{
    // Wine gives no waitable handle for a Unix process, so a shell around
    // xdotool leaves a marker file once it has succeeded.
    static int runs = 0;
    const std::string marker
        = "/tmp/traystart-xdotool-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++runs);
    std::string command = "/bin/sh -c \"/usr/bin/xdotool " + args + " && : > " + marker + "\"";
    STARTUPINFOA start {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process {};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    // Nothing to close: for a Unix program Wine fills the process record with
    // stack bytes, not handles, and closing those once took another
    // component's handle (COM's registry key) that happened to match.
    const std::string windowsMarker = harness::UnixToWindowsPath(marker);
    const DWORD started = ::GetTickCount();
    while (::GetFileAttributesA(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - started > 10000)
            return false;
        ::Sleep(10);
    }
    ::DeleteFileA(windowsMarker.c_str());
    return true;
}

bool ClickAt(POINT at, int button, int times)
{
    static DWORD lastClick = 0;
    static bool clicked = false;
    if (clicked) {
        const DWORD spacing = ::GetDoubleClickTime() + 100;
        const DWORD since = ::GetTickCount() - lastClick;
        if (since < spacing)
            harness::PumpFor(spacing - since);
    }
    // Wine takes in the pointer's new place a moment after xdotool returns
    // (most of all on the first move of a session); a click sent before
    // would be handled where the pointer was, and a menu it opens placed there.
    if (!Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y)))
        return false;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 3000; harness::PumpFor(20)) {
        POINT cursor {};
        if (::GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y)
            break;
    }
    const bool done = Xdotool("click --repeat " + std::to_string(times) + " --delay 80 " + std::to_string(button));
    lastClick = ::GetTickCount();
    clicked = true;
    return done;
}

bool KeyboardToTaskbar()
{
    // Wine's X driver keeps each top-level window's X window in this property.
    const auto window = reinterpret_cast<ULONG_PTR>(::GetPropA(Taskbar(), "__wine_x11_whole_window"));
    return window && Xdotool("windowfocus " + std::to_string(window));
}

std::string TooltipAt(POINT at, DWORD timeoutMs)
{
    // From elsewhere first, so the tray sees the pointer arrive.
    Xdotool("mousemove " + std::to_string(at.x - 60) + " " + std::to_string(at.y));
    harness::PumpFor(100);
    Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y));
    DWORD shell = 0;
    ::GetWindowThreadProcessId(Taskbar(), &shell);
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        harness::PumpFor(100);
        // A second small move keeps the tooltip's hover timer going.
        Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y - 1));
        for (HWND tip = ::FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); tip;
             tip = ::FindWindowExA(nullptr, tip, "tooltips_class32", nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(tip, &owner);
            if (owner != shell || !::IsWindowVisible(tip))
                continue;
            char text[256] = {};
            ::SendMessageA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
            if (text[0])
                return text;
        }
    }
    return std::string();
}

int VisibleTaskbarButtons()
{
    int count = 0;
    for (HWND button : harness::ChildWindows(Taskbar(), "Button")) {
        RECT r = harness::WindowRect(button);
        // The start button sits at the left end.
        if (::IsWindowVisible(button) && r.left > 0)
            ++count;
    }
    return count;
}

} // namespace tray_probe
