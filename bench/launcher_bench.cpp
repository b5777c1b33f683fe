// Builds the two "我的程序" trees over 1,000 real shortcuts in 50 folders
// (3 levels) three ways and prints the figures side by side:
//   (a) one shell icon lookup per shortcut and tree, all on this thread,
//       each tree enumerated on its own, as the launcher was first designed;
//   (b) the program's own build: one reading, each icon looked up once (on
//       worker threads on Windows, on this thread under Wine), the images
//       added as strips;
//   (c) the automatic rebuild after one shortcut was added, which looks up
//       only that shortcut's icon and makes again only the menus and images
//       the change touched.
// Then the process's private bytes and GDI/USER objects after a build and
// after repeated reloads.
//
//   wine launcher_bench.exe [--reloads N] [--rounds N]
//
// The memory figures come from fresh processes of this program (--alone,
// --alone-first), so that one build's traces do not count for the other.
#include "app/unit1.h"
#include "framework/application.h"
#include "framework/os.h"
#include "launcher/shell_icons.h"
#include "launcher/shortcut_menus.h"
#include "support/shortcut_file.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {
// Shell icon lookups and icons held, counted while the benchmark runs.
ShellIconCounters iconCounts;

const int kTopFolders = 5, kMiddleFolders = 3, kLowFolders = 2; // 5 + 15 + 30 = 50 folders
const int kShortcutsPerFolder = 20; // 1,000 shortcuts

// Nothing outward happens during a benchmark.
class QuietOs : public OsInterface {
public:
    int ShowMessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
    bool PlaySoundAsync(const std::string&) override { return true; }
};

// The shortcut tree: each folder holds 20 shortcuts, copies of a few real
// ones so the icons differ.
int MakeTree(const std::string& programs)
{
    const char* targets[] = {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe", "C:\\windows\\explorer.exe",
        "C:\\windows", "C:\\windows\\system32\\winecfg.exe"};
    std::vector<std::string> samples;
    for (size_t i = 0; i < std::size(targets); ++i) {
        const std::string sample = programs + "\\sample" + std::to_string(i) + ".lnk";
        if (!SaveShortcut(sample, targets[i]))
            return -1;
        samples.push_back(sample);
    }
    std::vector<std::string> folders;
    for (int a = 0; a < kTopFolders; ++a) {
        const std::string top = programs + "\\分类" + std::to_string(a);
        folders.push_back(top);
        for (int b = 0; b < kMiddleFolders; ++b) {
            const std::string middle = top + "\\组" + std::to_string(b);
            folders.push_back(middle);
            for (int c = 0; c < kLowFolders; ++c)
                folders.push_back(middle + "\\项" + std::to_string(c));
        }
    }
    int made = 0;
    for (const std::string& folder : folders) {
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < kShortcutsPerFolder; ++i) {
            const std::string name = folder + "\\程序 " + std::to_string(i) + ".lnk";
            made += ::CopyFileA(samples[static_cast<size_t>(made) % samples.size()].c_str(), name.c_str(), FALSE) != 0;
        }
    }
    for (const std::string& sample : samples)
        ::DeleteFileA(sample.c_str());
    return made;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\" + name);
            else
                ::DeleteFileA((path + "\\" + name).c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(path.c_str());
}

// ---- (a) the first design, for comparison ----------------------------------
// Each tree enumerates the folder itself and asks the shell for every icon,
// one after the other on this thread.

void FirstDesignShortcuts(
    TForm1& form, const std::string& folder, MenuItem* menu, const MenuItem::ClickHandler& handler)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.lnk").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string caption = data.cFileName;
        caption.resize(caption.rfind('.'));
        MenuItem* item = menu->Add(std::string(), caption, -1, handler);
        item->SetImageIndex(form.ShortcutMenus1->AppendShellIcon(folder + "\\" + data.cFileName));
        ShortcutMenus::ApplyColumnBreak(item, menu);
        menu->AddSeparator();
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

void FirstDesignFolders(
    TForm1& form, const std::string& folder, MenuItem* parent, const MenuItem::ClickHandler& handler)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..")
            continue;
        MenuItem* item = parent->Add(std::string(), name, 0);
        ShortcutMenus::ApplyColumnBreak(item, parent);
        parent->AddSeparator();
        FirstDesignShortcuts(form, folder + "\\" + name, item, handler);
        FirstDesignFolders(form, folder + "\\" + name, item, handler);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

void FirstDesignBuild(TForm1& form)
{
    form.ImageList1.Clear();
    form.ImageList1.Assign(*form.IconList);
    const MenuItem::ClickHandler popup = [&form](MenuItem* s) { form.menu_cenxvkuaijieClick(s); };
    const MenuItem::ClickHandler bar = [&form](MenuItem* s) { form.formmenu_cenxvkuaijieClick(s); };
    form.menu_cenxvkuaijie->Clear();
    FirstDesignShortcuts(form, form.MyProgramsDir, form.menu_cenxvkuaijie, popup);
    FirstDesignFolders(form, form.MyProgramsDir, form.menu_cenxvkuaijie, popup);
    form.formmenu_wodecenxv->Clear();
    FirstDesignShortcuts(form, form.MyProgramsDir, form.formmenu_wodecenxv, bar);
    FirstDesignFolders(form, form.MyProgramsDir, form.formmenu_wodecenxv, bar);
}

// ---- Measuring ---------------------------------------------------------------

std::string Shape(const MenuItem* menu)
{
    std::string out;
    for (int i = 0; i < menu->Count(); ++i) {
        const MenuItem* item = menu->Item(i);
        out += item->Caption() + "#" + std::to_string(item->ImageIndex())
            + (item->Break() == MenuBreak::BarBreak ? "|" : "") + "{" + Shape(item) + "}";
    }
    return out;
}

struct Usage {
    double privateMb = 0; // as the system counts it (PrivateUsage)
    double committedMb = 0; // private committed pages, summed over the address space
    long iconsHeld = 0; // shell icons fetched and not yet destroyed
    DWORD gdi = 0, user = 0, handles = 0;
    bool guiCounted = true;
};

Usage Measure()
{
    Usage usage;
    PROCESS_MEMORY_COUNTERS_EX memory {};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(
            ::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        usage.privateMb = (memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / (1024.0 * 1024.0);
    ::SetLastError(0);
    usage.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    usage.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    usage.guiCounted = !(usage.gdi == 0 && usage.user == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED);
    ::GetProcessHandleCount(::GetCurrentProcess(), &usage.handles);
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr;
         ::VirtualQuery(address, &region, sizeof region) == sizeof region && region.RegionSize;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            usage.committedMb += region.RegionSize / (1024.0 * 1024.0);
        if (static_cast<const char*>(region.BaseAddress) + region.RegionSize < address)
            break;
    }
    usage.iconsHeld = iconCounts.held.load();
    return usage;
}

void PrintUsage(const char* when, const Usage& usage)
{
    std::printf("%-26s private bytes %7.2f MB (private committed pages %7.2f MB)   GDI %5lu   USER %5lu   "
                "kernel handles %4lu   shell icons held %ld%s\n",
        when, usage.privateMb, usage.committedMb, static_cast<unsigned long>(usage.gdi),
        static_cast<unsigned long>(usage.user), static_cast<unsigned long>(usage.handles), usage.iconsHeld,
        usage.guiCounted ? "" : "   (GetGuiResources: not implemented by this system)");
}

template <class F> double Seconds(F&& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int ArgValue(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(0, std::atoi(argv[i + 1]));
    return fallback;
}

const char* ArgText(int argc, char** argv, const char* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

// One form over the shortcut folder of `dir`, with form.IconList as start-up
// takes it.
void PointAt(TForm1& form, const std::string& dir)
{
    form.ProgramDir = dir;
    form.MyProgramsDir = dir + "\\我的程序";
    form.SoundDir = dir + "\\音效";
    form.IconList = std::make_unique<ImageList>();
    form.IconList->Assign(form.ImageList1);
}

// The memory figures, in a process that only ever runs the program's own
// build, so that nothing of the comparison is counted.
int MeasureAlone(const std::string& dir, int reloads, bool firstDesign)
{
    TForm1 form;
    PointAt(form, dir);
    const Usage atStart = Measure();
    // The shell's own start (its libraries, icon caches) comes with the first
    // lookup, whoever makes it.
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((form.MyProgramsDir + "\\分类0\\*.lnk").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        ::FindClose(find);
        ShellIcons one = FetchShellIcons({form.MyProgramsDir + "\\分类0\\" + found.cFileName});
        DestroyIcons(one.icons);
    }
    const Usage shellStarted = Measure();
    if (firstDesign) {
        FirstDesignBuild(form);
        PrintUsage("(a) after one shell lookup:", shellStarted);
        PrintUsage("(a) after a build:", Measure());
        form.IconList.reset();
        return 0;
    }
    form.congzaiwodecenxvClick(nullptr);
    const Usage afterBuild = Measure();
    const double reloadTime = Seconds([&] {
        for (int i = 0; i < reloads; ++i)
            form.congzaiwodecenxvClick(nullptr);
    });
    const Usage afterReloads = Measure();
    PrintUsage("before any build:", atStart);
    PrintUsage("after one shell lookup:", shellStarted);
    PrintUsage("after a build:", afterBuild);
    char label[64];
    std::snprintf(label, sizeof label, "after %d more reloads:", reloads);
    PrintUsage(label, afterReloads);
    std::printf("growth over the reloads: private %+.2f MB, committed %+.2f MB, GDI %+ld, USER %+ld, "
                "kernel handles %+ld; %.2f s a reload\n",
        afterReloads.privateMb - afterBuild.privateMb, afterReloads.committedMb - afterBuild.committedMb,
        static_cast<long>(afterReloads.gdi) - static_cast<long>(afterBuild.gdi),
        static_cast<long>(afterReloads.user) - static_cast<long>(afterBuild.user),
        static_cast<long>(afterReloads.handles) - static_cast<long>(afterBuild.handles),
        reloads ? reloadTime / reloads : 0.0);
    std::printf("the trees' own share (beyond the started shell): private %+.2f MB, committed %+.2f MB\n",
        afterReloads.privateMb - shellStarted.privateMb, afterReloads.committedMb - shellStarted.committedMb);
    form.IconList.reset();
    return 0;
}

// Runs this program again with `arguments` and waits for it.
int RunSelf(const std::string& arguments)
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    std::string line = "\"" + std::string(self) + "\" " + arguments;
    STARTUPINFOA start {};
    start.cb = sizeof start;
    PROCESS_INFORMATION info {};
    std::fflush(stdout);
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &info))
        return -1;
    ::WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

} // namespace

int main(int argc, char** argv)
{
    const int reloads = ArgValue(argc, argv, "--reloads", 100);
    const int rounds = std::max(1, ArgValue(argc, argv, "--rounds", 3));
    Application::Instance().Initialize();
    Application::Instance().SetTitle(kApplicationTitle);
    CountShellIcons(&iconCounts);
    QuietOs quiet;
    SetOs(&quiet);
    if (const char* dir = ArgText(argc, argv, "--alone"))
        return MeasureAlone(dir, reloads, false);
    if (const char* dir = ArgText(argc, argv, "--alone-first"))
        return MeasureAlone(dir, 0, true);

    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string dir = std::string(temp) + "launcher-bench-" + std::to_string(::GetCurrentProcessId());
    const std::string programs = dir + "\\我的程序";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    ::CreateDirectoryA(programs.c_str(), nullptr);
    const int shortcuts = MakeTree(programs);
    if (shortcuts <= 0) {
        std::printf("could not make the shortcut tree under %s\n", programs.c_str());
        return 1;
    }

    int status = 0;
    {
        TForm1 form;
        PointAt(form, dir);
        // The first lookups pay for the shell's start; neither side gets them.
        FirstDesignBuild(form);
        const std::string firstShape = Shape(form.menu_cenxvkuaijie) + "/" + Shape(form.formmenu_wodecenxv);
        const int firstImages = form.ImageList1.Count();
        form.congzaiwodecenxvClick(nullptr);
        const std::string ownShape = Shape(form.menu_cenxvkuaijie) + "/" + Shape(form.formmenu_wodecenxv);
        const bool same = firstShape == ownShape && firstImages == form.ImageList1.Count();

        std::vector<double> first, own;
        long firstLookups = 0, ownLookups = 0;
        for (int round = 0; round < rounds; ++round) {
            long before = iconCounts.lookups.load();
            first.push_back(Seconds([&] { FirstDesignBuild(form); }));
            firstLookups = iconCounts.lookups.load() - before;
            before = iconCounts.lookups.load();
            own.push_back(Seconds([&] { form.congzaiwodecenxvClick(nullptr); }));
            ownLookups = iconCounts.lookups.load() - before;
        }
        const double a = Median(first), b = Median(own);
        std::printf("shortcuts %d in 50 folders (3 levels); %u cores; median of %d rounds\n", shortcuts,
            std::thread::hardware_concurrency(), rounds);
        std::printf("(a) first design, two lookups per shortcut on the GUI thread: %7.3f s   icon lookups %ld\n", a,
            firstLookups);
        std::printf("(b) one reading, each icon looked up once (workers on Windows): %7.3f s   icon lookups %ld\n", b,
            ownLookups);
        std::printf("ratio b/a: %.3f (target <= 0.2)\n", b / a);
        std::printf(
            "both builds give the same trees and %d images: %s\n", form.ImageList1.Count(), same ? "yes" : "NO");
        if (!same)
            status = 2;

        // (c) the rebuild after one shortcut was added: the automatic one,
        // which keeps the icons of unchanged shortcuts.
        std::vector<double> added;
        long addedLookups = 0;
        bool shown = true;
        for (int round = 0; round < rounds; ++round) {
            const std::string name = "新程序 " + std::to_string(round);
            const std::string copy = form.MyProgramsDir + "\\分类1\\组2\\" + name + ".lnk";
            ::CopyFileA((form.MyProgramsDir + "\\分类0\\程序 0.lnk").c_str(), copy.c_str(), FALSE);
            const long before = iconCounts.lookups.load();
            added.push_back(Seconds([&] { form.RebuildShortcutTrees(); }));
            addedLookups = iconCounts.lookups.load() - before;
            shown = shown && Shape(form.menu_cenxvkuaijie).find(name + "#") != std::string::npos;
        }
        const double c = Median(added);
        std::printf("(c) one shortcut added, icons of the others kept:            %7.3f s   icon lookups %ld\n", c,
            addedLookups);
        std::printf(
            "ratio c/b: %.3f (target <= 0.05); the added shortcuts are in the tree: %s\n", c / b, shown ? "yes" : "NO");
        if (!shown)
            status = 2;
        form.IconList.reset();
    }
    std::printf("memory and objects of a process that only runs (b):\n");
    if (RunSelf("--alone \"" + dir + "\" --reloads " + std::to_string(reloads)) != 0)
        status = 3;
    std::printf("for comparison, a process that only runs one build of (a):\n");
    if (RunSelf("--alone-first \"" + dir + "\"") != 0)
        status = 3;
    SetOs(nullptr);
    RemoveTree(dir);
    return status;
}
