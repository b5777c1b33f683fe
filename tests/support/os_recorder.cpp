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

bool OsRecorder::CreateProcessOnDesktop(const std::string& application, STARTUPINFOA& start,
                                        PROCESS_INFORMATION& info)
{
    calls.push_back({"CreateProcess", application, start.lpDesktop ? start.lpDesktop : "", static_cast<long>(start.cb)});
    info = PROCESS_INFORMATION{};
    return false;
}

bool OsRecorder::TerminateProcess(HANDLE process, UINT exitCode)
{
    // The process id tells which process would have ended.
    calls.push_back({"Terminate", std::to_string(::GetProcessId(process)), "", static_cast<long>(exitCode)});
    return true;
}

bool OsRecorder::ExitSystem(UINT flags, DWORD reason)
{
    calls.push_back({"ExitWindows", "", "", static_cast<long>(flags)});
    (void)reason;
    return true;
}

bool OsRecorder::SwitchDesktop(HDESK desktop)
{
    char name[260] = {};
    DWORD needed = 0;
    ::GetUserObjectInformationA(desktop, UOI_NAME, name, sizeof name - 1, &needed);
    calls.push_back({"SwitchDesktop", name, "", 0});
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
