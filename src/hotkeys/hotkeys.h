// The program's global hotkeys on its main window: each registration takes
// its identifier from a global atom, each unregistration gives the atom back.
#pragma once
#include "hotkeys/hotkey_rules.h"

#include <windows.h>

class GlobalHotKeys {
public:
    GlobalHotKeys() = default;
    ~GlobalHotKeys();
    GlobalHotKeys(const GlobalHotKeys&) = delete;
    GlobalHotKeys& operator=(const GlobalHotKeys&) = delete;

    // Registers the hotkey on `window`. A combination that another program
    // holds fails silently: the key then simply never arrives.
    void Register(HWND window, HotKey hotKey);
    // Unregisters the identifier last stored for the hotkey and releases its atom.
    void Unregister(HWND window, HotKey hotKey);
    // The identifier stored by the last registration (0 before any).
    int Id(HotKey hotKey) const { return slot(hotKey).id; }

private:
    struct Slot {
        int id = 0;
        bool atomHeld = false; // this object added the atom and has not released it
    };
    Slot& slot(HotKey hotKey) { return slots_[static_cast<int>(hotKey)]; }
    const Slot& slot(HotKey hotKey) const { return slots_[static_cast<int>(hotKey)]; }

    Slot slots_[3];
};
