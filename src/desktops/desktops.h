// The window station's desktops: create one, switch to one, list them, and
// the name of the desktop this thread runs on (which decides the instance's role).
#pragma once
#include "framework/scoped.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TDesktop {
public:
    ~TDesktop();
    // Creates (or opens, if it exists) the named desktop and puts the name in
    // front of the list; raises the system error when the system refuses.
    DesktopHandle CreateNamedDesktop(const std::string& name);
    // The desktop names, enumerated on first use ("Winlogon" and "Disconnect" left out).
    const std::vector<std::string>& Desktops();
    void ClearDesktops();
    // Makes the named desktop the input desktop; raises the system error when
    // it cannot be opened.
    void SwitchTo(const std::string& name);
    // The name of the desktop this thread runs on ("Default" or another).
    std::string CurrentDesktopName() const;

private:
    static BOOL CALLBACK DesktopEnumCallback(LPSTR name, LPARAM object);
    std::unique_ptr<std::vector<std::string>> DesktopNames;
};

// The one shared desktop object, created on first use.
TDesktop& TheDesktop();

// Every desktop right and no standard rights.
constexpr ACCESS_MASK kDesktopAccess = 0x1FF;
