#include "support/harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace harness {
namespace {

std::string Backslashes(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Join(const std::string& dir, const std::string& relative)
{
    std::string rel = Backslashes(relative);
    while (!rel.empty() && rel.front() == '\\')
        rel.erase(rel.begin());
    if (rel.empty())
        return dir;
    if (!dir.empty() && dir.back() == '\\')
        return dir + rel;
    return dir + "\\" + rel;
}

std::string ParentOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeDirs(const std::string& path)
{
    if (path.empty() || IsDirectory(path))
        return true;
    // A bare drive ("C:") always exists.
    if (path.size() == 2 && path[1] == ':')
        return true;
    if (!MakeDirs(ParentOf(path)))
        return false;
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

struct EnumState {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam)
{
    EnumState* state = reinterpret_cast<EnumState*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == state->pid && (!state->visibleOnly || IsWindowVisible(hwnd))) {
        state->out->push_back(hwnd);
    }
    return TRUE;
}

struct ChildState {
    HWND parent;
    const char* className;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM lParam)
{
    ChildState* state = reinterpret_cast<ChildState*>(lParam);
    // EnumChildWindows walks grandchildren too; keep direct children only.
    if (GetParent(hwnd) != state->parent)
        return TRUE;
    if (state->className == nullptr || ClassName(hwnd) == state->className) {
        state->out->push_back(hwnd);
    }
    return TRUE;
}

// Polls `probe` until it yields a non-null result or `timeoutMs` passes,
// pumping our messages in between.
template <typename Probe> auto PollUntil(DWORD timeoutMs, Probe probe) -> decltype(probe())
{
    const DWORD start = GetTickCount();
    for (;;) {
        auto result = probe();
        if (result)
            return result;
        if (GetTickCount() - start >= timeoutMs)
            return result;
        PumpFor(25);
    }
}

bool IsIconStatic(HWND hwnd)
{
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    return (style & SS_TYPEMASK) == SS_ICON;
}

// ---- Telling message box icons apart ------------------------------------
//
// Under Wine every process loads the system icons under handles of its own
// and cannot read another process's icons, so the box's icon is compared by
// its pixels: the icon control's area is read from the screen and matched
// against our own rendering of each standard icon.

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> data; // 0x00RRGGBB, top row first
};

HBITMAP MakeDib(HDC dc, int width, int height, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* raw = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    *bits = static_cast<DWORD*>(raw);
    return bitmap;
}

std::optional<Pixels> CaptureScreen(const RECT& rect)
{
    Pixels pixels;
    pixels.width = rect.right - rect.left;
    pixels.height = rect.bottom - rect.top;
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > 256 || pixels.height > 256) {
        return std::nullopt;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    DWORD* bits = nullptr;
    HBITMAP bitmap = MakeDib(screen, pixels.width, pixels.height, &bits);
    bool ok = false;
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        GdiFlush();
        pixels.data.assign(bits, bits + pixels.width * pixels.height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!ok)
        return std::nullopt;
    return pixels;
}

Pixels Render(HICON icon, int width, int height, DWORD background)
{
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    DWORD* bits = nullptr;
    HBITMAP bitmap = MakeDib(screen, width, height, &bits);
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        std::fill(bits, bits + width * height, background);
        DrawIconEx(memory, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
        GdiFlush();
        pixels.data.assign(bits, bits + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Mean difference per colour channel, 0 (same) to 255.
double Difference(const Pixels& a, const Pixels& b)
{
    if (a.data.size() != b.data.size() || a.data.empty())
        return 255.0;
    double sum = 0;
    for (size_t i = 0; i < a.data.size(); ++i) {
        for (int shift = 0; shift <= 16; shift += 8) {
            sum += std::abs(
                static_cast<int>((a.data[i] >> shift) & 0xFF) - static_cast<int>((b.data[i] >> shift) & 0xFF));
        }
    }
    return sum / (3.0 * static_cast<double>(a.data.size()));
}

MessageBoxIcon ClassifyIcon(HWND iconStatic)
{
    if (iconStatic == nullptr || !IsWindowVisible(iconStatic))
        return MessageBoxIcon::None;

    struct Candidate {
        LPCSTR id;
        MessageBoxIcon icon;
    };
    const Candidate candidates[] = {
        {IDI_HAND, MessageBoxIcon::Stop},
        {IDI_EXCLAMATION, MessageBoxIcon::Exclamation},
        {IDI_ASTERISK, MessageBoxIcon::Information},
        {IDI_QUESTION, MessageBoxIcon::Question},
    };

    // Same handle: only possible where system icons are shared (Windows).
    DWORD_PTR shown = 0;
    if (SendMessageTimeoutA(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &shown)) {
        // Wine keeps the icon control of a box without icon, holding none.
        if (shown == 0)
            return MessageBoxIcon::None;
        for (const Candidate& c : candidates) {
            if (reinterpret_cast<HICON>(shown) == LoadIconA(nullptr, c.id))
                return c.icon;
        }
    }

    RECT rect = WindowRect(iconStatic);
    const std::optional<Pixels> screen = CaptureScreen(rect);
    if (!screen)
        return MessageBoxIcon::Unknown;
    // The icon's corners are transparent: they show the box's background.
    const DWORD background = screen->data.front();

    MessageBoxIcon best = MessageBoxIcon::Unknown;
    double bestDifference = 1e9;
    for (const Candidate& c : candidates) {
        const Pixels rendered = Render(LoadIconA(nullptr, c.id), screen->width, screen->height, background);
        const double difference = Difference(*screen, rendered);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = c.icon;
        }
    }
    // A close match only; anything else (not painted yet, covered) is unknown.
    return bestDifference < 2.5 ? best : MessageBoxIcon::Unknown;
}

// The static that carries a message box's text: Windows gives it id 0xFFFF;
// otherwise the first visible non-icon static with text.
HWND MessageTextStatic(HWND box)
{
    const std::vector<HWND> statics = ChildWindows(box, "Static");
    for (HWND s : statics) {
        if (GetDlgCtrlID(s) == 0xFFFF && !IsIconStatic(s))
            return s;
    }
    for (HWND s : statics) {
        if (!IsIconStatic(s) && IsWindowVisible(s) && !WindowText(s).empty())
            return s;
    }
    return nullptr;
}

HWND MessageIconStatic(HWND box)
{
    for (HWND s : ChildWindows(box, "Static")) {
        if (IsIconStatic(s))
            return s;
    }
    return nullptr;
}

bool LooksLikeMessageBox(HWND hwnd)
{
    if (ClassName(hwnd) != "#32770" || !IsWindowVisible(hwnd))
        return false;
    return MessageTextStatic(hwnd) != nullptr && !ChildWindows(hwnd, "Button").empty();
}

} // namespace

// ---- Paths ---------------------------------------------------------------

std::string UnixToWindowsPath(const std::string& unixPath)
{
    if (unixPath.size() >= 2 && unixPath[1] == ':')
        return Backslashes(unixPath);
    if (!unixPath.empty() && unixPath.front() == '/')
        return "Z:" + Backslashes(unixPath);
    return Backslashes(unixPath);
}

std::string ProgramExePath() { return UnixToWindowsPath(TRAYSTART_EXE); }

std::string SourcePath(const std::string& relative) { return Join(UnixToWindowsPath(TRAYSTART_SOURCE_DIR), relative); }

// ---- Scratch folders -----------------------------------------------------

TempDir::TempDir()
{
    char base[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, base);
    std::string root = (length > 0 && length < MAX_PATH) ? std::string(base, length) : "C:\\";
    if (!root.empty() && root.back() == '\\')
        root.pop_back();
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[80];
        std::snprintf(name, sizeof name, "traystart-test-%lu-%lu-%u", static_cast<unsigned long>(GetCurrentProcessId()),
            static_cast<unsigned long>(GetTickCount()), ++counter);
        const std::string candidate = root + "\\" + name;
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    ADD_FAILURE() << "cannot create a temporary folder under " << root << " (error " << GetLastError() << ")";
}

TempDir::~TempDir()
{
    if (path_.empty())
        return;
    // The program may still be closing files it had open: retry briefly.
    for (int attempt = 0; attempt < 20 && !RemoveTree(path_); ++attempt)
        Sleep(100);
}

std::string TempDir::PathOf(const std::string& relative) const { return Join(path_, relative); }

bool TempDir::WriteFile(const std::string& relative, const std::string& bytes) const
{
    const std::string path = PathOf(relative);
    if (!MakeDirs(ParentOf(path)))
        return false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok
        = bytes.empty() || ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::optional<std::string> TempDir::ReadFile(const std::string& relative) const
{
    HANDLE file = CreateFileA(PathOf(relative).c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return bytes;
}

bool TempDir::Exists(const std::string& relative) const
{
    return GetFileAttributesA(PathOf(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TempDir::MakeDir(const std::string& relative) const { return MakeDirs(PathOf(relative)); }

bool RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileA(path.c_str()) != FALSE;

    bool ok = true;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            ok = RemoveTree(path + "\\" + name) && ok;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) != FALSE && ok;
}

// ---- Windows versions ----------------------------------------------------

std::string CopyProgramAs(const std::string& exeName, const std::string& dir)
{
    const std::string target = Join(dir, exeName);
    if (!CopyFileA(ProgramExePath().c_str(), target.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << ProgramExePath() << " to " << target << " (error " << GetLastError() << ")";
        return std::string();
    }
    return target;
}

void SetWindowsVersionFor(const std::string& exeName, const char* version)
{
    const std::string key = "Software\\Wine\\AppDefaults\\" + exeName;
    if (version == nullptr) {
        HKEY hkey = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &hkey) == ERROR_SUCCESS) {
            RegDeleteValueA(hkey, "Version");
            RegCloseKey(hkey);
        }
        return;
    }
    HKEY hkey = nullptr;
    LONG status
        = RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExA(hkey, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
            static_cast<DWORD>(std::strlen(version) + 1));
        RegCloseKey(hkey);
    }
    if (status != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot set the Windows version of " << exeName << " (error " << status << ")";
    }
}

ScopedWindowsVersion::ScopedWindowsVersion(std::string exeName, const char* version)
    : exeName_(std::move(exeName))
{
    SetWindowsVersionFor(exeName_, version);
}

ScopedWindowsVersion::~ScopedWindowsVersion() { SetWindowsVersionFor(exeName_, nullptr); }

// ---- Processes -----------------------------------------------------------

namespace {
HANDLE deskSwitchHeld = nullptr;
int desk2SetupAllowed = 0;
} // namespace

Desk2SetupAllowed::Desk2SetupAllowed()
{
    ++desk2SetupAllowed;
    if (deskSwitchHeld)
        CloseHandle(std::exchange(deskSwitchHeld, nullptr));
}

Desk2SetupAllowed::~Desk2SetupAllowed() { --desk2SetupAllowed; }

Process Process::Start(
    const std::string& exe, const std::string& currentDir, const char* desktop, const std::string& args)
{
    if (desk2SetupAllowed == 0 && !deskSwitchHeld)
        deskSwitchHeld = CreateMutexA(nullptr, FALSE, "DeskSwitch");
    std::string commandLine = "\"" + exe + "\"";
    if (!args.empty())
        commandLine += " " + args;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string desktopName = desktop != nullptr ? desktop : "";
    if (desktop != nullptr)
        startup.lpDesktop = &desktopName[0];

    PROCESS_INFORMATION info = {};
    Process process;
    if (!CreateProcessA(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
        return process;
    }
    process.process_ = info.hProcess;
    process.thread_ = info.hThread;
    process.id_ = info.dwProcessId;
    return process;
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr))
    , thread_(std::exchange(other.thread_, nullptr))
    , id_(std::exchange(other.id_, 0))
{
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Kill();
        Close();
        process_ = std::exchange(other.process_, nullptr);
        thread_ = std::exchange(other.thread_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

Process::~Process()
{
    Kill();
    Close();
}

bool Process::Running() const { return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(DWORD ms)
{
    if (process_ == nullptr)
        return true;
    const DWORD start = GetTickCount();
    for (;;) {
        // Keep our own windows answering while we wait: the program may
        // broadcast or send to them.
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed >= ms ? 0 : ms - elapsed;
        const DWORD result = MsgWaitForMultipleObjects(1, &process_, FALSE, left, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_ != nullptr)
        GetExitCodeProcess(process_, &code);
    return code;
}

void Process::Kill()
{
    if (!Running())
        return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
}

void Process::Close()
{
    if (thread_ != nullptr)
        CloseHandle(thread_);
    if (process_ != nullptr)
        CloseHandle(process_);
    thread_ = nullptr;
    process_ = nullptr;
    id_ = 0;
}

// ---- Windows -------------------------------------------------------------

std::vector<HWND> TopLevelWindows(DWORD pid, bool visibleOnly)
{
    std::vector<HWND> windows;
    EnumState state = {pid, visibleOnly, &windows};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND FindTopLevelWindow(DWORD pid, const char* className, const char* title, bool visibleOnly)
{
    for (HWND hwnd : TopLevelWindows(pid, visibleOnly)) {
        if (className != nullptr && ClassName(hwnd) != className)
            continue;
        if (title != nullptr) {
            char text[1024] = {};
            // The title the system keeps; needs no answer from the window.
            GetWindowTextA(hwnd, text, sizeof text);
            if (std::string(text) != title)
                continue;
        }
        return hwnd;
    }
    return nullptr;
}

HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs, bool visibleOnly)
{
    return PollUntil(timeoutMs, [&] { return FindTopLevelWindow(pid, className, title, visibleOnly); });
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs)
{
    return PollUntil(timeoutMs, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
}

std::string WindowText(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return std::string();
    }
    // WM_GETTEXTLENGTH may count more than the ANSI text needs, never less.
    std::vector<char> buffer(length + 2, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
            5000, &copied)) {
        return std::string();
    }
    return std::string(buffer.data(), std::min<size_t>(copied, buffer.size() - 1));
}

std::string ClassName(HWND hwnd)
{
    char name[256] = {};
    const int length = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

std::vector<HWND> ChildWindows(HWND hwnd, const char* className)
{
    std::vector<HWND> children;
    ChildState state = {hwnd, className, &children};
    EnumChildWindows(hwnd, CollectChildren, reinterpret_cast<LPARAM>(&state));
    return children;
}

// ---- Message boxes -------------------------------------------------------

MessageBoxInfo DescribeMessageBox(HWND box)
{
    MessageBoxInfo info;
    info.hwnd = box;
    char caption[1024] = {};
    GetWindowTextA(box, caption, sizeof caption);
    info.caption = caption;
    if (HWND text = MessageTextStatic(box))
        info.text = WindowText(text);
    info.icon = ClassifyIcon(MessageIconStatic(box));
    info.hasStopIcon = info.icon == MessageBoxIcon::Stop;
    return info;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs)
{
    HWND box = PollUntil(timeoutMs, [&]() -> HWND {
        for (HWND hwnd : TopLevelWindows(pid, true)) {
            if (LooksLikeMessageBox(hwnd))
                return hwnd;
        }
        return nullptr;
    });
    if (box == nullptr)
        return std::nullopt;

    // The icon is read from the screen: give the box a moment to paint, and
    // look again while it is still unknown.
    PumpFor(100);
    MessageBoxInfo info = DescribeMessageBox(box);
    for (int attempt = 0; attempt < 10 && info.icon == MessageBoxIcon::Unknown; ++attempt) {
        PumpFor(100);
        info = DescribeMessageBox(box);
    }
    return info;
}

bool DismissMessageBox(HWND box, int buttonId, DWORD timeoutMs)
{
    if (!IsWindow(box))
        return true;
    HWND button = GetDlgItem(box, buttonId);
    // What a click on the button sends to the dialog; posting it never blocks
    // on the box's thread.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return WaitForWindowGone(box, timeoutMs);
}

// ---- Misc ----------------------------------------------------------------

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    // Shared for writing too: a program under test may be appending to the
    // file right now, and must neither fail nor make this read fail.
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[4096];
    DWORD got = 0;
    while (::ReadFile(file, block, sizeof block, &got, nullptr) && got)
        bytes.append(block, got);
    ::CloseHandle(file);
    return bytes;
}

} // namespace harness
