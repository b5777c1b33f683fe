// A long day in one run: the program's repeated operations over and over,
// with the process's GDI and USER objects, kernel handles and private bytes
// printed at the start, the middle and the end. Flat means the end is within
// 2% (or 20 objects) of the middle.
//
//   wine soak_bench.exe <fake_shell.exe> <skin file> [--popups N] [--reloads N]
//        [--passes N] [--skins N] [--abouts N] [--every N] [--leak KB]
//   wine soak_bench.exe --starts N <TrayStartMenu.exe>
//
// The second form starts the real program N times in a row, each time in a
// fresh folder of 1,000 shortcuts to files the shell has not seen before,
// and prints the time to its main window and to its tray icon.
#include "gdi_objects.h"

#include "app/unit1.h"
#include "framework/application.h"
#include "framework/os.h"
#include "help/unit2.h"
#include "support/shortcut_file.h"
#include "tray/tray_icon.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const int kShortcuts = 1000, kFolders = 50;

// Nothing outward happens during the soak.
class QuietOs : public OsInterface {
public:
    int ShowMessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
    bool PlaySoundAsync(const std::string&) override { return true; }
};

int ArgValue(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(0, std::atoi(argv[i + 1]));
    return fallback;
}

std::string NewFolder(const std::string& name)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "soak_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

// 1,000 shortcuts in 50 folders of "我的程序" under `dir`. With `fresh`, each
// points at a file of its own made for it, so no icon of it is cached yet.
bool MakeShortcuts(const std::string& dir, bool fresh)
{
    const std::string programs = dir + "\\我的程序", targets = dir + "\\targets";
    ::CreateDirectoryA(programs.c_str(), nullptr);
    ::CreateDirectoryA(targets.c_str(), nullptr);
    const char* samples[] = {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe", "C:\\windows\\explorer.exe"};
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = programs + "\\分类" + std::to_string(f);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < kShortcuts / kFolders; ++i) {
            std::string target = samples[(f + i) % 3];
            if (fresh) {
                const std::string copy = targets + "\\程序" + std::to_string(f) + "_" + std::to_string(i) + ".exe";
                if (!::CopyFileA(target.c_str(), copy.c_str(), FALSE))
                    return false;
                target = copy;
            }
            if (!SaveShortcut(folder + "\\程序 " + std::to_string(i) + ".lnk", target))
                return false;
        }
    }
    return true;
}

struct Usage {
    DWORD gdi = 0, user = 0, handles = 0;
    double privateMb = 0, residentMb = 0;
    double heapMb = 0, heapCommittedMb = 0;
};

// Private bytes as Windows counts them: the committed pages of the address
// space that belong to this process alone (not images, not mapped files).
// Wine's own figure for it is the Unix process's resident anonymous memory,
// which also holds what Wine and the X libraries keep on the Unix side and
// pages a heap has freed but not given back.
double CommittedPrivateMb()
{
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region {};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region && region.RegionSize;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += region.RegionSize;
    }
    return bytes / (1024.0 * 1024.0);
}

// What the process's heaps have handed out and not taken back, and what
// they hold committed (the rest kept free for later): unlike the private
// bytes, the first is not moved by what a heap keeps for later.
std::pair<double, double> HeapMb()
{
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    double busy = 0, committed = 0;
    for (HANDLE heap : heaps) {
        if (!::HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry {};
        while (::HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_REGION)
                committed += entry.Region.dwCommittedSize;
            else if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                busy += entry.cbData;
        }
        ::HeapUnlock(heap);
    }
    return {busy / (1024.0 * 1024.0), committed / (1024.0 * 1024.0)};
}

Usage Measure()
{
    // Wine frees an ended thread's stack (about 1 MB) only when the next
    // thread ends, so the last reload's icon workers would count at one
    // measurement and not at another. A thread ended here first leaves the
    // same one stack behind at every measurement.
    std::thread([] {}).join();
    Usage usage;
    usage.gdi = GdiObjects();
    usage.user = UserObjects();
    usage.handles = KernelHandles();
    usage.privateMb = CommittedPrivateMb();
    PROCESS_MEMORY_COUNTERS_EX memory {};
    memory.cb = sizeof memory;
    if (SystemIsWine()
        && ::GetProcessMemoryInfo(
            ::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        usage.residentMb = (memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / (1024.0 * 1024.0);
    std::tie(usage.heapMb, usage.heapCommittedMb) = HeapMb();
    return usage;
}

bool Flat(double middle, double end, double slack) { return end - middle <= std::max(middle * 0.02, slack); }

void PrintUsage(const char* when, const Usage& u)
{
    std::printf("%-10s GDI %6lu   USER %6lu   kernel handles %5lu   private bytes %8.2f MB   (heaps %5.2f of %5.2f MB",
        when, static_cast<unsigned long>(u.gdi), static_cast<unsigned long>(u.user),
        static_cast<unsigned long>(u.handles), u.privateMb, u.heapMb, u.heapCommittedMb);
    if (u.residentMb > 0)
        std::printf("; Wine's own figure %.2f MB", u.residentMb);
    std::printf(")\n");
    std::fflush(stdout);
}

// The tray popup is closed as soon as it is up: its owner (the application's
// popup owner window, not the tray's own window) is told the menu went idle,
// and ends it.
WNDPROC notifyProc = nullptr;
LRESULT CALLBACK ClosingNotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
        ::EndMenu();
        return 0;
    }
    return ::CallWindowProcA(notifyProc, window, message, wParam, lParam);
}

void Pump()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

struct Counts {
    int popups, reloads, passes, skins, abouts;
};

// With --every N, the figures after every N rounds as well: where the memory
// goes up and comes down again within a run.
int traceEvery = 0, roundsRun = 0;

// With --leak N, N KB more held after every round of the second half: the
// verdict must then say the memory grows.
int leakKb = 0;
std::vector<std::unique_ptr<char[]>> leaked;

// One half of the soak; the operations interleave as a day's use would.
void RunHalf(TForm1& form, TAboutBox& about, const Counts& n, bool leak = false)
{
    const int rounds = std::max({n.popups, n.reloads, n.passes, n.skins, n.abouts});
    for (int i = 0; i < rounds; ++i, ++roundsRun) {
        if (traceEvery > 0 && roundsRun > 0 && roundsRun % traceEvery == 0)
            PrintUsage(("round " + std::to_string(roundsRun)).c_str(), Measure());
        if (i < n.popups)
            form.TrayIcon1->ShowPopup(100, 100);
        if (i < n.reloads)
            form.congzaiwodecenxvClick(nullptr);
        if (i < n.passes) {
            form.kaisiyincangClick(nullptr);
            form.huifuClick(nullptr);
        }
        if (i < n.skins)
            form.huanpifuClick(nullptr);
        if (i < n.abouts) {
            about.ShowInFront();
            Pump();
            about.OKButtonClick();
        }
        if (leak && leakKb > 0) {
            leaked.emplace_back(new char[leakKb * 1024]);
            std::memset(leaked.back().get(), 1, leakKb * 1024);
        }
        Pump();
    }
}

int Soak(const char* fakeShell, const char* skin, const Counts& total)
{
    const std::string dir = NewFolder("soak");
    std::printf("soak: making %d shortcuts in %s\n", kShortcuts, dir.c_str());
    std::fflush(stdout);
    if (!MakeShortcuts(dir, false))
        return 1;
    ::CreateDirectoryA((dir + "\\皮肤").c_str(), nullptr);
    if (!::CopyFileA(skin, (dir + "\\皮肤\\兰红_Slate.skn").c_str(), FALSE)) {
        std::fprintf(stderr, "soak_bench: cannot copy the skin %s\n", skin);
        return 1;
    }

    // The fake shell, 40 buttons, on a desktop of its own where the passes find it.
    const std::string texts = dir + "\\texts", log = dir + "\\shell.log";
    {
        std::ofstream file(texts, std::ios::binary);
        for (int i = 0; i < 40; ++i)
            file << "程序 " << i << " 的提示\n";
    }
    std::string desktopName = "SoakBench" + std::to_string(::GetCurrentProcessId());
    HDESK desktop = ::CreateDesktopA(desktopName.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION shell {};
    std::string command = std::string("\"") + fakeShell + "\" \"" + log + "\" \"" + texts + "\"";
    if (!desktop
        || !::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &shell)) {
        std::fprintf(stderr, "soak_bench: the fake shell did not start\n");
        return 1;
    }
    ::Sleep(2000);

    const Counts half {total.popups / 2, total.reloads / 2, total.passes / 2, total.skins / 2, total.abouts / 2};
    Usage start, middle, end;
    double seconds[2] = {};
    std::atomic<bool> done {false};
    std::thread work([&] {
        ::SetThreadDesktop(desktop);
        QuietOs quiet;
        SetOs(&quiet);
        {
            TForm1 form;
            TAboutBox about;
            form.ProgramDir = dir;
            form.MyProgramsDir = dir + "\\我的程序";
            form.SoundDir = dir + "\\音效";
            form.TrayHideRecordPath = dir + "\\hidden-soak";
            form.IconList = std::make_unique<ImageList>();
            form.IconList->Assign(form.ImageList1);
            const HWND popupOwner = Application::Instance().PopupOwner();
            notifyProc = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(popupOwner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosingNotifyProc)));
            // Everything built once, so the start counts what a running program holds.
            RunHalf(form, about, {1, 1, 1, 1, 1});
            roundsRun = 0;
            start = Measure();
            PrintUsage("start", start);
            for (int h = 0; h < 2; ++h) {
                const auto began = std::chrono::steady_clock::now();
                RunHalf(form, about, half, h == 1);
                seconds[h] = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
                (h == 0 ? middle : end) = Measure();
                PrintUsage(h == 0 ? "middle" : "end", h == 0 ? middle : end);
            }
            ::SetWindowLongPtrA(popupOwner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(notifyProc));
            form.IconList.reset();
        }
        SetOs(nullptr);
        done = true;
    });
    // The form's windows send to the application's window on this thread.
    while (!done) {
        Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    work.join();
    ::TerminateProcess(shell.hProcess, 0);
    ::CloseHandle(shell.hProcess);
    ::CloseHandle(shell.hThread);

    std::printf("%d tray popups, %d reloads of %d shortcuts, %d hide/restore passes over 40 buttons, %d skin "
                "reloads, %d About box openings: %.0f s + %.0f s\n",
        half.popups * 2, half.reloads * 2, kShortcuts, half.passes * 2, half.skins * 2, half.abouts * 2, seconds[0],
        seconds[1]);
    const bool flat = Flat(middle.gdi, end.gdi, 20) && Flat(middle.user, end.user, 20)
        && Flat(middle.handles, end.handles, 20) && Flat(middle.privateMb, end.privateMb, 0);
    std::printf("end against middle: GDI %+ld, USER %+ld, kernel handles %+ld, private %+.2f MB: %s\n",
        static_cast<long>(end.gdi) - static_cast<long>(middle.gdi),
        static_cast<long>(end.user) - static_cast<long>(middle.user),
        static_cast<long>(end.handles) - static_cast<long>(middle.handles), end.privateMb - middle.privateMb,
        flat ? "flat" : "GROWING");
    return flat ? 0 : 3;
}

// ---- Starts of the real program ---------------------------------------------

struct Found {
    DWORD pid;
    const char* className;
    bool visibleOnly;
    HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    Found& f = *reinterpret_cast<Found*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (owner != f.pid || std::strcmp(name, f.className) != 0 || (f.visibleOnly && !::IsWindowVisible(window)))
        return TRUE;
    f.window = window;
    return FALSE;
}

HWND WindowOf(DWORD pid, const char* className, bool visibleOnly)
{
    Found found {pid, className, visibleOnly, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

bool IconRegistered(HWND window)
{
    NOTIFYICONDATAA probe {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

std::string Beside(const std::string& exe, const char* name)
{
    return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

int Starts(int count, const std::string& exe)
{
    const DWORD kGiveUpMs = 180000;
    std::printf("start  main window (s)  tray icon (s)\n");
    int hung = 0;
    for (int n = 1; n <= count; ++n) {
        const std::string dir = NewFolder("start" + std::to_string(n));
        if (!MakeShortcuts(dir, true))
            return 1;
        std::ofstream(dir + "\\set", std::ios::binary) << "1\r\n1\r\n";
        for (const char* name : {"SysHookDLL.dll", "copy_Key.dll", "tubiaodesk2.ico"})
            ::CopyFileA(Beside(exe, name).c_str(), (dir + "\\" + name).c_str(), FALSE);
        STARTUPINFOA startup {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info {};
        std::string line = "\"" + exe + "\"";
        const auto began = std::chrono::steady_clock::now();
        if (!::CreateProcessA(
                exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &info))
            return 1;
        auto since = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(); };
        double toWindow = -1, toIcon = -1;
        HWND main = nullptr;
        while (since() * 1000 < kGiveUpMs && (toWindow < 0 || toIcon < 0)) {
            if (toWindow < 0 && (main = WindowOf(info.dwProcessId, "TForm1", true)))
                toWindow = since();
            HWND notify = WindowOf(info.dwProcessId, "TrayIconNotifyWindow", false);
            if (toIcon < 0 && notify && IconRegistered(notify))
                toIcon = since();
            if (::WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0)
                break;
        }
        std::printf("%5d  %15.2f  %13.2f%s\n", n, toWindow, toIcon, toWindow < 0 ? "   (no main window)" : "");
        std::fflush(stdout);
        hung += toWindow < 0;
        if (main)
            ::PostMessageA(main, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(info.hProcess, 20000) != WAIT_OBJECT_0)
            ::TerminateProcess(info.hProcess, 1);
        ::CloseHandle(info.hProcess);
        ::CloseHandle(info.hThread);
    }
    std::printf("%d of %d starts never showed the main window\n", hung, count);
    return hung ? 3 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    Application::Instance().Initialize();
    Application::Instance().SetTitle(kApplicationTitle);
    if (argc >= 3 && std::strcmp(argv[1], "--starts") == 0)
        return Starts(std::max(1, std::atoi(argv[2])), argc >= 4 ? argv[3] : "TrayStartMenu.exe");
    if (argc < 3) {
        std::fprintf(stderr,
            "usage: soak_bench <fake_shell.exe> <skin file> [--popups N] ...\n"
            "       soak_bench --starts N <TrayStartMenu.exe>\n");
        return 2;
    }
    traceEvery = ArgValue(argc, argv, "--every", 0);
    leakKb = ArgValue(argc, argv, "--leak", 0);
    const Counts total {ArgValue(argc, argv, "--popups", 1000), ArgValue(argc, argv, "--reloads", 200),
        ArgValue(argc, argv, "--passes", 200), ArgValue(argc, argv, "--skins", 100),
        ArgValue(argc, argv, "--abouts", 100)};
    return Soak(argv[1], argv[2], total);
}
