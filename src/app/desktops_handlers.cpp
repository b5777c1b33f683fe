// Setting up "Desk2" and switching between the two desktops.
#include "app/unit1.h"

#include "desktops/desktop_rules.h"
#include "desktops/desktops.h"

namespace {
std::string OwnExePath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void SwitchDesktop(const std::string& winVersionName, MenuItem* target, MenuItem* other, const char* desktopName)
{
    if (SwitchMovesMarks(winVersionName)) {
        target->SetChecked(true);
        other->SetChecked(false);
    }
    ReleaseForegroundFocus();
    TheDesktop().SwitchTo(desktopName);
}
} // namespace

void TForm1::LaunchOnDesktop(const std::string& desktopName)
{
    DeskLauncher.Launch(TheDesktop(), desktopName, {OwnExePath(), WindowsDir, WinVersionName, kCtfmonPath});
}

void TForm1::morenzuomianClick(MenuItem*) { SwitchDesktop(WinVersionName, morenzuomian, zuomian2, kDefaultDesktop); }

void TForm1::zuomian2Click(MenuItem*) { SwitchDesktop(WinVersionName, zuomian2, morenzuomian, kSecondDesktop); }
