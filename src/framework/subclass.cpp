#include "framework/subclass.h"

#include "framework/window.h"

#include <commctrl.h>

#include <utility>

bool WindowSubclass::Install(HWND window, Handler handler)
{
    Remove();
    handler_ = std::move(handler);
    if (!::IsWindow(window)
        || !::SetWindowSubclass(
            window, &WindowSubclass::Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void WindowSubclass::Remove()
{
    if (!window_)
        return;
    if (::IsWindow(window_))
        ::RemoveWindowSubclass(window_, &WindowSubclass::Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT WindowSubclass::CallNext(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowSubclass::Procedure(
    HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<WindowSubclass*>(data);
    // A copy: the handler may free this object (its owner takes the subclass
    // off, or forgets the window as it goes) while it runs.
    const Handler handler = self->handler_;
    if (message == WM_NCDESTROY)
        self->Remove();
    if (!handler)
        return CallNext(window, message, wParam, lParam);
    LRESULT result = 0;
    // A handler that raised has shown its error; the message counts as handled.
    GuardWindowCall([&] { result = handler(window, message, wParam, lParam); });
    return result;
}
