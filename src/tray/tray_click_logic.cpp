#include "tray/tray_click_logic.h"

namespace {

// The mouse messages as the shell reports them in the callback.
constexpr long kMouseMove = 0x200;
constexpr long kLeftButtonDown = 0x201;
constexpr long kMiddleButtonDoubleClick = 0x209;

unsigned FlagOf(TrayButton button)
{
    switch (button) {
    case TrayButton::Left:
        return kMouseDownLeft;
    case TrayButton::Right:
        return kMouseDownRight;
    case TrayButton::Middle:
        return kMouseDownMiddle;
    }
    return 0;
}

} // namespace

TrayDispatch DispatchTrayCallback(unsigned mouseDownFlags, bool enabled, long mouseMessage)
{
    TrayDispatch result {{}, mouseDownFlags};
    if (!enabled)
        return result;
    if (mouseMessage == kMouseMove) {
        result.events.push_back({TrayEventKind::MouseMove, TrayButton::Left});
        return result;
    }
    if (mouseMessage < kLeftButtonDown || mouseMessage > kMiddleButtonDoubleClick)
        return result;

    // Each button has three consecutive messages: down, up, double click.
    const long offset = mouseMessage - kLeftButtonDown;
    const auto button = static_cast<TrayButton>(offset / 3);
    const unsigned flag = FlagOf(button);
    switch (offset % 3) {
    case 0:
        result.events.push_back({TrayEventKind::MouseDown, button});
        result.mouseDownFlags |= flag;
        break;
    case 1:
        // Only a press that started on the icon makes a click.
        if (result.mouseDownFlags & flag) {
            result.mouseDownFlags &= ~flag;
            result.events.push_back({TrayEventKind::Click, button});
        }
        result.events.push_back({TrayEventKind::MouseUp, button});
        break;
    default:
        // The second press of a double click sets no flag, so its release
        // does not click a second time.
        result.events.push_back({TrayEventKind::DblClick, TrayButton::Left});
        result.events.push_back({TrayEventKind::MouseDown, button});
        break;
    }
    return result;
}

std::string TrayTipText(const std::string& hint)
{
    std::string tip = hint.substr(0, hint.find('|'));
    if (tip.size() > kTrayTipBytes)
        tip.resize(kTrayTipBytes);
    return tip;
}
