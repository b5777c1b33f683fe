#include "support/os_recorder.h"

std::vector<RecordedCall> OsRecorder::Of(const std::string& what) const
{
    std::vector<RecordedCall> matching;
    for (const RecordedCall& call : calls)
        if (call.what == what)
            matching.push_back(call);
    return matching;
}

int OsRecorder::ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT type)
{
    calls.push_back({"MessageBox", text, caption, static_cast<long>(type)});
    return IDOK;
}

HINSTANCE OsRecorder::ShellExecuteFile(HWND, const std::string& verb, const std::string& file,
                                       const std::string& params, int show)
{
    calls.push_back({"ShellExecute", file, verb + "|" + params, show});
    return reinterpret_cast<HINSTANCE>(33);
}

UINT OsRecorder::WinExec(const std::string& commandLine, int show)
{
    calls.push_back({"WinExec", commandLine, "", show});
    return 33;
}

bool OsRecorder::CreateProcessOnDesktop(const std::string& application, const std::string& desktop,
                                        PROCESS_INFORMATION& info)
{
    calls.push_back({"CreateProcess", application, desktop, 0});
    info = PROCESS_INFORMATION{};
    return false;
}

bool OsRecorder::TerminateProcess(HANDLE process, UINT exitCode)
{
    calls.push_back({"Terminate", "", "", static_cast<long>(exitCode)});
    (void)process;
    return true;
}

bool OsRecorder::ExitSystem(UINT flags, DWORD reason)
{
    calls.push_back({"ExitWindows", "", "", static_cast<long>(flags)});
    (void)reason;
    return true;
}

bool OsRecorder::SwitchDesktop(HDESK)
{
    calls.push_back({"SwitchDesktop", "", "", 0});
    return true;
}

bool OsRecorder::PlaySoundAsync(const std::string& waveFile)
{
    calls.push_back({"PlaySound", waveFile, "", 0});
    return true;
}

bool OsRecorder::MessageBeep(UINT type)
{
    calls.push_back({"Beep", "", "", static_cast<long>(type)});
    return true;
}
