// Global hotkeys and the hiding of other programs' tray icons.
#include "app/unit1.h"

#include "desktops/desktops.h"
#include "framework/os.h"

void TForm1::rejianyincangClick(MenuItem*)
{
    if (rejianyincang->Checked())
        HotKeys.Register(Handle(), HotKey::Hide);
    else
        HotKeys.Unregister(Handle(), HotKey::Hide);
}

void TForm1::yongrejianqiehuanzuomianClick(MenuItem*)
{
    const HotKey variant = SwitchHotKeyFor(WinVersionName, InstanceDesktop);
    if (yongrejianqiehuanzuomian->Checked())
        HotKeys.Register(Handle(), variant);
    else
        HotKeys.Unregister(Handle(), variant);
}

void TForm1::HotKeyMessage(WPARAM, LPARAM lParam, LRESULT& result)
{
    HotKeyState state;
    state.trayIconsHidden = TrayIconsHidden;
    state.winVersionName = WinVersionName;
    state.ownDesktopName = TheDesktop().CurrentDesktopName();
    state.defaultDesktopChecked = morenzuomian->Checked();
    const unsigned modifiers = LOWORD(lParam), key = HIWORD(lParam);
    const HotKeyAction action = HotKeyActionFor(modifiers, key, state);
    if (action == HotKeyAction::None)
        return;
    result = 1;
    // Heard before the action starts: the hiding pass can take a while.
    Os().MessageBeep(0);
    switch (action) {
    case HotKeyAction::HideTrayIcons:
        kaisiyincangClick(nullptr);
        break;
    case HotKeyAction::RestoreTrayIcons:
        huifuClick(nullptr);
        break;
    case HotKeyAction::SwitchToDesk2:
        zuomian2Click(nullptr);
        break;
    case HotKeyAction::SwitchToDefault:
        morenzuomianClick(nullptr);
        break;
    case HotKeyAction::None:
        break;
    }
}

void TForm1::kaisiyincangClick(MenuItem*) { TrayIconsHidden = true; }
void TForm1::huifuClick(MenuItem*) { TrayIconsHidden = false; }
