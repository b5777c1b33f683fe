#include "launcher/sys_hook_loader.h"

#include "framework/errors.h"
#include "framework/os.h"

#include <cctype>
#include <cstdio>

namespace {

const char kDllExtension[] = ".dll";
const char kNotUnloaded[] = "SysHook DLL was not unloaded!";
const char kLoaderCaption[] = "SysHookLoader";

const char* const kResultTexts[] = {
    "No error.",
    "DLL doesn't export all required functions.",
    "Receiver already registered.",
    "Receiver not registered.",
    "Too many receivers.",
    "System hook already installed.",
};

struct LoaderState {
    HMODULE library = nullptr;
    int loads = 0;
    AttachReceiverProc attach = nullptr;
    DetachReceiverProc detach = nullptr;
    LastErrorProc lastError = nullptr;
};

LoaderState state;

// The extension of the file name part of `path`, with its dot; "" if none.
std::string Extension(const std::string& path)
{
    const std::string::size_type dot = path.find_last_of(".\\/:");
    if (dot == std::string::npos || path[dot] != '.')
        return std::string();
    return path.substr(dot);
}

bool SameTextAscii(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string WithDllExtension(const std::string& path)
{
    return path.substr(0, path.size() - Extension(path).size()) + kDllExtension;
}

template <class Proc> Proc Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

// Warns at the program's end about a library still loaded. Os() is a plain
// global set up before this object, so it is still there when this runs.
struct LoaderShutDown {
    ~LoaderShutDown() { ShutDownHookLoader(); }
} shutDown;

} // namespace

int LoadHookDLL(const std::string& name)
{
    if (state.library) {
        ++state.loads;
        return 0;
    }
    // A hook library that cannot load must not bring up the system's own
    // error box in the middle of start-up.
    const UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = ::LoadLibraryA(name.c_str());
    DWORD error = library ? 0 : ::GetLastError();
    if (!library && !SameTextAscii(Extension(name), kDllExtension)) {
        library = ::LoadLibraryA(WithDllExtension(name).c_str());
        if (!library)
            error = ::GetLastError();
    }
    ::SetErrorMode(previousMode);
    if (!library)
        return static_cast<int>(error);

    state.library = library;
    state.loads = 1;
    state.attach = Export<AttachReceiverProc>(library, "AttachReceiver");
    state.detach = Export<DetachReceiverProc>(library, "DetachReceiver");
    state.lastError = Export<LastErrorProc>(library, "LastError");
    if (!state.attach || !state.detach || !state.lastError) {
        UnloadHookDLL();
        return kHookMissingExports;
    }
    return 0;
}

void UnloadHookDLL()
{
    if (!state.library)
        return;
    if (--state.loads > 0)
        return;
    ::FreeLibrary(state.library);
    state = LoaderState();
}

std::string HookErrorText(int code)
{
    if (code > 0)
        return SystemErrorMessage(static_cast<DWORD>(code));
    if (code >= -5)
        return kResultTexts[-code];
    char text[48];
    std::snprintf(text, sizeof text, "Unknown error %d", code);
    return text;
}

AttachReceiverProc HookAttachReceiver() { return state.attach; }
HMODULE HookDLLHandle() { return state.library; }
int HookDLLLoadCount() { return state.loads; }

void ShutDownHookLoader()
{
    if (state.library)
        Os().ShowMessageBox(nullptr, kNotUnloaded, kLoaderCaption, MB_OK | MB_ICONWARNING);
}
