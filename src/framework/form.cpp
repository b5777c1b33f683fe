#include "framework/form.h"

#include "framework/dpi.h"
#include "framework/menu.h"

namespace {
// WM_DPICHANGED, which the XP-level headers do not define.
constexpr UINT kDpiChangedMessage = 0x02E0;
} // namespace

Form::Form(FormHost& host, const char* className, const std::string& caption, int left, int top, int width, int height)
    : host_(host)
{
    // Owned by the application window, so the form has no taskbar button of its own.
    CreateHandle(0, className, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, ScaleForDpi(width),
        ScaleForDpi(height), host_.FormOwner(), CS_DBLCLKS);
    host_.AddForm(this);
}

Form::~Form()
{
    host_.RemoveForm(this);
    if (menu_ && Handle())
        ::SetMenu(Handle(), nullptr); // the menu object destroys its own handle
    DestroyHandle();
}

std::string Form::Caption() const
{
    int length = ::GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = ::GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void Form::SetCaption(const std::string& caption) { ::SetWindowTextA(Handle(), caption.c_str()); }

RECT Form::Bounds() const
{
    RECT r {};
    ::GetWindowRect(Handle(), &r);
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
        ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    shownBefore_ = true;
    visible_ = true;
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    DoShow();
}

void Form::Hide()
{
    if (!visible_)
        return;
    visible_ = false;
    ::ShowWindow(Handle(), SW_HIDE);
}

void Form::Close()
{
    bool isMain = host_.MainForm() == this;
    CloseAction action = isMain ? CloseAction::Free : CloseAction::Hide;
    DoClose(action);
    if (action == CloseAction::None)
        return;
    if (isMain)
        host_.Terminate();
    else if (action == CloseAction::Minimize)
        ::ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

void Form::SetMainMenu(MainMenu* menu)
{
    menu_ = menu;
    ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
    if (menu)
        menu->SetWindow(Handle());
}

void Form::SetIcon(HICON icon)
{
    ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::SetFont(const char* face, int height)
{
    font_.Reset(::CreateFontA(height < 0 ? -ScaleForDpi(-height) : ScaleForDpi(height), 0, 0, 0, FW_NORMAL, FALSE,
        FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
        DEFAULT_PITCH | FF_DONTCARE, face));
    ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void Form::RunOnCreate()
{
    GuardWindowCall([this] { DoCreate(); });
}

LRESULT Form::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleMessage(message, wParam, lParam, result))
        return result;
    if (HandleMenuMessage(Handle(), message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        // The application window owns the taskbar button: minimising the main
        // form minimises the application (and whoever hooks it sees that).
        if ((wParam & 0xFFF0) == SC_MINIMIZE && host_.MainForm() == this) {
            ::SendMessageA(host_.FormOwner(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return 0;
        }
        break;
    case WM_SIZE:
        DoResize();
        break;
    case kDpiChangedMessage: {
        // Moved to a monitor of another DPI (per-monitor awareness): take the
        // size the system proposes for it and paint everything again there.
        GuardWindowCall([this, wParam] { DoDpiChanged(wParam); });
        const auto* proposed = reinterpret_cast<const RECT*>(lParam);
        if (proposed)
            ::SetWindowPos(Handle(), nullptr, proposed->left, proposed->top, proposed->right - proposed->left,
                proposed->bottom - proposed->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ::DrawMenuBar(Handle());
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return 0;
    }
    default:
        break;
    }
    return DefaultMessage(message, wParam, lParam);
}
