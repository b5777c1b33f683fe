#include "framework/wow64_redirection.h"

#include <windows.h>

namespace {
using Disable = BOOL(WINAPI*)(PVOID*);
using Revert = BOOL(WINAPI*)(PVOID);
using IsWow64 = BOOL(WINAPI*)(HANDLE, PBOOL);

struct RedirectionCalls {
    Disable disable = nullptr;
    Revert revert = nullptr;
};

const RedirectionCalls& Calls()
{
    static const RedirectionCalls calls = [] {
        RedirectionCalls found;
        HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
        // Only a 32-bit process on 64-bit Windows has a redirection to turn
        // off; anywhere else the calls are left alone.
        const auto isWow64 = kernel
            ? reinterpret_cast<IsWow64>(reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")))
            : nullptr;
        BOOL wow64 = FALSE;
        if (isWow64 && isWow64(::GetCurrentProcess(), &wow64) && wow64) {
            found.disable = reinterpret_cast<Disable>(
                reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
            found.revert = reinterpret_cast<Revert>(
                reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
        }
        if (!found.disable || !found.revert)
            found = RedirectionCalls {};
        return found;
    }();
    return calls;
}
} // namespace

FileSystemRedirectionOff::FileSystemRedirectionOff()
{
    const RedirectionCalls& calls = Calls();
    off_ = calls.disable && calls.disable(&previous_);
}

FileSystemRedirectionOff::~FileSystemRedirectionOff()
{
    if (off_)
        Calls().revert(previous_);
}
