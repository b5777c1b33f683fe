#include "launcher/shell_icons.h"

#include "framework/os.h"
#include "framework/scoped.h"
#include "framework/worker_thread.h"
#include "framework/wow64_redirection.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <utility>

namespace {
std::atomic<ShellIconCounters*> counters {nullptr};

void CountLookup()
{
    if (ShellIconCounters* c = counters.load())
        ++c->lookups;
}

void CountHeld(long change)
{
    if (ShellIconCounters* c = counters.load())
        c->held += change;
}

// A lookup waits on the file system and the shell's services part of the
// time, so a few more workers than cores still shorten a build.
std::size_t WorkerCount(std::size_t jobs)
{
    // Wine 8's X11 driver can deadlock two threads that take icons out of the
    // shell's image list at once, and every thread there opens an X
    // connection of its own: under Wine the lookups run on the calling thread.
    if (SystemIsWine())
        return 0;
    const std::size_t cores = std::size_t {WorkerThread::ProcessorCount()};
    return std::min({std::max<std::size_t>(2, 2 * cores), std::size_t {8}, jobs});
}

// The icon as the shell draws it for the user (overlays included), and its
// place in the shell's cache, which tells shortcuts that share an icon apart
// from those that only look alike.
constexpr UINT kIconFlags = SHGFI_ICON | SHGFI_ADDOVERLAYS | SHGFI_SYSICONINDEX | SHGFI_OVERLAYINDEX;

struct Fetched {
    HICON icon = nullptr;
    HIMAGELIST list = nullptr;
    int place = -1; // the cache index with the overlay in its high byte
};
} // namespace

void CountShellIcons(ShellIconCounters* installed) { counters = installed; }

HICON FetchShellIcon(const std::string& path)
{
    CountLookup();
    SHFILEINFOA info {};
    FileSystemRedirectionOff redirectionOff;
    // Only the call's result tells success: after a failure the handle field
    // may hold a stale value that is no icon at all.
    if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_ADDOVERLAYS))
        return nullptr;
    if (info.hIcon)
        CountHeld(1);
    return info.hIcon;
}

ShellIcons FetchShellIcons(const std::vector<std::string>& paths)
{
    std::vector<Fetched> fetched(paths.size());
    std::atomic<std::size_t> next {0};
    auto work = [&] {
        ComApartment com;
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            CountLookup();
            SHFILEINFOA info {};
            // A shortcut to a 64-bit-only System32 program shows that
            // program's icon, as in the 64-bit Explorer.
            FileSystemRedirectionOff redirectionOff;
            const DWORD_PTR list = ::SHGetFileInfoA(paths[i].c_str(), 0, &info, sizeof info, kIconFlags);
            // Only the result tells success: after a failure the handle field
            // may hold a stale value that is no icon at all.
            if (list && info.hIcon) {
                CountHeld(1);
                fetched[i] = {info.hIcon, reinterpret_cast<HIMAGELIST>(list), info.iIcon};
            }
        }
    };
    std::vector<WorkerThread> workers;
    for (std::size_t i = 0; i < WorkerCount(paths.size()); ++i) {
        WorkerThread worker(work);
        if (!worker.Running())
            break; // fewer workers; the last resort is this thread below
        workers.push_back(std::move(worker));
    }
    if (workers.empty())
        work();
    for (WorkerThread& worker : workers)
        worker.Join();

    // Many shortcuts share an icon (the same program, the same folder): one
    // handle for each.
    ShellIcons result;
    result.iconOf.assign(paths.size(), -1);
    std::map<std::pair<HIMAGELIST, int>, int> taken;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Fetched& one = fetched[i];
        if (!one.icon)
            continue;
        const auto key = std::make_pair(one.list, one.place);
        auto same = taken.find(key);
        if (same != taken.end()) {
            result.iconOf[i] = same->second;
            ReleaseShellIcon(one.icon);
            continue;
        }
        result.icons.push_back(one.icon);
        result.iconOf[i] = static_cast<int>(result.icons.size() - 1);
        taken.emplace(key, result.iconOf[i]);
    }
    return result;
}

void ReleaseShellIcon(HICON icon)
{
    if (icon && ::DestroyIcon(icon))
        CountHeld(-1);
}

void DestroyIcons(std::vector<HICON>& icons)
{
    for (HICON& icon : icons) {
        ReleaseShellIcon(icon);
        icon = nullptr;
    }
}
