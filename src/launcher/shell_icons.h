// Shell icons of files, one lookup each.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

// The file's icon as the shell shows it (large, with a shortcut's overlay),
// or null when the shell reports failure. The caller destroys it.
HICON FetchShellIcon(const std::string& path);

// The shell's icons for many files: the distinct icons, and for each path
// the index of its icon among them (-1 when the shell had none).
struct ShellIcons {
    std::vector<HICON> icons;
    std::vector<int> iconOf;
};

// Looks every file up once (as FetchShellIcon does). The caller destroys the
// icons.
ShellIcons FetchShellIcons(const std::vector<std::string>& paths);

// Destroys an icon that FetchShellIcon(s) gave.
void ReleaseShellIcon(HICON icon);
// Destroys every non-null icon of `icons` and nulls it.
void DestroyIcons(std::vector<HICON>& icons);

// Counts for tests and benchmarks, kept only while they install them: shell
// icon lookups made, and icons fetched and not yet released.
struct ShellIconCounters {
    std::atomic<long> lookups {0};
    std::atomic<long> held {0};
};
// Installs the counters every lookup and release updates; null removes them.
void CountShellIcons(ShellIconCounters* counters);
