// A subclass of one window through the system's subclass chain (comctl32,
// from Windows XP): any number of them on one window, each taken off in any
// order without disturbing the others, each handler run through the window
// error guard like every window procedure of the program.
#pragma once
#include <windows.h>

#include <functional>

class WindowSubclass {
public:
    // Sees every message of the window; it passes on what it does not handle
    // itself with CallNext.
    using Handler = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

    WindowSubclass() = default;
    ~WindowSubclass() { Remove(); }
    WindowSubclass(const WindowSubclass&) = delete;
    WindowSubclass& operator=(const WindowSubclass&) = delete;

    // False when the window does not exist (or belongs to another thread).
    bool Install(HWND window, Handler handler);
    // Takes this subclass off the window; the rest of its chain stays.
    void Remove();
    HWND Window() const { return window_; }

    // The next procedure in the window's chain, for the message being handled.
    static LRESULT CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(
        HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    HWND window_ = nullptr;
    Handler handler_;
};
