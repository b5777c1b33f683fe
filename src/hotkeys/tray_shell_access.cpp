#include "hotkeys/tray_shell_access.h"

#include <cstring>

HWND Win32TrayShellAccess::FindChildWindow(HWND parent, const char* className)
{
    return ::FindWindowExA(parent, nullptr, className, nullptr);
}

DWORD Win32TrayShellAccess::WindowProcessId(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

HANDLE Win32TrayShellAccess::OpenShellProcess(DWORD processId)
{
    return ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
}

void Win32TrayShellAccess::CloseShellProcess(HANDLE process) { ::CloseHandle(process); }

bool Win32TrayShellAccess::IsWow64(HANDLE process)
{
    // Absent before Windows XP SP2; such systems are 32-bit throughout.
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    FARPROC address = kernel ? ::GetProcAddress(kernel, "IsWow64Process") : nullptr;
    if (!address)
        return false;
    IsWow64Fn isWow64 = nullptr;
    static_assert(sizeof isWow64 == sizeof address, "function pointer sizes");
    std::memcpy(&isWow64, &address, sizeof isWow64);
    BOOL wow64 = FALSE;
    return isWow64(process, &wow64) && wow64;
}

void* Win32TrayShellAccess::ReserveBlock(HANDLE process, std::size_t size)
{
    return ::VirtualAllocEx(process, nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void Win32TrayShellAccess::ReleaseBlock(HANDLE process, void* block)
{
    ::VirtualFreeEx(process, block, 0, MEM_RELEASE);
}

bool Win32TrayShellAccess::WriteMemory(HANDLE process, void* remote, const void* data, std::size_t size)
{
    SIZE_T written = 0;
    return ::WriteProcessMemory(process, remote, data, size, &written) && written == size;
}

bool Win32TrayShellAccess::ReadMemory(HANDLE process, const void* remote, void* data, std::size_t size)
{
    SIZE_T read = 0;
    return ::ReadProcessMemory(process, remote, data, size, &read) && read == size;
}

LRESULT Win32TrayShellAccess::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(window, message, wParam, lParam);
}
