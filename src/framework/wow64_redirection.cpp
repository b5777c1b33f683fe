#include "framework/wow64_redirection.h"

#include <windows.h>

namespace {
using Disable = BOOL(WINAPI*)(PVOID*);
using Revert = BOOL(WINAPI*)(PVOID);

struct RedirectionCalls {
    Disable disable = nullptr;
    Revert revert = nullptr;
};

const RedirectionCalls& Calls()
{
    static const RedirectionCalls calls = [] {
        RedirectionCalls found;
        if (HMODULE kernel = ::GetModuleHandleA("kernel32.dll")) {
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
