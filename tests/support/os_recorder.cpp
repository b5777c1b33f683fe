#include "support/os_recorder.h"

#include <shlwapi.h>

#include <cstdio>

std::vector<RecordedCall> OsRecorder::Of(const std::string& what) const
{
    std::vector<RecordedCall> matching;
    for (const RecordedCall& call : calls)
        if (call.what == what)
            matching.push_back(call);
    return matching;
}

std::vector<std::string> OsRecorder::TextsOf(const std::string& what) const
{
    std::vector<std::string> texts;
    for (const RecordedCall& call : calls)
        if (call.what == what)
            texts.push_back(call.text);
    return texts;
}

int OsRecorder::ShowMessageBox(HWND, const std::string& text, const std::string& caption, UINT type)
{
    calls.push_back({"MessageBox", text, caption, static_cast<long>(type)});
    return IDOK;
}

HINSTANCE OsRecorder::ShellExecuteFile(
    HWND, const std::string& verb, const std::string& file, const std::string& params, int show)
{
    calls.push_back({"ShellExecute", file, verb + "|" + params, show});
    return reinterpret_cast<HINSTANCE>(33);
}

std::string ItemsText(PCIDLIST_ABSOLUTE items)
{
    std::string name;
    IShellFolder* desktop = nullptr;
    STRRET text {};
    if (items && SUCCEEDED(::SHGetDesktopFolder(&desktop))
        && SUCCEEDED(desktop->GetDisplayNameOf(items, SHGDN_FORPARSING, &text))) {
        char buffer[MAX_PATH] = {};
        if (SUCCEEDED(::StrRetToBufA(&text, items, buffer, sizeof buffer)))
            name = buffer;
    }
    if (desktop)
        desktop->Release();
    return "items:" + name;
}

bool OsRecorder::StartThroughShell(const ShellStart& start)
{
    calls.push_back({"ShellExecute", start.items ? ItemsText(start.items) : start.file,
        start.verb + "|" + start.parameters, start.show, start.directory});
    return true;
}

UINT OsRecorder::WinExec(const std::string& commandLine, int show)
{
    calls.push_back({"WinExec", commandLine, "", show});
    return 33;
}

bool OsRecorder::CreateProcessOnDesktop(const std::string& application, STARTUPINFOA& start, PROCESS_INFORMATION& info)
{
    calls.push_back(
        {"CreateProcess", application, start.lpDesktop ? start.lpDesktop : "", static_cast<long>(start.cb)});
    info = PROCESS_INFORMATION {};
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
    calls.push_back({"ExitWindows", "", std::to_string(reason), static_cast<long>(flags)});
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

std::string HandleText(HANDLE handle)
{
    char text[32];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(handle)));
    return text;
}

bool OsRecorder::OpenProcessToken(DWORD access, HANDLE& token)
{
    calls.push_back({"OpenToken", "", "", static_cast<long>(access)});
    token = tokenOpens ? FakeToken() : nullptr;
    return tokenOpens;
}

bool OsRecorder::LookupPrivilegeValue(const std::string& name, LUID& luid)
{
    calls.push_back({"LookupPrivilege", name, "", 0});
    luid = kShutdownLuid;
    return true;
}

bool OsRecorder::AdjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& state, DWORD length)
{
    std::string record = "count=" + std::to_string(state.PrivilegeCount);
    if (state.PrivilegeCount >= 1)
        record += " luid=" + std::to_string(state.Privileges[0].Luid.HighPart) + ":"
            + std::to_string(state.Privileges[0].Luid.LowPart)
            + " attributes=" + std::to_string(state.Privileges[0].Attributes);
    calls.push_back({"AdjustPrivileges", HandleText(token), record, static_cast<long>(length)});
    return true;
}

bool OsRecorder::CloseToken(HANDLE token)
{
    calls.push_back({"CloseToken", HandleText(token), "", 0});
    return true;
}
