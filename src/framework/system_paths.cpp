#include "framework/system_paths.h"

#include <windows.h>

namespace {
// LOAD_LIBRARY_SEARCH_DEFAULT_DIRS: the program's folder, System32 and
// folders added on purpose; never the current folder or PATH.
constexpr DWORD kSearchDefaultFolders = 0x00001000;

template <class Proc> Proc KernelProc(const char* name)
{
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(kernel, name))) : nullptr;
}

// A folder the system writes into a buffer: MAX_PATH characters, or the
// longer size it asks for.
template <class Query> std::string FolderFrom(Query query)
{
    std::string folder(MAX_PATH, '\0');
    UINT length = query(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.assign(length + 1, '\0');
        length = query(folder.data(), static_cast<UINT>(folder.size()));
    }
    folder.resize(length < folder.size() ? length : 0);
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}
} // namespace

std::string SystemFolder()
{
    return FolderFrom([](char* buffer, UINT size) { return ::GetSystemDirectoryA(buffer, size); });
}

std::string SystemWindowsFolder()
{
    return FolderFrom([](char* buffer, UINT size) { return ::GetSystemWindowsDirectoryA(buffer, size); });
}

std::string PathIn(const std::string& folder, const char* name) { return folder + "\\" + name; }

void RestrictLibrarySearch()
{
    // Windows 8, and Windows Vista/7 with update KB2533623.
    using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
    if (auto setDefault = KernelProc<SetDefaultDllDirectoriesProc>("SetDefaultDllDirectories"))
        setDefault(kSearchDefaultFolders);
    // Windows XP SP1 and later: an empty string drops the current folder.
    using SetDllDirectoryProc = BOOL(WINAPI*)(LPCSTR);
    if (auto setDirectory = KernelProc<SetDllDirectoryProc>("SetDllDirectoryA"))
        setDirectory("");
}
