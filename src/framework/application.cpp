#include "framework/application.h"

#include "framework/error_text.h"
#include "framework/form.h"
#include "framework/menu.h"
#include "framework/os.h"

#include <algorithm>
#include <commctrl.h>
#include <objbase.h>

namespace {
const char kAppWindowClass[] = "TApplication";
const char kPopupWindowClass[] = "TPopupOwner";
} // namespace

Application::Application()
    : window_([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return HandleAppMessage(message, wParam, lParam, result);
    })
    , popupOwner_([](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return HandleMenuMessage(nullptr, message, wParam, lParam, result);
    })
{
    // Every window's handlers report their errors in the application's box.
    SetWindowErrorHandler([](const std::exception* error) {
        if (error)
            Instance().HandleException(*error);
        else
            Instance().HandleUnknownException();
    });
}

Application& Application::Instance()
{
    static Application app;
    return app;
}

void Application::Initialize()
{
    if (Handle())
        return;
    // Shell links and the shell's automation objects need an STA on this thread.
    comInitialized_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    // A zero-sized window in the middle of the screen: it carries the taskbar
    // button, and minimising it hides the forms it owns.
    int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    window_.Create(0, kAppWindowClass, title_.c_str(),
        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0, nullptr);
    popupOwner_.Create(WS_EX_TOOLWINDOW, kPopupWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr);
}

HWND Application::FormOwner()
{
    Initialize();
    return Handle();
}

void Application::SetTitle(const std::string& title)
{
    title_ = title;
    if (Handle())
        ::SetWindowTextA(Handle(), title_.c_str());
}

void Application::SetIcon(HICON icon)
{
    icon_ = icon;
    if (Handle()) {
        ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void Application::AddForm(Form* form)
{
    forms_.push_back(form);
    if (!mainForm_)
        mainForm_ = form;
}

void Application::RemoveForm(Form* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

bool Application::IsFormWindow(HWND window) const
{
    return std::any_of(forms_.begin(), forms_.end(), [window](Form* f) { return f->Handle() == window; });
}

bool Application::HasActiveForm() const { return IsFormWindow(::GetActiveWindow()); }

void Application::Run()
{
    if (mainForm_ && !terminated_) {
        STARTUPINFOA start {};
        start.cb = sizeof start;
        ::GetStartupInfoA(&start);
        WORD show = (start.dwFlags & STARTF_USESHOWWINDOW) ? start.wShowWindow : SW_SHOWNORMAL;
        ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        mainForm_->Show();
        if (show == SW_MINIMIZE || show == SW_SHOWMINIMIZED || show == SW_SHOWMINNOACTIVE)
            Minimize();
        else if (show == SW_MAXIMIZE)
            ::ShowWindow(mainForm_->Handle(), SW_MAXIMIZE);
    }
    MSG message;
    while (!terminated_) {
        BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void Application::Terminate()
{
    terminated_ = true;
    ::PostQuitMessage(0);
}

void Application::ProcessMessages()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void Application::Minimize()
{
    if (Handle() && !::IsIconic(Handle()))
        ::ShowWindow(Handle(), SW_MINIMIZE);
}

void Application::Restore()
{
    if (Handle() && ::IsIconic(Handle())) {
        ::ShowWindow(Handle(), SW_RESTORE);
        if (mainForm_ && mainForm_->Visible())
            ::SetForegroundWindow(mainForm_->Handle());
    }
}

int Application::AddWindowHook(WindowHook hook)
{
    int id = nextHookId_++;
    hooks_.push_back({id, std::move(hook)});
    return id;
}

void Application::RemoveWindowHook(int id)
{
    hooks_.erase(
        std::remove_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; }), hooks_.end());
}

HWND Application::DialogOwner() const
{
    HWND active = ::GetActiveWindow();
    return active ? active : Handle();
}

void Application::HandleException(const std::exception& error)
{
    Os().ShowMessageBox(DialogOwner(), ErrorBoxText(error.what()), title_, MB_OK | MB_ICONSTOP);
}

void Application::HandleUnknownException()
{
    Os().ShowMessageBox(DialogOwner(), ErrorBoxText("Unknown error"), title_, MB_OK | MB_ICONSTOP);
}

void Application::ShowMessage(const std::string& text) { Os().ShowMessageBox(DialogOwner(), text, title_, MB_OK); }

int Application::ShowMessageBox(const std::string& text, const std::string& caption, UINT type)
{
    return Os().ShowMessageBox(DialogOwner(), text, caption, type);
}

bool Application::HandleAppMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // By id, over a copy: a hook may remove itself (or another) while it runs,
    // and every remaining hook is still asked exactly once.
    std::vector<int> ids;
    for (const Hook& hook : hooks_)
        ids.push_back(hook.id);
    for (int id : ids) {
        auto found = std::find_if(hooks_.begin(), hooks_.end(), [id](const Hook& h) { return h.id == id; });
        if (found == hooks_.end())
            continue;
        WindowHook hook = found->hook; // the hook may remove itself while it runs
        if (hook(message, wParam, lParam, result))
            return true;
    }
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            Minimize();
            result = 0;
            return true;
        }
        if ((wParam & 0xFFF0) == SC_RESTORE) {
            Restore();
            result = 0;
            return true;
        }
        break;
    case WM_CLOSE:
        // Closing the taskbar button closes the main form, with its own rules.
        if (mainForm_)
            mainForm_->Close();
        result = 0;
        return true;
    case WM_ACTIVATE:
        // The zero-sized window passes activation on to the visible main form.
        if (LOWORD(wParam) != WA_INACTIVE && mainForm_ && mainForm_->Visible() && !::IsIconic(Handle()))
            ::SetFocus(mainForm_->Handle());
        result = 0;
        return true;
    default:
        break;
    }
    return false;
}
