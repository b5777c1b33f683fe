#include "launcher/shell_icons.h"

#include <shellapi.h>

#include <atomic>

namespace {
std::atomic<long> lookups{0};
std::atomic<long> held{0};
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

ShellIcons FetchShellIcons(const std::vector<std::string>& paths)
{
    // One lookup after the other, on the calling thread. Lookups on several
    // threads at once hang under Wine 8: each takes its icon out of the
    // shell's one shared image list, and concurrent use of that list
    // deadlocks inside the graphics driver.
    ShellIcons result;
    result.iconOf.assign(paths.size(), -1);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (HICON icon = FetchShellIcon(paths[i])) {
            result.icons.push_back(icon);
            result.iconOf[i] = static_cast<int>(result.icons.size() - 1);
        }
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
