#include "framework/os.h"

#include <mmsystem.h>
#include <shellapi.h>

int OsInterface::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

HINSTANCE OsInterface::ShellExecuteFile(
    HWND owner, const std::string& verb, const std::string& file, const std::string& params, int show)
{
    return ::ShellExecuteA(owner, verb.c_str(), file.c_str(), params.empty() ? nullptr : params.c_str(), nullptr, show);
}

bool OsInterface::StartThroughShell(const ShellStart& start)
{
    SHELLEXECUTEINFOA info {};
    info.cbSize = sizeof info;
    info.fMask = start.items ? SEE_MASK_INVOKEIDLIST : 0;
    info.hwnd = start.owner;
    info.lpVerb = start.verb.empty() ? nullptr : start.verb.c_str();
    info.lpFile = start.items ? nullptr : start.file.c_str();
    info.lpParameters = start.parameters.empty() ? nullptr : start.parameters.c_str();
    info.lpDirectory = start.directory.empty() ? nullptr : start.directory.c_str();
    info.nShow = start.show;
    info.lpIDList = const_cast<ITEMIDLIST*>(start.items);
    return ::ShellExecuteExA(&info) != FALSE;
}

bool SystemIsWine()
{
    // Every Wine's ntdll has this export; Windows' never has.
    static const bool wine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool OsInterface::RunsUnderWine() { return SystemIsWine(); }

UINT OsInterface::WinExec(const std::string& commandLine, int show) { return ::WinExec(commandLine.c_str(), show); }

bool OsInterface::CreateProcessOnDesktop(const std::string& application, STARTUPINFOA& start, PROCESS_INFORMATION& info)
{
    info = PROCESS_INFORMATION {};
    if (::CreateProcessA(application.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &info))
        return true;
    info = PROCESS_INFORMATION {};
    return false;
}

bool OsInterface::TerminateProcess(HANDLE process, UINT exitCode)
{
    return ::TerminateProcess(process, exitCode) != FALSE;
}

bool OsInterface::ExitSystem(UINT flags, DWORD reason) { return ::ExitWindowsEx(flags, reason) != FALSE; }

bool OsInterface::SwitchDesktop(HDESK desktop) { return ::SwitchDesktop(desktop) != FALSE; }

bool OsInterface::PlaySoundAsync(const std::string& waveFile)
{
    return ::sndPlaySoundA(waveFile.c_str(), SND_ASYNC | SND_NODEFAULT) != FALSE;
}

bool OsInterface::MessageBeep(UINT type) { return ::MessageBeep(type) != FALSE; }

bool OsInterface::OpenProcessToken(DWORD access, HANDLE& token)
{
    token = nullptr;
    return ::OpenProcessToken(::GetCurrentProcess(), access, &token) != FALSE;
}

bool OsInterface::LookupPrivilegeValue(const std::string& name, LUID& luid)
{
    return ::LookupPrivilegeValueA(nullptr, name.c_str(), &luid) != FALSE;
}

bool OsInterface::AdjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& state, DWORD length)
{
    // The call wants writable records; the previous state is taken and dropped.
    TOKEN_PRIVILEGES newState = state;
    TOKEN_PRIVILEGES previous {};
    DWORD previousLength = 0;
    return ::AdjustTokenPrivileges(token, FALSE, &newState, length, &previous, &previousLength) != FALSE;
}

bool OsInterface::CloseToken(HANDLE token) { return ::CloseHandle(token) != FALSE; }

namespace {
OsInterface realOs;
OsInterface* current = &realOs;
} // namespace

OsInterface& Os() { return *current; }

void SetOs(OsInterface* os) { current = os ? os : &realOs; }
