#include "launcher/shell_link.h"

#include "framework/errors.h"
#include "framework/scoped.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <vector>

namespace {
[[noreturn]] void ThrowComError(HRESULT result)
{
    std::string text = SystemErrorMessage(static_cast<DWORD>(result));
    if (text.empty()) {
        char code[32];
        std::snprintf(code, sizeof code, "OLE error %08lX", static_cast<unsigned long>(result));
        text = code;
    }
    throw Exception(text);
}

std::wstring Widen(const std::string& text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return std::wstring(wide.data());
}
} // namespace

std::string ResolveLinkTarget(const std::string& shortcutPath)
{
    ComPtr<IShellLinkA> link;
    HRESULT result
        = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid());
    if (FAILED(result))
        ThrowComError(result);
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.PutVoid());
    if (FAILED(result))
        ThrowComError(result);

    const std::wstring widePath = Widen(shortcutPath);
    if (widePath.empty() || FAILED(file->Load(widePath.c_str(), STGM_READ)))
        return kUnresolvedLink;
    // No SLR_NO_UI: when the target has moved the shell may search for it and
    // ask, owned by our window. SLR_NOUPDATE keeps the shortcut file as it is.
    if (FAILED(link->Resolve(::GetActiveWindow(), SLR_NOUPDATE)))
        return kUnresolvedLink;
    char target[MAX_PATH + 1] = {};
    WIN32_FIND_DATAA found;
    // S_FALSE means the shortcut names no file path (a shell item such as a
    // control panel): opening an empty path would open the current folder.
    if (link->GetPath(target, sizeof target, &found, SLGP_UNCPRIORITY) != S_OK || target[0] == '\0')
        return kUnresolvedLink;
    return target;
}
