// Decoding the mouse-hook library's notifications: message WM_USER + code,
// x and y packed in wParam, the source window in lParam.
#pragma once

#include <cstdint>
#include <functional>

constexpr unsigned kHookNotificationBase = 0x0400; // WM_USER

enum class HookMouseButton { Left, Right, Middle };
enum TMouseButtonMovement { mbmDown, mbmUp, mbmDouble };

// The events a notification can raise, in the order they are tried.
struct MouseNotificationEvents {
    // Sees every notification first (the whole code); setting `handled` ends it there.
    std::function<void(int code, std::uintptr_t wParam, std::intptr_t lParam, bool& handled)> unfiltered;
    std::function<void(std::uint32_t sourceWindow, int x, int y)> move;
    std::function<void(std::uint32_t sourceWindow, int x, int y, HookMouseButton button, TMouseButtonMovement movement)>
        click;
};

// Handles one notification `message` (at or above WM_USER) and returns the
// window procedure's result, 0.
std::intptr_t DispatchMouseNotification(
    unsigned message, std::uintptr_t wParam, std::intptr_t lParam, const MouseNotificationEvents& events);
