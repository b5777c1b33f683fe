// The outward operations of the program: everything that launches, ends,
// switches, shuts down, sounds or asks the user. Tests install a recorder in
// place of the real implementation so nothing destructive runs for real.
#pragma once
#include <windows.h>

#include <string>

class OsInterface {
public:
    virtual ~OsInterface() = default;

    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
    virtual HINSTANCE ShellExecuteFile(
        HWND owner, const std::string& verb, const std::string& file, const std::string& params, int show);
    virtual UINT WinExec(const std::string& commandLine, int show);
    // Starts `application` with no command line, inheriting the environment
    // and current folder; `start` names the desktop. False (and `info` empty)
    // when it could not be started.
    virtual bool CreateProcessOnDesktop(const std::string& application, STARTUPINFOA& start, PROCESS_INFORMATION& info);
    virtual bool TerminateProcess(HANDLE process, UINT exitCode);
    virtual bool ExitSystem(UINT flags, DWORD reason);
    virtual bool SwitchDesktop(HDESK desktop);
    virtual bool PlaySoundAsync(const std::string& waveFile);
    virtual bool MessageBeep(UINT type);
    // The shut-down privilege of this process's token, one step per call.
    // OpenProcessToken opens the current process's token with `access`.
    virtual bool OpenProcessToken(DWORD access, HANDLE& token);
    virtual bool LookupPrivilegeValue(const std::string& name, LUID& luid);
    virtual bool AdjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& state, DWORD length);
    virtual bool CloseToken(HANDLE token);
};

// The interface in force; the real one unless a test installed another.
OsInterface& Os();
// Installs `os` (not owned); nullptr puts the real implementation back.
void SetOs(OsInterface* os);
