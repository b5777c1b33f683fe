#include "desktops/desktops.h"

#include "framework/errors.h"
#include "framework/os.h"

#include <cstring>

TDesktop& TheDesktop()
{
    static TDesktop desktop;
    return desktop;
}

TDesktop::~TDesktop() = default;

HDESK TDesktop::CreateNamedDesktop(const std::string& name)
{
    HDESK desktop = ::CreateDesktopA(name.c_str(), nullptr, nullptr, 0, kDesktopAccess, nullptr);
    if (!desktop)
        RaiseLastOsError();
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
    if (std::strcmp(name, "Winlogon") != 0 && std::strcmp(name, "Disconnect") != 0)
        self->DesktopNames->push_back(name);
    return TRUE;
}

void TDesktop::ClearDesktops() { DesktopNames.reset(); }

void TDesktop::SwitchTo(const std::string& name)
{
    HDESK desktop = ::OpenDesktopA(name.c_str(), DF_ALLOWOTHERACCOUNTHOOK, FALSE, kDesktopAccess);
    if (!desktop)
        RaiseLastOsError();
    Os().SwitchDesktop(desktop);
    ::CloseDesktop(desktop);
}

std::string TDesktop::CurrentDesktopName() const
{
    char name[260] = {};
    DWORD needed = 0;
    ::GetUserObjectInformationA(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, name, sizeof name - 1, &needed);
    return name;
}
