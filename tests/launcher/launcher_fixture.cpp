#include "launcher_fixture.h"

#include "support/shortcut_file.h"

#include <cstdio>

namespace {
std::wstring Wide(const std::string& text, UINT codePage = CP_ACP)
{
    const int length = ::MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeParents(const std::string& path)
{
    for (size_t i = 3; i < path.size(); ++i) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
            ++i;
            continue;
        }
        if (path[i] == '\\')
            ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

// The host path Wine gives a Windows path (UTF-8), or "" off Wine.
std::string UnixPath(const std::string& windowsPath)
{
    using Convert = char*(CDECL*)(const wchar_t*);
    auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return std::string();
    char* unix = convert(Wide(windowsPath).c_str());
    if (!unix)
        return std::string();
    std::string result(unix);
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

// Runs a host shell command (Wine runs host programs too) and waits until it
// has finished: the handle of a host program may be signalled before it
// has run, so the command leaves a marker file behind when done.
bool RunHostCommand(const std::string& command)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string marker = std::string(temp) + "host-command-" + std::to_string(::GetCurrentProcessId()) + ".done";
    ::DeleteFileA(marker.c_str());
    const std::string unixMarker = UnixPath(marker);
    if (unixMarker.empty())
        return false;
    STARTUPINFOW start {};
    start.cb = sizeof start;
    PROCESS_INFORMATION info {};
    std::wstring line = L"Z:\\bin\\sh -c \"" + Wide(command + "; touch '" + unixMarker + "'", CP_UTF8) + L"\"";
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &info))
        return false;
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    for (int i = 0; i < 100 && ::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        ::Sleep(50);
    return ::DeleteFileA(marker.c_str()) != FALSE;
}

void AppendShape(const MenuItem* menu, bool images, std::string& out)
{
    for (int i = 0; i < menu->Count(); ++i) {
        const MenuItem* item = menu->Item(i);
        if (i)
            out += ",";
        if (item->Break() == MenuBreak::BarBreak)
            out += "|";
        if (item->IsSeparator()) {
            out += "-";
        } else if (!item->OnClick) {
            out += "[" + item->Caption() + "]{";
            AppendShape(item, images, out);
            out += "}";
            if (images && item->ImageIndex() != 0)
                out += "#folder-image-" + std::to_string(item->ImageIndex());
        } else {
            out += item->Caption();
            if (images)
                out += "#" + std::to_string(item->ImageIndex());
        }
    }
}
} // namespace

namespace {
// Removes a folder tree without following links inside it: through the
// host's rm where there is one (Wine), else folder by folder.
void RemoveFolderTree(const std::string& path)
{
    const std::string unixPath = UnixPath(path);
    if (!unixPath.empty() && RunHostCommand("rm -rf '" + unixPath + "'"))
        return;
    harness::RemoveTree(path);
}
} // namespace

void LauncherTest::SetUp()
{
    FormTest::SetUp();
    CountShellIcons(&iconCounts_);
    static unsigned counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "C:\\lt%lu-%lu-%u", static_cast<unsigned long>(::GetCurrentProcessId()),
        static_cast<unsigned long>(::GetTickCount() % 100000), ++counter);
    root_ = name;
    ASSERT_TRUE(::CreateDirectoryA(root_.c_str(), nullptr)) << root_;
    ASSERT_TRUE(::CreateDirectoryA(Programs().c_str(), nullptr));
}

void LauncherTest::TearDown()
{
    FormTest::TearDown();
    CountShellIcons(nullptr);
    if (!root_.empty())
        RemoveFolderTree(root_);
}

void LauncherTest::MakeShortcut(
    const std::string& relative, const std::string& target, const std::string& arguments, const std::string& workingDir)
{
    MakeShortcutFile(ProgramsPath(relative), target, arguments, workingDir);
}

void LauncherTest::MakeShortcutFile(
    const std::string& path, const std::string& target, const std::string& arguments, const std::string& workingDir)
{
    MakeParents(path);
    ASSERT_TRUE(SaveShortcut(path, target, arguments, workingDir)) << path;
}

void LauncherTest::CopyShortcut(const std::string& fromRelative, const std::string& toRelative)
{
    const std::string to = ProgramsPath(toRelative);
    MakeParents(to);
    ASSERT_TRUE(::CopyFileA(ProgramsPath(fromRelative).c_str(), to.c_str(), FALSE)) << to;
}

void LauncherTest::MakeFolder(const std::string& relative)
{
    const std::string path = ProgramsPath(relative);
    MakeParents(path + "\\");
    ASSERT_TRUE(IsDirectory(path)) << path;
}

void LauncherTest::WriteFile(const std::string& path, const std::string& bytes)
{
    MakeParents(path);
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

TForm1& LauncherTest::Prepared()
{
    TForm1& f = Design();
    f.ProgramDir = root_;
    f.MyProgramsDir = Programs();
    f.SoundDir = root_ + "\\音效";
    f.IconList = std::make_unique<ImageList>();
    f.IconList->Assign(f.ImageList1);
    return f;
}

TForm1& LauncherTest::Built()
{
    TForm1& f = Prepared();
    f.congzaiwodecenxvClick(nullptr);
    return f;
}

std::string Shape(const MenuItem* menu)
{
    std::string out;
    AppendShape(menu, false, out);
    return out;
}

std::string ShapeWithImages(const MenuItem* menu)
{
    std::string out;
    AppendShape(menu, true, out);
    return out;
}

std::vector<std::string> Listing(const std::string& pattern, bool directoriesOnly)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (directoriesOnly && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        names.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

MenuItem* FindCaption(MenuItem* menu, const std::string& caption)
{
    for (int i = 0; i < menu->Count(); ++i) {
        MenuItem* item = menu->Item(i);
        if (item->OnClick && item->Caption() == caption)
            return item;
        if (MenuItem* found = FindCaption(item, caption))
            return found;
    }
    return nullptr;
}

std::vector<MenuItem*> ShortcutItems(MenuItem* menu)
{
    std::vector<MenuItem*> items;
    for (int i = 0; i < menu->Count(); ++i) {
        MenuItem* item = menu->Item(i);
        if (item->OnClick)
            items.push_back(item);
        for (MenuItem* inner : ShortcutItems(item))
            items.push_back(inner);
    }
    return items;
}

std::vector<COLORREF> ImagePixels(const ImageList& list, int index)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all {0, 0, 16, 16};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    list.Draw(dc, index, 0, 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

bool MakeDirectoryLink(const std::string& link, const std::string& target)
{
    // A Vista call: the program's headers are XP's, so it is looked up.
    using CreateLink = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    const auto createLink = reinterpret_cast<CreateLink>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    const DWORD directoryFlag = 0x1; // SYMBOLIC_LINK_FLAG_DIRECTORY
    if (createLink && createLink(link.c_str(), target.c_str(), directoryFlag) && IsDirectory(link))
        return true;
    // Wine 8 reports success without making anything; its host has "ln".
    const std::string unixTarget = UnixPath(target);
    const std::string unixLink = UnixPath(link);
    if (unixTarget.empty() || unixLink.empty())
        return false;
    RunHostCommand("ln -s '" + unixTarget + "' '" + unixLink + "'");
    return IsDirectory(link);
}

void RemoveDirectoryLink(const std::string& link)
{
    if (::RemoveDirectoryA(link.c_str()) || ::DeleteFileA(link.c_str()))
        return;
    const std::string unixLink = UnixPath(link);
    if (!unixLink.empty())
        RunHostCommand("rm -f '" + unixLink + "'");
}
