// Stands in for the OS interface in tests: records every outward call and
// answers message boxes at once.
#pragma once
#include "framework/os.h"

#include <string>
#include <utility>
#include <vector>

struct RecordedCall {
    RecordedCall(std::string what_, std::string text_, std::string detail_, long number_, std::string directory_ = "")
        : what(std::move(what_))
        , text(std::move(text_))
        , detail(std::move(detail_))
        , number(number_)
        , directory(std::move(directory_))
    {
    }
    std::string what; // "MessageBox", "ShellExecute", "WinExec", "Terminate", ...
    std::string text; // message text, file, command line, desktop, ...
    std::string detail; // caption, parameters, ...
    long number = 0; // style, show command, exit code, flags
    std::string directory; // a shell start's start-in folder
};

// How a shell start names a shell item: "items:" and its parsing name.
std::string ItemsText(PCIDLIST_ABSOLUTE items);

class OsRecorder : public OsInterface {
public:
    OsRecorder() { SetOs(this); }
    ~OsRecorder() override { SetOs(nullptr); }
    OsRecorder(const OsRecorder&) = delete;
    OsRecorder& operator=(const OsRecorder&) = delete;

    std::vector<RecordedCall> calls;
    // The calls of one kind, in order.
    std::vector<RecordedCall> Of(const std::string& what) const;
    // The `text` of each call of one kind, in order.
    std::vector<std::string> TextsOf(const std::string& what) const;

    int ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override;
    HINSTANCE ShellExecuteFile(
        HWND, const std::string& verb, const std::string& file, const std::string& params, int show) override;
    // Recorded as "ShellExecute" too: text = the file (or ItemsText), detail =
    // verb|parameters, number = show command, directory.
    bool StartThroughShell(const ShellStart& start) override;
    // What the program is told about the system: Windows unless set.
    bool RunsUnderWine() override { return wine; }
    bool wine = false;
    UINT WinExec(const std::string& commandLine, int show) override;
    // Records the application, the desktop of the start record and the
    // record's size; starts nothing.
    bool CreateProcessOnDesktop(
        const std::string& application, STARTUPINFOA& start, PROCESS_INFORMATION& info) override;
    bool TerminateProcess(HANDLE process, UINT exitCode) override;
    bool ExitSystem(UINT flags, DWORD reason) override;
    bool SwitchDesktop(HDESK desktop) override;
    bool PlaySoundAsync(const std::string& waveFile) override;
    bool MessageBeep(UINT type) override;

    // Token calls: "OpenToken" (number = access), "LookupPrivilege" (text =
    // name), "AdjustPrivileges" (text = token, detail = the record, number =
    // length), "CloseToken" (text = token). Nothing real is touched.
    bool OpenProcessToken(DWORD access, HANDLE& token) override;
    bool LookupPrivilegeValue(const std::string& name, LUID& luid) override;
    bool AdjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& state, DWORD length) override;
    bool CloseToken(HANDLE token) override;
    // False makes OpenProcessToken fail, as for a process without the right.
    bool tokenOpens = true;
    // What the recorder hands out.
    static constexpr LUID kShutdownLuid {0x13, 0};
    static HANDLE FakeToken() { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x5150)); }
};

// A handle as the recorder writes it: its value in hexadecimal.
std::string HandleText(HANDLE handle);
