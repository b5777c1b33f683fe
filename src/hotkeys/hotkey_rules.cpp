#include "hotkeys/hotkey_rules.h"

HotKeySpec HotKeySpecOf(HotKey hotKey)
{
    switch (hotKey) {
    case HotKey::Hide:
        return {"UserDefineHotKey", kModAlt, kKeyL};
    case HotKey::Switch:
        return {"UserqiehuanzuomianHotKey", 0, kKeyF11};
    case HotKey::SwitchCtrl:
        return {"UserqiehuanzuomianHotKey", kModControl, kKeyF11};
    }
    return {"", 0, 0};
}

int HotKeyIdFromAtom(std::uint16_t atom) { return static_cast<int>(atom) - 0xC000; }

std::uint16_t AtomFromHotKeyId(int id) { return static_cast<std::uint16_t>(id + 0xC000); }

HotKey SwitchHotKeyFor(const std::string& winVersionName, const std::string& instanceDesktop)
{
    return winVersionName == "win7" && instanceDesktop == "Desk2" ? HotKey::SwitchCtrl : HotKey::Switch;
}

HotKeyAction HotKeyActionFor(unsigned modifiers, unsigned key, const HotKeyState& state)
{
    if (modifiers == kModAlt && key == kKeyL)
        return state.trayIconsHidden ? HotKeyAction::RestoreTrayIcons : HotKeyAction::HideTrayIcons;
    // Ctrl+F11 arrives only in the Windows 7 instance on "Desk2"; any F11 is taken alike.
    if (key == kKeyF11) {
        // On 7 each instance always switches to the other desktop; the marks
        // there follow the instance, not the last switch.
        if (state.winVersionName == "win7")
            return state.ownDesktopName == "Default" ? HotKeyAction::SwitchToDesk2 : HotKeyAction::SwitchToDefault;
        return state.defaultDesktopChecked ? HotKeyAction::SwitchToDesk2 : HotKeyAction::SwitchToDefault;
    }
    return HotKeyAction::None;
}
