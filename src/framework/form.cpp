#include "framework/form.h"

#include "framework/application.h"
#include "framework/menu.h"
#include "framework/window_class.h"

Form::Form(const char* className, const std::string& caption, int left, int top, int width, int height)
{
    Application& app = Application::Instance();
    app.Initialize();
    EnsureWindowClass(className, DefWindowProcA, CS_DBLCLKS);
    // Owned by the application window, so the form has no taskbar button of its own.
    handle_ = ::CreateWindowExA(0, className, caption.c_str(),
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, ScaleForDpi(width),
                                ScaleForDpi(height), app.Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::WindowProc));
    app.AddForm(this);
}

Form::~Form()
{
    Application::Instance().RemoveForm(this);
    if (handle_) {
        if (menu_)
            ::SetMenu(handle_, nullptr);  // the menu object destroys its own handle
        ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
    if (font_)
        ::DeleteObject(font_);
}

std::string Form::Caption() const
{
    int length = ::GetWindowTextLengthA(handle_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = ::GetWindowTextA(handle_, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void Form::SetCaption(const std::string& caption) { ::SetWindowTextA(handle_, caption.c_str()); }

RECT Form::Bounds() const
{
    RECT r{};
    ::GetWindowRect(handle_, &r);
    return r;
}

void Form::Show()
{
    if (visible_)
        return;
    if (!shownBefore_ && CenterOnFirstShow) {
        RECT r = Bounds();
        int w = r.right - r.left, h = r.bottom - r.top;
        int x = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        int y = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
        ::SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    shownBefore_ = true;
    visible_ = true;
    ::ShowWindow(handle_, SW_SHOW);
    ::SetForegroundWindow(handle_);
    DoShow();
}

void Form::Hide()
{
    if (!visible_)
        return;
    visible_ = false;
    ::ShowWindow(handle_, SW_HIDE);
}

void Form::Close()
{
    Application& app = Application::Instance();
    bool isMain = app.MainForm() == this;
    CloseAction action = isMain ? CloseAction::Free : CloseAction::Hide;
    DoClose(action);
    if (action == CloseAction::None)
        return;
    if (isMain)
        app.Terminate();
    else if (action == CloseAction::Minimize)
        ::ShowWindow(handle_, SW_MINIMIZE);
    else
        Hide();
}

void Form::SetMainMenu(MainMenu* menu)
{
    menu_ = menu;
    ::SetMenu(handle_, menu ? menu->Handle() : nullptr);
    if (menu)
        menu->SetWindow(handle_);
}

void Form::SetIcon(HICON icon)
{
    ::SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::SetFont(const char* face, int height)
{
    if (font_)
        ::DeleteObject(font_);
    font_ = ::CreateFontA(height < 0 ? -ScaleForDpi(-height) : ScaleForDpi(height), 0, 0, 0, FW_NORMAL, FALSE,
                          FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face);
    ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void Form::RunOnCreate()
{
    Application::Instance().Guard([this] { DoCreate(); });
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result))
        return result;
    if (HandleMenuMessage(handle_, message, wParam, lParam, result))
        return result;
    Application& app = Application::Instance();
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        // The application window owns the taskbar button: minimising the main
        // form minimises the application (and whoever hooks it sees that).
        if ((wParam & 0xFFF0) == SC_MINIMIZE && app.MainForm() == this) {
            ::SendMessageA(app.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        break;
    case WM_SIZE:
        DoResize();
        break;
    default:
        break;
    }
    return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return ::DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    bool done = false;
    Application::Instance().Guard([&] {
        result = form->Dispatch(message, wParam, lParam);
        done = true;
    });
    return done ? result : 0;
}
