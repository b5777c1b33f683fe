#include "desktops/desktops.h"

#include "desktops/desktop_rules.h"
#include "framework/errors.h"
#include "framework/os.h"

TDesktop& TheDesktop()
{
    static TDesktop desktop;
    return desktop;
}

TDesktop::~TDesktop() = default;

DesktopHandle TDesktop::CreateNamedDesktop(const std::string& name)
{
    DesktopHandle desktop(::CreateDesktopA(name.c_str(), nullptr, nullptr, 0, kDesktopAccess, nullptr));
    if (!desktop)
        RaiseLastOsError();
    // An existing desktop is opened instead; its name goes in front all the same.
    Desktops();
    DesktopNames->insert(DesktopNames->begin(), name);
    return desktop;
}

const std::vector<std::string>& TDesktop::Desktops()
{
    if (!DesktopNames) {
        DesktopNames = std::make_unique<std::vector<std::string>>();
        ::EnumDesktopsA(::GetProcessWindowStation(), DesktopEnumCallback, reinterpret_cast<LPARAM>(this));
    }
    return *DesktopNames;
}

BOOL CALLBACK TDesktop::DesktopEnumCallback(LPSTR name, LPARAM object)
{
    auto* self = reinterpret_cast<TDesktop*>(object);
    if (IsListedDesktopName(name))
        self->DesktopNames->push_back(name);
    return TRUE;
}

void TDesktop::ClearDesktops() { DesktopNames.reset(); }

void TDesktop::SwitchTo(const std::string& name)
{
    DesktopHandle desktop(::OpenDesktopA(name.c_str(), DF_ALLOWOTHERACCOUNTHOOK, FALSE, kDesktopAccess));
    if (!desktop)
        RaiseLastOsError();
    Os().SwitchDesktop(desktop.Get());
}

std::string TDesktop::CurrentDesktopName() const
{
    // The last byte stays zero, so a failed or cut query still ends the text.
    char name[260] = {};
    DWORD needed = 0;
    ::GetUserObjectInformationA(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, name, sizeof name - 1, &needed);
    return name;
}
