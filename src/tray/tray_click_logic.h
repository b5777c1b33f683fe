// What the tray icon makes of one callback from the shell: which events to
// raise, in order, and which buttons are still held down on the icon.
// Plain values only, so the rules are checked natively as well.
#pragma once

#include <string>
#include <vector>

enum class TrayButton { Left = 0, Right = 1, Middle = 2 };

// Bits of the buttons that went down on the icon and whose release is due.
constexpr unsigned kMouseDownLeft = 1;
constexpr unsigned kMouseDownRight = 2;
constexpr unsigned kMouseDownMiddle = 4;

enum class TrayEventKind { MouseMove, MouseDown, MouseUp, Click, DblClick };

struct TrayEvent {
    TrayEventKind kind;
    TrayButton button; // Left for MouseMove and DblClick, which carry none
    bool operator==(const TrayEvent& other) const { return kind == other.kind && button == other.button; }
};

struct TrayDispatch {
    std::vector<TrayEvent> events;
    unsigned mouseDownFlags;
};

// `mouseMessage` is the callback's long parameter: the mouse message that
// happened on the icon (WM_MOUSEMOVE .. WM_MBUTTONDBLCLK). A disabled icon and
// any other value raise nothing and keep the flags.
TrayDispatch DispatchTrayCallback(unsigned mouseDownFlags, bool enabled, long mouseMessage);

// The tooltip the shell shows: the hint's short part (before the first "|"),
// cut to the 63 bytes the first-generation record holds, even in the middle of
// a double-byte character.
constexpr size_t kTrayTipBytes = 63;
std::string TrayTipText(const std::string& hint);
