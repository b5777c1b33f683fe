// The base of every window the program creates: the object is bound to its
// window at WM_NCCREATE, so it sees every message from the first on, and each
// message reaches the object through the error guard the application installs.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <utility>

// What becomes of an exception a window's handler lets out: the application
// installs its error box here (null `error`: not a std::exception). Without
// one the error is dropped, so that it never unwinds through the system.
using WindowErrorHandler = void (*)(const std::exception* error);
void SetWindowErrorHandler(WindowErrorHandler handler);
void ReportWindowError(const std::exception* error);

// Runs `action`, sending any exception to the installed handler; every
// window procedure and subclass runs its handlers through it.
template <class F> bool GuardWindowCall(F&& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        ReportWindowError(&error);
    } catch (...) {
        ReportWindowError(nullptr);
    }
    return false;
}

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }

protected:
    // Registers `className` on first use with the shared window procedure and
    // creates the window; the handle is set before the first message.
    HWND CreateHandle(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
        int height, HWND parent, UINT classStyle = 0);
    // Destroys the window now (the destructor does it otherwise).
    void DestroyHandle();
    // Every message of the window. The default passes it on to DefWindowProc.
    virtual LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_ = nullptr;
};

// A window whose messages go to a handler of its owner first (hidden
// notification windows, the application's own windows).
class HandlerWindow : public Window {
public:
    // True when the handler has handled the message and set its result.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    explicit HandlerWindow(Handler handler)
        : handler_(std::move(handler))
    {
    }
    HWND Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
        int height, HWND parent)
    {
        return CreateHandle(exStyle, className, title, style, x, y, width, height, parent);
    }
    using Window::DestroyHandle;

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (handler_ && handler_(message, wParam, lParam, result))
            return result;
        return DefaultMessage(message, wParam, lParam);
    }

private:
    Handler handler_;
};
