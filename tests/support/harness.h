// Drives the real TrayStartMenu.exe from outside, for end-to-end tests that
// run under Wine themselves: start it in a scratch folder, watch its windows
// and message boxes, answer them, and end it.
//
// All strings are ANSI (code page 936 under the test prefix), like the
// program's own texts: compare them with narrow literals from these sources.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace harness {

// ---- Paths ---------------------------------------------------------------

// Wine maps the Unix root to drive Z:, so "/a/b" becomes "Z:\a\b". Anything
// that already looks like a Windows path is returned unchanged.
std::string UnixToWindowsPath(const std::string& unixPath);
// Windows path of the program under test (the build's TrayStartMenu.exe).
std::string ProgramExePath();
// Windows path of the repository, or of `relative` inside it ("data\\x.ini",
// forward slashes allowed).
std::string SourcePath(const std::string& relative = std::string());

// ---- The program's own texts -------------------------------------------------

// The application's title (message box captions) and the main window's
// caption, which carries two trailing spaces.
constexpr char kProgramTitle[] = "博闲托盘区开始菜单2.1";
constexpr char kMainWindowTitle[] = "博闲托盘区开始菜单2.1  ";

// ---- Scratch folders -----------------------------------------------------

// A fresh, uniquely named folder under the Windows temp folder, removed with
// everything in it when the object goes away. Relative names may use / or \.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Full path, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Full path of `relative` inside the folder.
    std::string PathOf(const std::string& relative) const;

    // Writes `bytes` exactly (binary), creating parent folders as needed.
    bool WriteFile(const std::string& relative, const std::string& bytes) const;
    std::optional<std::string> ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // Creates the folder and any missing parents.
    bool MakeDir(const std::string& relative) const;

private:
    std::string path_;
};

// The whole content of any file (for example one of the repository's), or ""
// when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Deletes a file or a folder tree (read-only files too). True when it is gone.
bool RemoveTree(const std::string& path);

// ---- Windows versions ----------------------------------------------------

// Copies the program into `dir` as `exeName` (for example "ts_win98.exe") and
// returns the new path, or "" on failure (the test is marked failed).
std::string CopyProgramAs(const std::string& exeName, const std::string& dir);

// Makes Wine report `version` ("win95", "win98", "winme", "win2k", "winxp",
// "vista", "win7", "win10") to every later start of an exe named `exeName`
// (HKCU\Software\Wine\AppDefaults\<exeName>, value Version). nullptr removes
// the value again.
void SetWindowsVersionFor(const std::string& exeName, const char* version);

// The same, undone when the object goes away.
class ScopedWindowsVersion {
public:
    ScopedWindowsVersion(std::string exeName, const char* version);
    ~ScopedWindowsVersion();
    ScopedWindowsVersion(const ScopedWindowsVersion&) = delete;
    ScopedWindowsVersion& operator=(const ScopedWindowsVersion&) = delete;

private:
    std::string exeName_;
};

// ---- Processes -----------------------------------------------------------

// A started program. Ending the object kills the process if it still runs.
class Process {
public:
    // Starts `exe` with `currentDir` as its current folder ("" = ours) on the
    // named desktop (nullptr = ours). `args` is appended to the command line
    // after the quoted exe path. On failure the result is !Valid() and the
    // test is marked failed.
    static Process Start(const std::string& exe, const std::string& currentDir, const char* desktop = nullptr,
        const std::string& args = std::string());

    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool Valid() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // True when the process has ended within `ms` milliseconds.
    bool WaitForExit(DWORD ms);
    // The exit code, or STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // Terminates it (if running) and waits for it to be gone.
    void Kill();

private:
    void Close();

    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
};

// ---- The second desktop --------------------------------------------------
// A program started while no mutex "DeskSwitch" exists sets up "Desk2" (a
// second instance and a shell there), whose virtual desktop would then cover
// "Default" on the X display. So the harness holds that mutex from the first
// Process::Start on; only inside a Desk2SetupAllowed scope does a started
// program set up "Desk2".
class Desk2SetupAllowed {
public:
    Desk2SetupAllowed();
    ~Desk2SetupAllowed();
    Desk2SetupAllowed(const Desk2SetupAllowed&) = delete;
    Desk2SetupAllowed& operator=(const Desk2SetupAllowed&) = delete;
};

// ---- Windows -------------------------------------------------------------
// Only windows on the caller's desktop are seen (that is all EnumWindows and
// FindWindow report); start the program on the test's own desktop.

// Top-level windows of process `pid`, in z-order (topmost first).
std::vector<HWND> TopLevelWindows(DWORD pid, bool visibleOnly = false);
// The first top-level window of `pid` whose class is exactly `className` and,
// when `title` is given, whose title is exactly `title`; nullptr if none.
HWND FindTopLevelWindow(DWORD pid, const char* className, const char* title = nullptr, bool visibleOnly = false);
// The same, polling (and pumping our own messages) for up to `timeoutMs`.
HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs, bool visibleOnly = false);
// True once `hwnd` is destroyed or hidden, within `timeoutMs`.
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs);

// The window's text through WM_GETTEXT (works across processes; for an edit
// or static control it is the contents). "" for a dead or hung window.
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
RECT WindowRect(HWND hwnd);
// Direct children of `hwnd` with class `className` (nullptr = any class).
std::vector<HWND> ChildWindows(HWND hwnd, const char* className = nullptr);

// ---- Message boxes -------------------------------------------------------

enum class MessageBoxIcon { None, Stop, Exclamation, Information, Question, Unknown };

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
    // Best effort: the box's icon is told apart by its pixels, since icon
    // handles cannot be compared across processes under Wine. Unknown when
    // the screen could not be read.
    MessageBoxIcon icon = MessageBoxIcon::None;
    bool hasStopIcon = false; // icon == MessageBoxIcon::Stop
};

// Waits for a visible dialog-class ("#32770") top-level window of `pid` that
// is a message box (has a text static and buttons) and describes it.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs);
// Describes the message box `box` (no waiting).
MessageBoxInfo DescribeMessageBox(HWND box);
// Presses `buttonId` (IDOK, IDCANCEL, IDYES, ...) in the box and waits until
// the box is gone. False if it did not go away within `timeoutMs`.
bool DismissMessageBox(HWND box, int buttonId = IDOK, DWORD timeoutMs = 5000);

// ---- Misc ----------------------------------------------------------------

// Waits `ms` milliseconds while dispatching the calling thread's messages.
void PumpFor(DWORD ms);

} // namespace harness
