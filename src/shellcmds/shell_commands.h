// Explorer windows on folders and the system commands of the tray popup:
// control panel, Run, shut down, restart, log off and show desktop.
//
// Launches, the shut-down and the token changes go through the OS
// interface. Failures of the automation calls raise OleError for the
// application's error box; everything else is not reported.
#pragma once
#include "shellcmds/shell_automation.h"

#include <windows.h>

#include <string>

class ShellCommands {
public:
    // `showDesktopProgId` names the object that "show desktop" creates.
    explicit ShellCommands(
        const CLSID& shellClassId = kShellApplicationClassId, std::wstring showDesktopProgId = L"Shell.Application");

    // A new maximised Explorer window on `path`, taken as it is (not quoted,
    // not checked).
    static void OpenFolder(HWND owner, const std::string& path);
    static void OpenMyComputer(HWND owner);

    static void OpenControlPanel();
    // The shell's Run dialog, raised once it shows.
    void ShowRunDialog();
    // Enables the shut-down privilege and shuts down, forcing programs to
    // close; nothing happens when the process token cannot be opened.
    static void ShutDown();
    static void Restart();
    static void LogOff();
    // Minimises every window, through a fresh automation object.
    void ShowDesktop() const;

    TShell& Shell1() { return shell1_; }

private:
    TShell shell1_;
    std::wstring showDesktopProgId_;
};

// Looks for a top-level window titled exactly `title` 11 times, 500 ms
// apart, and brings the first one found to the top. Input waits meanwhile;
// painting and messages sent by other threads are still handled.
void WaitAndRaiseWindow(const std::string& title);
