// Makes the sample shortcuts of "我的程序" through the shell-link interface,
// from the list in res/sample_shortcuts.txt. Run under Wine at staging time:
//   make_shortcuts.exe LIST DESTINATION
// LIST is UTF-8 (tab-separated: path inside DESTINATION without ".lnk",
// target, arguments, description; "#" starts a comment line). Paths are
// Windows paths; a target written with environment variables ("%SystemRoot%")
// is kept so in the shortcut, beside its expansion, as Windows' own shortcuts
// keep it. Exit code 0 when every shortcut was saved.
#include <windows.h>

#include "launcher/link_file.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int n
        = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
    return wide;
}

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t')
        fields.push_back(std::string());
    return fields;
}

// Creates `folder` and its missing parents.
bool MakeFolders(const std::wstring& folder)
{
    for (size_t pos = folder.find(L'\\', 3);; pos = folder.find(L'\\', pos + 1)) {
        const std::wstring part = pos == std::wstring::npos ? folder : folder.substr(0, pos);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (pos == std::wstring::npos)
            return true;
    }
}

// Writes `target` (with its variables) into the saved shortcut at `linkPath`.
HRESULT KeepExpandablePath(const std::wstring& linkPath, const std::wstring& target)
{
    std::ifstream in(linkPath.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::string ascii;
    for (wchar_t c : target)
        ascii += static_cast<char>(c < 0x80 ? c : '?');
    const std::string extended = WithExpandablePath(bytes, ascii);
    if (extended.empty())
        return E_FAIL;
    std::ofstream out(linkPath.c_str(), std::ios::binary | std::ios::trunc);
    out.write(extended.data(), static_cast<std::streamsize>(extended.size()));
    return out ? S_OK : E_FAIL;
}

template <typename T> struct Releaser {
    T* p = nullptr;
    ~Releaser()
    {
        if (p)
            p->Release();
    }
};

HRESULT SaveShortcut(
    const std::wstring& linkPath, const std::wstring& target, const std::wstring& args, const std::wstring& description)
{
    Releaser<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(
        CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, reinterpret_cast<void**>(&link.p));
    if (FAILED(hr))
        return hr;
    // The targets are those of a standard Windows installation; the staging
    // machine need not have them all, so a missing file is not an error here.
    // The link object takes the expanded path (Wine's cannot keep the
    // variables); they are written into the file after it is saved.
    wchar_t expanded[MAX_PATH] = {};
    if (!ExpandEnvironmentStringsW(target.c_str(), expanded, MAX_PATH))
        return HRESULT_FROM_WIN32(GetLastError());
    hr = link.p->SetPath(expanded);
    if (FAILED(hr))
        return hr;
    if (!args.empty() && FAILED(hr = link.p->SetArguments(args.c_str())))
        return hr;
    if (!description.empty() && FAILED(hr = link.p->SetDescription(description.c_str())))
        return hr;
    // The start-in folder keeps the variables: the shell expands it at start.
    const size_t slash = target.rfind(L'\\');
    if (slash != std::wstring::npos)
        link.p->SetWorkingDirectory(target.substr(0, slash).c_str());
    link.p->SetShowCmd(SW_SHOWNORMAL);
    Releaser<IPersistFile> file;
    hr = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p));
    if (FAILED(hr))
        return hr;
    hr = file.p->Save(linkPath.c_str(), TRUE);
    if (FAILED(hr) || target.find(L'%') == std::wstring::npos)
        return hr;
    return KeepExpandablePath(linkPath, target);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_shortcuts LIST DESTINATION\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "make_shortcuts: cannot read the list %ls\n", argv[1]);
        return 1;
    }
    std::wstring destination = argv[2];
    while (!destination.empty() && destination.back() == L'\\')
        destination.pop_back();

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    int made = 0, failed = 0, lineNo = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() < 2 || fields[0].empty() || fields[1].empty()) {
            std::fprintf(stderr, "make_shortcuts: line %d: expected name<TAB>target\n", lineNo);
            ++failed;
            continue;
        }
        std::wstring name = Widen(fields[0]);
        for (wchar_t& c : name)
            if (c == L'/')
                c = L'\\';
        const std::wstring linkPath = destination + L"\\" + name + L".lnk";
        const std::wstring folder = linkPath.substr(0, linkPath.rfind(L'\\'));
        const HRESULT hr = MakeFolders(folder) ? SaveShortcut(linkPath, Widen(fields[1]),
                               fields.size() > 2 ? Widen(fields[2]) : L"", fields.size() > 3 ? Widen(fields[3]) : L"")
                                               : HRESULT_FROM_WIN32(GetLastError());
        if (FAILED(hr)) {
            std::fprintf(
                stderr, "make_shortcuts: line %d: saving failed (0x%08lx)\n", lineNo, static_cast<unsigned long>(hr));
            ++failed;
        } else {
            ++made;
        }
    }
    CoUninitialize();
    std::printf("make_shortcuts: %d shortcuts made, %d failed\n", made, failed);
    return failed == 0 && made > 0 ? 0 : 1;
}
