// Times the tray-icon hiding and restoring passes over 40 buttons of the fake
// shell (tests/hotkeys/helpers/fake_shell.cpp) two ways and prints the figures
// side by side:
//   (a) a full button lookup per position, each with its own process opening
//       and block, as the passes were first designed (about n * n reads);
//   (b) the program's own passes: each text read once, one opening per pass.
// Both send the toolbar the same hide messages and tray refreshes.
//
//   wine tray_hide_bench.exe <fake_shell.exe> [--buttons N] [--rounds N]
#include "hotkeys/tray_hider.h"

#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kHideButton = 0x0404;

class CountingAccess : public Win32TrayShellAccess {
public:
    HANDLE OpenShellProcess(DWORD processId) override
    {
        ++openings;
        return Win32TrayShellAccess::OpenShellProcess(processId);
    }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == 0x0417 || message == 0x042D || message == 0x1305)
            ++reads;
        return Win32TrayShellAccess::Send(window, message, wParam, lParam);
    }
    long reads = 0, openings = 0;
};

// The program's own icon and the refresh icon, as the main window has them.
class Icons {
public:
    // Keyed by the desktop's window, so every round finds the same own icon.
    Icons()
        : window_(::GetDesktopWindow())
    {
    }
    void Notify(DWORD message, UINT id, const char* tip)
    {
        NOTIFYICONDATAA data {};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = window_;
        data.uID = id;
        data.uFlags = NIF_ICON | (tip ? NIF_TIP : 0);
        data.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
        if (tip)
            std::strcpy(data.szTip, tip);
        ::Shell_NotifyIconA(message, &data);
    }
    void SetOwn(bool active) { Notify(active ? NIM_ADD : NIM_DELETE, 1, "博闲托盘区开始菜单"); }
    void Refresh()
    {
        Notify(NIM_ADD, 0, nullptr);
        Notify(NIM_DELETE, 0, nullptr);
    }

private:
    HWND window_;
};

// The first design: every position looks its text up again from scratch.
void LookupPerPosition(TrayHider& hider, const TrayPassContext& context, bool hiding)
{
    HWND toolbar = hider.FindTrayToolbar();
    if (!toolbar)
        return;
    if (hiding)
        context.setOwnIconActive(false);
    {
        TrayToolbarSession session(
            hider.Access(), toolbar, ChooseTrayProtocol(context.majorVersion, context.minorVersion));
        const int count = session.Count();
        for (int i = 0; i < count; ++i) {
            const int k = hider.LocateTrayButton(session.ReadText(i), context.majorVersion, context.minorVersion);
            if (hiding) {
                hider.Access().Send(toolbar, kHideButton, static_cast<WPARAM>(k + 1), 1);
                context.refreshTray();
            }
            hider.Access().Send(toolbar, kHideButton, static_cast<WPARAM>(static_cast<INT_PTR>(k)), hiding ? 1 : 0);
            context.refreshTray();
        }
    }
    if (hiding)
        context.setOwnIconActive(true);
}

struct Figures {
    long reads = 0, openings = 0;
    double ms = 0;
};

Figures Run(bool firstDesign, bool hiding, int rounds)
{
    Figures figures;
    for (int round = 0; round < rounds; ++round) {
        auto access = std::make_unique<CountingAccess>();
        CountingAccess* counts = access.get();
        TrayHider hider(std::move(access));
        Icons icons;
        const TrayPassContext context {
            6, 1, [&icons](bool active) { icons.SetOwn(active); }, [&icons] { icons.Refresh(); }};
        const auto start = std::chrono::steady_clock::now();
        if (firstDesign)
            LookupPerPosition(hider, context, hiding);
        else if (hiding)
            hider.HidingPass(context);
        else
            hider.RestoringPass(context);
        figures.ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        figures.reads += counts->reads;
        figures.openings += counts->openings;
    }
    figures.ms /= rounds;
    figures.reads /= rounds;
    figures.openings /= rounds;
    return figures;
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "tray_hide_bench_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
}

bool WaitForReady(const std::string& log)
{
    for (int i = 0; i < 500; ++i) {
        std::ifstream file(log);
        std::string line;
        if (std::getline(file, line) && line == "ready")
            return true;
        ::Sleep(20);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tray_hide_bench <fake_shell.exe> [--buttons N] [--rounds N]\n");
        return 2;
    }
    int buttons = 40, rounds = 3;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--buttons") == 0)
            buttons = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::atoi(argv[i + 1]);
    }
    const std::string texts = TempPath("texts"), log = TempPath("log");
    {
        std::ofstream file(texts, std::ios::binary);
        for (int i = 0; i < buttons; ++i)
            file << "程序 " << i << " 的提示\n";
    }
    std::string desktopName = "TrayHideBench" + std::to_string(::GetCurrentProcessId());
    HDESK desktop = ::CreateDesktopA(desktopName.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    STARTUPINFOA startup {};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION shell {};
    std::string command = std::string("\"") + argv[1] + "\" \"" + log + "\" \"" + texts + "\"";
    if (!desktop
        || !::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &shell)
        || !WaitForReady(log)) {
        std::fprintf(stderr, "tray_hide_bench: the fake shell did not start\n");
        return 1;
    }

    Figures results[2][2]; // [design][hiding]
    std::thread work([&] {
        ::SetThreadDesktop(desktop);
        Icons().SetOwn(true);
        for (int design = 0; design < 2; ++design) {
            results[design][1] = Run(design == 0, true, rounds);
            results[design][0] = Run(design == 0, false, rounds);
        }
    });
    work.join();

    std::printf("Tray-icon passes over %d buttons of the fake shell (mean of %d rounds)\n", buttons, rounds);
    std::printf("%-28s %10s %10s %12s\n", "", "reads", "openings", "wall ms");
    const char* names[2] = {"(a) lookup per position", "(b) each text read once"};
    for (int hiding = 1; hiding >= 0; --hiding) {
        for (int design = 0; design < 2; ++design) {
            const Figures& f = results[design][hiding];
            std::printf("%-28s %10ld %10ld %12.1f\n",
                (std::string(hiding ? "hide " : "restore ") + names[design]).c_str(), f.reads, f.openings, f.ms);
        }
        const Figures& a = results[0][hiding];
        const Figures& b = results[1][hiding];
        std::printf("%-28s %10.3f %10.3f %12.3f   (read limit 2n + 10 = %d)\n", "ratio (b)/(a)",
            a.reads ? double(b.reads) / a.reads : 0.0, a.openings ? double(b.openings) / a.openings : 0.0,
            a.ms > 0 ? b.ms / a.ms : 0.0, 2 * (buttons + 1) + 10);
    }

    ::TerminateProcess(shell.hProcess, 0);
    ::WaitForSingleObject(shell.hProcess, 5000);
    ::CloseHandle(shell.hProcess);
    ::CloseHandle(shell.hThread);
    ::DeleteFileA(texts.c_str());
    ::DeleteFileA(log.c_str());
    return 0;
}
