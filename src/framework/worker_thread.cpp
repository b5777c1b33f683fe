#include "framework/worker_thread.h"

#include <process.h>

#include <memory>
#include <utility>

WorkerThread::WorkerThread(std::function<void()> work)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    // The C runtime's own start keeps its per-thread state right for code
    // that uses it (errno, locale, exceptions).
    const uintptr_t started = ::_beginthreadex(nullptr, 0, &WorkerThread::Run, owned.get(), 0, nullptr);
    if (started) {
        handle_ = reinterpret_cast<HANDLE>(started);
        owned.release(); // the thread frees it
    }
}

WorkerThread::WorkerThread(WorkerThread&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr))
{
}

WorkerThread& WorkerThread::operator=(WorkerThread&& other) noexcept
{
    if (this != &other) {
        Join();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void WorkerThread::Join()
{
    if (!handle_)
        return;
    ::WaitForSingleObject(handle_, INFINITE);
    ::CloseHandle(std::exchange(handle_, nullptr));
}

unsigned WorkerThread::ProcessorCount()
{
    SYSTEM_INFO info {};
    ::GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? info.dwNumberOfProcessors : 1;
}

unsigned __stdcall WorkerThread::Run(void* work)
{
    std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
    try {
        (*owned)();
    } catch (...) {
        // An exception must not cross the thread's start; the work reports
        // its own results.
    }
    return 0;
}
