// The three global hotkeys and the choice of what a WM_HOTKEY does; plain
// values only, so the rules are checked without a window.
#pragma once
#include <cstdint>
#include <string>

enum class HotKey { Hide, Switch, SwitchCtrl };

struct HotKeySpec {
    const char* atomName; // its identifier comes from this global atom
    unsigned modifiers; // MOD_ALT = 1, MOD_CONTROL = 2
    unsigned key; // virtual key
};

constexpr unsigned kModAlt = 1;
constexpr unsigned kModControl = 2;
constexpr unsigned kKeyL = 0x4C;
constexpr unsigned kKeyF11 = 0x7A;

HotKeySpec HotKeySpecOf(HotKey hotKey);

// String atoms lie in 0xC000..0xFFFF; the identifier is the atom's offset in
// that range, inside the range applications may use.
int HotKeyIdFromAtom(std::uint16_t atom);
std::uint16_t AtomFromHotKeyId(int id);

// The desktop hotkey of an instance: Ctrl+F11 for the Windows 7 instance on
// "Desk2" (which switches back), F11 everywhere else.
HotKey SwitchHotKeyFor(const std::string& winVersionName, const std::string& instanceDesktop);

enum class HotKeyAction { None, HideTrayIcons, RestoreTrayIcons, SwitchToDesk2, SwitchToDefault };

struct HotKeyState {
    bool trayIconsHidden = false;
    std::string winVersionName;
    std::string ownDesktopName; // the instance's own desktop (not the input desktop)
    bool defaultDesktopChecked = false; // the mark of the tray item "默认桌面"
};

// What a WM_HOTKEY with these modifiers and key does. Anything but None is
// handled: the message result becomes 1 and the beep sounds before the action.
HotKeyAction HotKeyActionFor(unsigned modifiers, unsigned key, const HotKeyState& state);
