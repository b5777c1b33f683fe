#include "launcher/shell_icons.h"

#include "framework/scoped.h"
#include "framework/worker_thread.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <tuple>
#include <utility>

namespace {
std::atomic<long> lookups {0};
std::atomic<long> held {0};

// A lookup waits on the file system and the shell's services part of the
// time, so a few more workers than cores still shorten a build.
std::size_t WorkerCount(std::size_t jobs)
{
    const std::size_t cores = std::size_t {WorkerThread::ProcessorCount()};
    return std::min({std::max<std::size_t>(2, 2 * cores), std::size_t {8}, jobs});
}

// {46EB5926-582E-4017-9FDF-E8998DAA0950}, the image-list interface.
const GUID kImageListInterface = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

// The shell's list of large icons, the one SHGFI_ICON takes its icons from;
// where the system cannot name it (before XP), the list a lookup returned.
HIMAGELIST LargeIconList(HIMAGELIST returned)
{
    using GetImageList = HRESULT(WINAPI*)(int, REFIID, void**);
    static const auto get = reinterpret_cast<GetImageList>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("shell32.dll"), MAKEINTRESOURCEA(727))));
    void* list = nullptr;
    if (get && SUCCEEDED(get(SHIL_LARGE, kImageListInterface, &list)) && list) {
        // The interface is the list itself; the shell keeps it alive.
        static_cast<IUnknown*>(list)->Release();
        return static_cast<HIMAGELIST>(list);
    }
    return returned;
}

// Where a file's icon sits in the shell's cache, overlay included.
struct CachePlace {
    HIMAGELIST list = nullptr;
    int index = -1;
    int overlay = 0;
};
} // namespace

HICON FetchShellIcon(const std::string& path)
{
    ++lookups;
    SHFILEINFOA info {};
    // Only the call's result tells success: after a failure the handle field
    // may hold a stale value that is no icon at all.
    if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON))
        return nullptr;
    if (info.hIcon)
        ++held;
    return info.hIcon;
}

ShellIcons FetchShellIcons(const std::vector<std::string>& paths)
{
    // The workers find each file's place in the shell's icon cache, which is
    // the costly part (reading the shortcut, extracting its icon, adding the
    // overlay). The handles are then taken out of the cache here, on one
    // thread: the cache is one shared image list, and taking icons out of it
    // on several threads at once deadlocks under Wine 8.
    std::vector<CachePlace> places(paths.size());
    std::atomic<std::size_t> next {0};
    auto work = [&] {
        ComApartment com;
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            ++lookups;
            SHFILEINFOA info {};
            const DWORD_PTR list = ::SHGetFileInfoA(
                paths[i].c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_ADDOVERLAYS | SHGFI_OVERLAYINDEX);
            if (list)
                places[i] = {reinterpret_cast<HIMAGELIST>(list), info.iIcon & 0x00FFFFFF, (info.iIcon >> 24) & 0xFF};
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
    // handle for each, as SHGFI_ICON would give it.
    ShellIcons result;
    result.iconOf.assign(paths.size(), -1);
    std::map<std::tuple<HIMAGELIST, int, int>, int> taken;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const CachePlace& place = places[i];
        if (!place.list)
            continue;
        const auto key = std::make_tuple(LargeIconList(place.list), place.index, place.overlay);
        auto same = taken.find(key);
        if (same != taken.end()) {
            result.iconOf[i] = same->second;
            continue;
        }
        HICON icon = ImageList_GetIcon(std::get<0>(key), place.index, ILD_NORMAL | INDEXTOOVERLAYMASK(place.overlay));
        if (!icon)
            continue;
        ++held;
        result.icons.push_back(icon);
        result.iconOf[i] = static_cast<int>(result.icons.size() - 1);
        taken.emplace(key, result.iconOf[i]);
    }
    return result;
}

long ShellIconLookups() { return lookups.load(); }

void ReleaseShellIcon(HICON icon)
{
    if (icon && ::DestroyIcon(icon))
        --held;
}

void DestroyIcons(std::vector<HICON>& icons)
{
    for (HICON& icon : icons) {
        ReleaseShellIcon(icon);
        icon = nullptr;
    }
}

long ShellIconsHeld() { return held.load(); }
