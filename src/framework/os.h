// The outward operations of the program: everything that launches, ends,
// switches, shuts down, sounds or asks the user. Tests install a recorder in
// place of the real implementation so nothing destructive runs for real.
#pragma once
#include <windows.h>

#include <shlobj.h>

#include <string>

// One start through the shell, as Explorer starts a file or a shell item.
struct ShellStart {
    HWND owner = nullptr;
    std::string verb; // "open", "runas"
    // The file to start, or the shell item when `items` is set (then `file`
    // is empty). The item list is not owned.
    std::string file;
    PCIDLIST_ABSOLUTE items = nullptr;
    std::string parameters; // empty: none
    std::string directory; // empty: the caller's current folder
    int show = SW_SHOWNORMAL;
};

class OsInterface {
public:
    virtual ~OsInterface() = default;

    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
    virtual HINSTANCE ShellExecuteFile(
        HWND owner, const std::string& verb, const std::string& file, const std::string& params, int show);
    // ShellExecuteEx of `start`. The shell reports its own failures to the
    // user; false when it failed.
    virtual bool StartThroughShell(const ShellStart& start);
    // Whether the system is Wine rather than Windows (asked once).
    virtual bool RunsUnderWine();
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

// Whether this is Wine rather than Windows, asked of the system itself (no
// test stands in for it): for the platform's own differences, such as where
// it sends typed keys or what its menus make of an answer.
bool SystemIsWine();

// The interface in force; the real one unless a test installed another.
OsInterface& Os();
// Installs `os` (not owned); nullptr puts the real implementation back.
void SetOs(OsInterface* os);
