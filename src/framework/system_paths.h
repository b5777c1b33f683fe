// Where the system keeps its own programs, and how this process looks for
// libraries: the system's tools are started by full path and libraries are
// never taken from the current folder, so a file planted in a folder the
// program happens to start in is never run.
#pragma once
#include <string>

// The system folder ("C:\Windows\System32"), without a trailing backslash.
std::string SystemFolder();
// The system-wide Windows folder ("C:\Windows"), without a trailing backslash;
// on a terminal server this is not the user's private Windows folder.
std::string SystemWindowsFolder();
// `folder` + "\" + `name`.
std::string PathIn(const std::string& folder, const char* name);

// Takes the current folder out of the library search order. The calls for it
// are looked up at run time: older systems lack them and keep their order.
void RestrictLibrarySearch();
