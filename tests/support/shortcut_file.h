// Real shortcut (.lnk) files written through the shell's own link object, for
// tests and benchmarks that build shortcut trees. COM must be started on the
// calling thread. Header-only, so that programs which do not link the test
// support (the benchmarks) can use it too.
#pragma once
#include "framework/scoped.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <string>

namespace shortcut_file_detail {
// The shell saves to a wide path; ours are ANSI (code page 936 under Wine).
inline std::wstring Wide(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}
} // namespace shortcut_file_detail

// Writes a shortcut to `target` at `path` (its folder must exist), with
// command-line arguments and a working folder when given. False when the link
// object cannot be made or the file cannot be written.
inline bool SaveShortcut(const std::string& path, const std::string& target, const std::string& arguments = "",
    const std::string& workingDir = "")
{
    ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())))
        return false;
    link->SetPath(target.c_str());
    if (!arguments.empty())
        link->SetArguments(arguments.c_str());
    if (!workingDir.empty())
        link->SetWorkingDirectory(workingDir.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
        return false;
    return SUCCEEDED(file->Save(shortcut_file_detail::Wide(path).c_str(), TRUE));
}
