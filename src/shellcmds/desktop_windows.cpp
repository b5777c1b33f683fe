#include "shellcmds/desktop_windows.h"

namespace {
// The shell's own windows: the taskbar and the desktop behind everything.
const char* const kShellWindowClasses[] = {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "Progman", "WorkerW"};
} // namespace

bool ShouldMinimizeForDesktop(const TopLevelWindowFacts& window)
{
    if (!window.visible || window.minimized || !window.minimizeBox)
        return false;
    for (const char* shellClass : kShellWindowClasses)
        if (window.className == shellClass)
            return false;
    // A taskbar lists unowned windows that are not tool windows, and any
    // window that asks for a button.
    return window.appWindow || (!window.owned && !window.toolWindow);
}
