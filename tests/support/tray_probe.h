// Looking at the taskbar's notification area from a test: whether an icon is
// registered, where the first icon sits, its tooltip, and real mouse and key
// input through xdotool (Wine starts Unix programs with CreateProcess).
#pragma once
#include <windows.h>

#include <string>

namespace tray_probe {

// Whether the shell knows the icon (window, id): a modification that changes
// nothing succeeds only for a registered icon.
bool IconRegistered(HWND window, UINT id = 0);
// Polls IconRegistered until it equals `expected`, pumping our messages.
bool WaitForIconRegistered(HWND window, bool expected, DWORD timeoutMs);
// Removes the icon (window, id) behind its owner's back, as a crashed shell would forget it.
void ForgetIcon(HWND window, UINT id = 0);

// The taskbar of the caller's desktop, or null.
HWND Taskbar();
// The centre of the rightmost icon of the notification area (the first one
// added, while it is the only one).
POINT FirstIconPosition();

// Runs `/usr/bin/xdotool <args>` and waits for it; false if it could not run or failed.
bool Xdotool(const std::string& args);
// Clicks mouse button `button` (1 left, 2 middle, 3 right) at `at`, `times`
// times in quick succession (2 = a double click). Waits first until the
// previous click is longer ago than the double-click time, so that separate
// clicks never make a double click by accident.
bool ClickAt(POINT at, int button, int times = 1);
// Gives the keyboard (the X input focus) to the taskbar, as when the user
// last typed in another program; false if it could not.
bool KeyboardToTaskbar();
// Moves the pointer onto `at` and returns the notification area's tooltip text
// once it shows ("" if none showed within `timeoutMs`).
std::string TooltipAt(POINT at, DWORD timeoutMs = 5000);

// Visible taskbar buttons (the start button not counted).
int VisibleTaskbarButtons();

} // namespace tray_probe
