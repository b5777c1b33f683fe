#include "launcher/shell_icons.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace {
std::atomic<long> lookups{0};
std::atomic<long> held{0};

// A lookup waits on the file system and the wine/shell services part of the
// time, so a few more workers than cores still shorten a build.
std::size_t WorkerCount(std::size_t jobs)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min({std::max<std::size_t>(2, 2 * cores), std::size_t{8}, jobs});
}

class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (ok_)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};
}

HICON FetchShellIcon(const std::string& path)
{
    ++lookups;
    SHFILEINFOA info{};
    // Only the call's result tells success: after a failure the handle field
    // may hold a stale value that is no icon at all.
    if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON))
        return nullptr;
    if (info.hIcon)
        ++held;
    return info.hIcon;
}

std::vector<HICON> FetchShellIcons(const std::vector<std::string>& paths)
{
    std::vector<HICON> icons(paths.size(), nullptr);
    if (paths.empty())
        return icons;
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        ComScope com;
        for (std::size_t i = next++; i < paths.size(); i = next++)
            icons[i] = FetchShellIcon(paths[i]);
    };
    std::vector<std::thread> workers;
    const std::size_t count = WorkerCount(paths.size());
    for (std::size_t i = 0; i < count; ++i) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer workers; the last resort is this thread below
        }
    }
    if (workers.empty())
        work();
    for (std::thread& worker : workers)
        worker.join();
    return icons;
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
