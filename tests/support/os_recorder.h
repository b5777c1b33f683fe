// Stands in for the OS interface in tests: records every outward call and
// answers message boxes at once.
#pragma once
#include "framework/os.h"

#include <string>
#include <vector>

struct RecordedCall {
    std::string what;   // "MessageBox", "ShellExecute", "WinExec", "Terminate", ...
    std::string text;   // message text, file, command line, desktop, ...
    std::string detail; // caption, parameters, ...
    long number = 0;    // style, show command, exit code, flags
};

class OsRecorder : public OsInterface {
public:
    OsRecorder() { SetOs(this); }
    ~OsRecorder() override { SetOs(nullptr); }
    OsRecorder(const OsRecorder&) = delete;
    OsRecorder& operator=(const OsRecorder&) = delete;

    std::vector<RecordedCall> calls;
    // The calls of one kind, in order.
    std::vector<RecordedCall> Of(const std::string& what) const;

    int ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override;
    HINSTANCE ShellExecuteFile(HWND, const std::string& verb, const std::string& file, const std::string& params,
                               int show) override;
    UINT WinExec(const std::string& commandLine, int show) override;
    // Records the application, the desktop of the start record and the
    // record's size; starts nothing.
    bool CreateProcessOnDesktop(const std::string& application, STARTUPINFOA& start,
                                PROCESS_INFORMATION& info) override;
    bool TerminateProcess(HANDLE process, UINT exitCode) override;
    bool ExitSystem(UINT flags, DWORD reason) override;
    bool SwitchDesktop(HDESK desktop) override;
    bool PlaySoundAsync(const std::string& waveFile) override;
    bool MessageBeep(UINT type) override;
};
