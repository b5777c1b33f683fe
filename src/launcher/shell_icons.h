// Shell icons of files, one lookup each, alone or many at once on worker
// threads.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The file's icon as the shell shows it (large, with a shortcut's overlay),
// or null when the shell reports failure. The caller destroys it.
HICON FetchShellIcon(const std::string& path);

// The icons of `paths`, in the same order, looked up on worker threads that
// each initialise COM for themselves; returns when all are done. Nulls for
// failed lookups; the caller destroys the others.
std::vector<HICON> FetchShellIcons(const std::vector<std::string>& paths);

// Shell icon lookups made by this process so far.
long ShellIconLookups();

// Destroys an icon that FetchShellIcon(s) gave.
void ReleaseShellIcon(HICON icon);
// Destroys every non-null icon of `icons` and nulls it.
void DestroyIcons(std::vector<HICON>& icons);
// Icons fetched and not yet released.
long ShellIconsHeld();
