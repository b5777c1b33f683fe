// Global hotkeys and the hiding of other programs' tray icons.
#include "app/unit1.h"

#include "tray/tray_icon.h"

namespace {
OSVERSIONINFOA WindowsVersion()
{
    OSVERSIONINFOA info{};
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

void TForm1::rejianyincangClick(MenuItem*) {}
void TForm1::yongrejianqiehuanzuomianClick(MenuItem*) {}
void TForm1::HotKeyMessage(WPARAM, LPARAM, LRESULT&) {}

void TForm1::kaisiyincangClick(MenuItem*)
{
    // Set first, also when there is no toolbar: the next Alt+L restores.
    TrayIconsHidden = true;
    TrayHider1.HidingPass(MakeTrayPassContext(*this));
    TrayButtonIndex = TrayHider1.TrayButtonIndex();
}

void TForm1::huifuClick(MenuItem*)
{
    TrayIconsHidden = false;
    TrayHider1.RestoringPass(MakeTrayPassContext(*this));
    TrayButtonIndex = TrayHider1.TrayButtonIndex();
}

HWND TForm1::FindTrayToolbar() { return TrayHider1.FindTrayToolbar(); }

void TForm1::LocateTrayButton(const std::string& text)
{
    const OSVERSIONINFOA version = WindowsVersion();
    TrayButtonIndex = TrayHider1.LocateTrayButton(text, version.dwMajorVersion, version.dwMinorVersion);
}
