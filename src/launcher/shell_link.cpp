#include "launcher/shell_link.h"

#include "framework/errors.h"
#include "framework/scoped.h"
#include "framework/wow64_redirection.h"
#include "launcher/link_file.h"

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

struct LoadedLink {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    bool loaded = false;
};

// The link object, with the file loaded into it when `load` is set.
LoadedLink LoadLink(const std::string& shortcutPath, bool load = true)
{
    LoadedLink loaded;
    HRESULT result
        = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, loaded.link.PutVoid());
    if (FAILED(result))
        ThrowComError(result);
    result = loaded.link->QueryInterface(IID_IPersistFile, loaded.file.PutVoid());
    if (FAILED(result))
        ThrowComError(result);
    if (!load)
        return loaded;
    const std::wstring widePath = Widen(shortcutPath);
    loaded.loaded = !widePath.empty() && SUCCEEDED(loaded.file->Load(widePath.c_str(), STGM_READ));
    return loaded;
}

// A text field of the link, read through `get` into a buffer of `size`.
template <class Get> std::string LinkText(Get get, int size)
{
    std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
    if (FAILED(get(text.data(), size)))
        return std::string();
    return std::string(text.data());
}

std::string ExpandedText(const std::string& text)
{
    if (text.find('%') == std::string::npos)
        return text;
    std::vector<char> expanded(32768, '\0');
    const DWORD length
        = ::ExpandEnvironmentStringsA(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    return length > 0 && length <= expanded.size() ? std::string(expanded.data()) : text;
}

// The first bytes of the shortcut file: shortcuts are small; one larger than
// this is no shortcut the shell would read either.
std::string ShortcutBytes(const std::string& path)
{
    constexpr DWORD kLargestShortcut = 1 << 20;
    FileHandle file(::CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::string();
    std::string bytes(kLargestShortcut, '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), &bytes[0], kLargestShortcut, &read, nullptr))
        return std::string();
    bytes.resize(read);
    return bytes;
}

// The link's flags; none where the shell predates the data-list interface.
DWORD LinkFlags(IShellLinkA* link)
{
    ComPtr<IShellLinkDataList> data;
    DWORD flags = 0;
    if (FAILED(link->QueryInterface(IID_IShellLinkDataList, data.PutVoid())) || FAILED(data->GetFlags(&flags)))
        return 0;
    return flags;
}

// The name the shell parses back into `items` ("::{CLSID}" for My Computer);
// empty when the shell gives none.
std::string ParsingName(const ITEMIDLIST* items)
{
    ComPtr<IShellFolder> desktop;
    STRRET name {};
    if (FAILED(::SHGetDesktopFolder(desktop.Put()))
        || FAILED(desktop->GetDisplayNameOf(items, SHGDN_FORPARSING, &name)))
        return std::string();
    switch (name.uType) {
    case STRRET_CSTR:
        return name.cStr;
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(items) + name.uOffset;
    case STRRET_WSTR: {
        char text[MAX_PATH * 2] = {};
        ::WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, text, sizeof text - 1, nullptr, nullptr);
        ::CoTaskMemFree(name.pOleStr);
        return text;
    }
    default:
        return std::string();
    }
}
} // namespace

ShortcutContents ReadShortcut(const std::string& shortcutPath)
{
    ShortcutContents contents;
    // The object first, with the system's own view of its folders; then the
    // target as the 64-bit Explorer sees it, so that resolving does not go
    // looking for a System32 program that only the 32-bit view lacks.
    LoadedLink loaded = LoadLink(shortcutPath, false);
    FileSystemRedirectionOff redirectionOff;
    const std::wstring widePath = Widen(shortcutPath);
    if (widePath.empty() || FAILED(loaded.file->Load(widePath.c_str(), STGM_READ)))
        return contents;
    contents.loaded = true;
    IShellLinkA* link = loaded.link.Get();
    // Never a window of the shell's: a target that stays missing is reported
    // once, by the caller, and the shell's own box would offer to delete the
    // shortcut. The result does not matter: what the link says is used.
    link->Resolve(::GetActiveWindow(), SLR_NO_UI | SLR_NOUPDATE);

    const DWORD flags = LinkFlags(link);
    contents.advertised = (flags & SLDF_HAS_DARWINID) != 0;
    contents.runAsAdministrator = (flags & SLDF_RUNAS_USER) != 0;
    char target[MAX_PATH + 1] = {};
    WIN32_FIND_DATAA found;
    // S_FALSE: no file-system path (a shell item such as My Computer).
    if (link->GetPath(target, sizeof target, &found, SLGP_UNCPRIORITY) == S_OK)
        contents.path = target;
    LPITEMIDLIST items = nullptr;
    if (link->GetIDList(&items) == S_OK)
        contents.items.Reset(items);
    if (contents.path.empty() && contents.items.Valid())
        contents.itemsName = ParsingName(contents.items.Get());
    // The shell keeps arguments of any length; the property sheet's 1,024
    // characters are no limit of the file.
    constexpr int kLongestArguments = 32768;
    contents.arguments
        = LinkText([&](char* text, int size) { return link->GetArguments(text, size); }, kLongestArguments);
    contents.directory
        = LinkText([&](char* text, int size) { return link->GetWorkingDirectory(text, size); }, MAX_PATH);
    contents.directory = ExpandedText(contents.directory);

    // What the file itself says wins where the link object says nothing.
    const LinkFileFacts facts = ReadLinkFile(ShortcutBytes(shortcutPath));
    if (facts.valid) {
        contents.advertised = contents.advertised || (facts.flags & kLinkAdvertised);
        contents.runAsAdministrator = contents.runAsAdministrator || (facts.flags & kLinkRunAsAdministrator);
        // The three show commands a shortcut can hold; any other is "normal",
        // as Windows takes it.
        if (facts.show == SW_SHOWMINNOACTIVE || facts.show == SW_SHOWMAXIMIZED)
            contents.show = facts.show;
        if (!facts.expandablePath.empty())
            contents.path = ExpandedText(facts.expandablePath);
    }
    return contents;
}

std::string ResolveLinkTarget(const std::string& shortcutPath)
{
    LoadedLink loaded = LoadLink(shortcutPath);
    if (!loaded.loaded)
        return kUnresolvedLink;
    // No SLR_NO_UI: when the target has moved the shell may search for it and
    // ask, owned by our window. SLR_NOUPDATE keeps the shortcut file as it is.
    if (FAILED(loaded.link->Resolve(::GetActiveWindow(), SLR_NOUPDATE)))
        return kUnresolvedLink;
    char target[MAX_PATH + 1] = {};
    WIN32_FIND_DATAA found;
    // S_FALSE means the shortcut names no file path (a shell item such as a
    // control panel): opening an empty path would open the current folder.
    if (loaded.link->GetPath(target, sizeof target, &found, SLGP_UNCPRIORITY) != S_OK || target[0] == '\0')
        return kUnresolvedLink;
    return target;
}
