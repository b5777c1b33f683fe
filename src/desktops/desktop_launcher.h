// Sets up a second desktop (this program, ctfmon and a shell started on it)
// and ends what it started there at shut-down; also the focus step that runs
// before each desktop switch.
#pragma once
#include "framework/scoped.h"

#include <windows.h>

#include <string>

class TDesktop;

struct DesktopLaunchInputs {
    std::string ownExe; // the running executable, started again on the desktop
    std::string windowsDir; // where explorer.exe lies, without a trailing backslash
    std::string winVersionName; // "winVista" and "win7" start no ctfmon
    std::string ctfmonPath; // ctfmon is started only when this file exists
};

class DesktopLauncher {
public:
    // Creates the desktop (a refusal raises before anything is started) and
    // starts the programs on it. Runs once per program run.
    void Launch(TDesktop& desktops, const std::string& desktopName, const DesktopLaunchInputs& inputs);
    // Terminates the instance and ctfmon that Launch started, each with its
    // current exit code; nothing when this instance started none.
    void EndStartedProcesses();

    HANDLE DeskInstanceProcess() const { return deskInstanceProcess_.Get(); }
    HANDLE CtfmonProcess() const { return ctfmonProcess_.Get(); }

private:
    KernelHandle deskInstanceProcess_;
    KernelHandle ctfmonProcess_;
};

// Lets the foreground thread's input go before a switch: attaches this
// thread's input to it and detaches it again at once.
void ReleaseForegroundFocus();
