// Watches a folder tree on a thread of its own and tells a window when
// anything below it changes: a file or folder added, removed, renamed or
// written, at any depth, or the folder itself going, coming back or being
// replaced. The thread only waits on the system's change notifications (no
// polling while the folder exists) and posts; it never touches the menus.
#pragma once
#include "framework/scoped.h"

#include <windows.h>

#include <atomic>
#include <string>

class FolderWatcher {
public:
    // Posts `message` to `window` after changes. At most one post is waiting
    // at a time: the window calls Acknowledge when it takes it. Returns once
    // the watch is in place (or after a short while), so that no change made
    // after it is missed.
    FolderWatcher(std::string folder, HWND window, UINT message);
    // Stops the thread and waits for it.
    ~FolderWatcher();
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;

    bool Running() const { return thread_.Valid(); }
    void Acknowledge() { posted_ = false; }

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    // Waits while the folder exists, until it goes or is replaced; false once stopped.
    bool WatchWhileThere();
    // Waits until the folder exists; false once stopped.
    bool WaitUntilThere();
    void Post();

    std::string folder_;
    std::string parent_;
    HWND window_;
    UINT message_;
    std::atomic<bool> posted_ {false};
    KernelHandle stop_;
    KernelHandle armed_; // set once the first watch is in place
    KernelHandle thread_;
};
