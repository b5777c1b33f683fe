#include "hotkeys/hotkeys.h"

GlobalHotKeys::~GlobalHotKeys()
{
    // The window's registrations end with the window; the atoms are the
    // system's and must be handed back.
    for (Slot& s : slots_)
        if (s.atomHeld)
            ::GlobalDeleteAtom(AtomFromHotKeyId(s.id));
}

void GlobalHotKeys::Register(HWND window, HotKey hotKey)
{
    const HotKeySpec keyDef = HotKeySpecOf(hotKey);
    Slot& s = slot(hotKey);
    // Adding the same name again yields the same atom, so the identifier stays
    // the same across registrations; one reference per slot keeps the count even.
    const ATOM atom = ::GlobalAddAtomA(keyDef.atomName);
    if (atom && s.atomHeld)
        ::GlobalDeleteAtom(atom);
    else if (atom)
        s.atomHeld = true;
    s.id = HotKeyIdFromAtom(atom);
    ::RegisterHotKey(window, s.id, keyDef.modifiers, keyDef.key);
}

void GlobalHotKeys::Unregister(HWND window, HotKey hotKey)
{
    Slot& s = slot(hotKey);
    ::UnregisterHotKey(window, s.id);
    // Only an atom this object added is released: an identifier never
    // registered would otherwise release somebody else's atom.
    if (s.atomHeld) {
        ::GlobalDeleteAtom(AtomFromHotKeyId(s.id));
        s.atomHeld = false;
    }
}
