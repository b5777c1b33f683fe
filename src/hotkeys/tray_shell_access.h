// What the tray-icon hiding passes ask of the system: window lookups,
// messages to the shell's toolbar and access to the shell's memory. Tests
// and the benchmark wrap the real access to count or refuse calls.
#pragma once
#include <windows.h>

#include <cstddef>

class TrayShellAccess {
public:
    virtual ~TrayShellAccess() = default;

    // FindWindowExA(parent, no sibling, className, no window name).
    virtual HWND FindChildWindow(HWND parent, const char* className) = 0;
    virtual DWORD WindowProcessId(HWND window) = 0;
    // Opened with PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE; null on failure.
    virtual HANDLE OpenShellProcess(DWORD processId) = 0;
    virtual void CloseShellProcess(HANDLE process) = 0;
    // Whether the process runs under the 32-bit layer of a 64-bit system;
    // false where the system cannot say (before that layer existed).
    virtual bool IsWow64(HANDLE process) = 0;
    // A committed read/write block in the process; null on failure.
    virtual void* ReserveBlock(HANDLE process, std::size_t size) = 0;
    virtual void ReleaseBlock(HANDLE process, void* block) = 0;
    virtual bool WriteMemory(HANDLE process, void* remote, const void* data, std::size_t size) = 0;
    virtual bool ReadMemory(HANDLE process, const void* remote, void* data, std::size_t size) = 0;
    virtual LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// The system's own calls.
class Win32TrayShellAccess : public TrayShellAccess {
public:
    HWND FindChildWindow(HWND parent, const char* className) override;
    DWORD WindowProcessId(HWND window) override;
    HANDLE OpenShellProcess(DWORD processId) override;
    void CloseShellProcess(HANDLE process) override;
    bool IsWow64(HANDLE process) override;
    void* ReserveBlock(HANDLE process, std::size_t size) override;
    void ReleaseBlock(HANDLE process, void* block) override;
    bool WriteMemory(HANDLE process, void* remote, const void* data, std::size_t size) override;
    bool ReadMemory(HANDLE process, const void* remote, void* data, std::size_t size) override;
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};
