// Global hotkeys and the hiding of other programs' tray icons.
#include "app/unit1.h"

#include "desktops/desktops.h"
#include "framework/os.h"
#include "hotkeys/hide_record_file.h"
#include "tray/tray_icon.h"

#include <algorithm>

namespace {
OSVERSIONINFOA WindowsVersion()
{
    OSVERSIONINFOA info {};
    info.dwOSVersionInfoSize = sizeof info;
    ::GetVersionExA(&info);
    return info;
}

TrayPassContext MakeTrayPassContext(TForm1& form)
{
    const OSVERSIONINFOA version = WindowsVersion();
    TrayPassContext context;
    context.majorVersion = version.dwMajorVersion;
    context.minorVersion = version.dwMinorVersion;
    context.setOwnIconActive = [&form](bool active) {
        if (form.TrayIcon1)
            form.TrayIcon1->SetActive(active);
    };
    context.refreshTray = [&form] { form.houculiClick(nullptr); };
    return context;
}
} // namespace

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

void TForm1::kaisiyincangClick(MenuItem*)
{
    // Set first, also when there is no toolbar: the next Alt+L restores.
    TrayIconsHidden = true;
    TrayHider1.HidingPass(MakeTrayPassContext(*this), [this](const std::vector<int>& ids) {
        if (TrayHideRecordPath.empty())
            return;
        // What an earlier pass hid stays hidden too. A folder we cannot write
        // to costs only the record: the icons are hidden all the same.
        std::vector<int> recorded = TrayHider1.HiddenIds();
        for (int id : ids) {
            if (std::find(recorded.begin(), recorded.end(), id) == recorded.end())
                recorded.push_back(id);
        }
        SaveHideRecord(TrayHideRecordPath, recorded);
    });
}

void TForm1::huifuClick(MenuItem*)
{
    TrayIconsHidden = false;
    // Ids an earlier run hid and never showed again are shown with the rest.
    const std::optional<HideRecord> record
        = TrayHideRecordPath.empty() ? std::nullopt : LoadHideRecord(TrayHideRecordPath);
    if (record) {
        std::vector<int> hidden = TrayHider1.HiddenIds();
        hidden.insert(hidden.end(), record->ids.begin(), record->ids.end());
        TrayHider1.SetHiddenIds(hidden);
    }
    // A shell we could not read keeps the record for the next try.
    if (TrayHider1.RestoringPass(MakeTrayPassContext(*this)) && record)
        DeleteHideRecord(TrayHideRecordPath);
}

void TForm1::RestoreLeftHidden()
{
    // A copy started at the same time waits here and then finds no record.
    HideRecordLock lock(TheDesktop().CurrentDesktopName());
    if (lock.Held() && LoadHideRecord(TrayHideRecordPath))
        huifuClick(nullptr);
}

void TForm1::TaskbarRecreated()
{
    // A new shell shows every icon: nothing is hidden any more, so the next
    // Alt+L hides instead of restoring nothing.
    TrayIconsHidden = false;
    TrayHider1.SetHiddenIds({});
    if (!TrayHideRecordPath.empty())
        DeleteHideRecord(TrayHideRecordPath);
}

HWND TForm1::FindTrayToolbar() { return TrayHider1.FindTrayToolbar(); }

void TForm1::LocateTrayButton(const std::string& text)
{
    const OSVERSIONINFOA version = WindowsVersion();
    TrayHider1.LocateTrayButton(text, version.dwMajorVersion, version.dwMinorVersion);
}
