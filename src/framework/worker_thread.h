// A worker thread on the system's own thread calls, joined when its owner
// goes: the C++ library's threads come with a thread library whose imports
// the older systems the program supports do not have.
#pragma once
#include <windows.h>

#include <functional>

class WorkerThread {
public:
    WorkerThread() = default;
    // Starts running `work`; Running() tells whether the thread came up.
    explicit WorkerThread(std::function<void()> work);
    ~WorkerThread() { Join(); }
    WorkerThread(WorkerThread&& other) noexcept;
    WorkerThread& operator=(WorkerThread&& other) noexcept;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool Running() const { return handle_ != nullptr; }
    // Waits for the work to end; nothing when no thread runs.
    void Join();

    // Processors the system schedules on (at least 1).
    static unsigned ProcessorCount();

private:
    static unsigned __stdcall Run(void* work);
    HANDLE handle_ = nullptr;
};
