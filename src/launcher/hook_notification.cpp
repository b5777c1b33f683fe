#include "launcher/hook_notification.h"

namespace {

struct MouseClickCode {
    HookMouseButton button;
    TMouseButtonMovement movement;
};

// Button and movement of a button code (low four bits 1 to 15); the codes
// past the middle button, 10 to 15, count as the left button.
MouseClickCode DecodeMouseClickCode(unsigned code)
{
    const unsigned n = (code & 0xF) - 1;
    const unsigned button = n / 3;
    const unsigned movement = n % 3;
    MouseClickCode decoded {HookMouseButton::Left, static_cast<TMouseButtonMovement>(movement)};
    if (button == 1)
        decoded.button = HookMouseButton::Right;
    else if (button == 2)
        decoded.button = HookMouseButton::Middle;
    return decoded;
}

} // namespace

std::intptr_t DispatchMouseNotification(
    unsigned message, std::uintptr_t wParam, std::intptr_t lParam, const MouseNotificationEvents& events)
{
    const int code = static_cast<int>(message - kHookNotificationBase);
    bool handled = false;
    if (events.unfiltered)
        events.unfiltered(code, wParam, lParam, handled);
    if (handled)
        return 0;
    const int x = static_cast<int>(wParam & 0xFFFF);
    const int y = static_cast<int>((wParam >> 16) & 0xFFFF);
    // Window handles are 32-bit values on every Windows, 64-bit ones included.
    const auto source = static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam));
    if ((code & 0xF) == 0) {
        if (events.move)
            events.move(source, x, y);
    } else if (events.click) {
        const MouseClickCode decoded = DecodeMouseClickCode(static_cast<unsigned>(code));
        events.click(source, x, y, decoded.button, decoded.movement);
    }
    return 0;
}
