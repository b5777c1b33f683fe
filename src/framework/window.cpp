#include "framework/window.h"

#include "framework/window_class.h"

namespace {
WindowErrorHandler errorHandler = nullptr;
} // namespace

void SetWindowErrorHandler(WindowErrorHandler handler) { errorHandler = handler; }

void ReportWindowError(const std::exception* error)
{
    if (errorHandler)
        errorHandler(error);
}

Window::~Window() { DestroyHandle(); }

HWND Window::CreateHandle(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
    int height, HWND parent, UINT classStyle)
{
    EnsureWindowClass(className, &Window::Procedure, classStyle);
    return ::CreateWindowExA(
        exStyle, className, title, style, x, y, width, height, parent, nullptr, ::GetModuleHandleA(nullptr), this);
}

void Window::DestroyHandle()
{
    if (!handle_)
        return;
    // Unbound first: the messages of the destruction go to the default
    // procedure, never to a half-destroyed object.
    HWND window = handle_;
    handle_ = nullptr;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
}

LRESULT Window::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultMessage(message, wParam, lParam);
}

LRESULT Window::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // A window of one of our classes created by someone else has no object.
        if (auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)) {
            self->handle_ = window;
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed from outside (by its owner, say): the object forgets it.
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    // A handler that raised has shown its error; the message counts as handled.
    GuardWindowCall([&] { result = self->WindowMessage(message, wParam, lParam); });
    return result;
}
