#include "framework/controls.h"

#include "framework/application.h"
#include "framework/window_class.h"

#include <commctrl.h>

namespace {
const char kPanelClass[] = "TPanel";
const char kPictureClass[] = "TImage";
const char kLabelClass[] = "TLabel";

// A tooltip showing `text` over `tool`, created on first use.
void SetToolTip(HWND tool, HWND& tooltip, std::string& text)
{
    if (!tooltip) {
        tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tool, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    TTTOOLINFOA info {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text.data();
    ::SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}
} // namespace

Panel::Panel(HWND parent, int left, int top, int width, int height, UINT edge)
{
    EnsureWindowClass(kPanelClass, WindowProc);
    handle_ = ::CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, ScaleForDpi(left),
        ScaleForDpi(top), ScaleForDpi(width), ScaleForDpi(height), parent, nullptr, ::GetModuleHandleA(nullptr),
        nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, static_cast<LONG_PTR>(edge));
}

Panel::~Panel()
{
    if (::IsWindow(handle_))
        ::DestroyWindow(handle_);
}

LRESULT CALLBACK Panel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        RECT r;
        ::GetClientRect(window, &r);
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
        const auto edge = static_cast<UINT>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        ::DrawEdge(dc, &r, edge ? edge : BDR_RAISEDOUTER, BF_RECT);
        ::EndPaint(window, &ps);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

Picture::Picture(HWND parent)
{
    EnsureWindowClass(kPictureClass, WindowProc);
    RECT r;
    ::GetClientRect(parent, &r);
    handle_ = ::CreateWindowExA(0, kPictureClass, "", WS_CHILD | WS_VISIBLE, 1, 1, r.right - 2, r.bottom - 2, parent,
        nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Picture::Picture(HWND parent, int left, int top, int width, int height)
{
    EnsureWindowClass(kPictureClass, WindowProc);
    handle_ = ::CreateWindowExA(0, kPictureClass, "", WS_CHILD | WS_VISIBLE, ScaleForDpi(left), ScaleForDpi(top),
        ScaleForDpi(width), ScaleForDpi(height), parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Picture::~Picture()
{
    if (tooltip_)
        ::DestroyWindow(tooltip_);
    if (::IsWindow(handle_)) {
        ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
    if (bitmap_)
        ::DeleteObject(bitmap_);
}

void Picture::SetBitmap(HBITMAP bitmap)
{
    if (bitmap_)
        ::DeleteObject(bitmap_);
    bitmap_ = bitmap;
    ::InvalidateRect(handle_, nullptr, TRUE);
}

void Picture::SetHint(const std::string& hint)
{
    hint_ = hint;
    if (!tooltip_) {
        tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    TTTOOLINFOA tool {};
    // The pre-Vista record size keeps the tooltip working with either comctl32.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = hint_.data();
    ::SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Picture::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(handle_, &ps);
    RECT r;
    ::GetClientRect(handle_, &r);
    if (bitmap_) {
        BITMAP info;
        ::GetObjectA(bitmap_, sizeof info, &info);
        HDC memory = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(memory, bitmap_);
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    } else {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::EndPaint(handle_, &ps);
}

LRESULT CALLBACK Picture::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* picture = reinterpret_cast<Picture*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (picture && message == WM_PAINT) {
        picture->Paint();
        return 0;
    }
    if (message == WM_ERASEBKGND && picture && picture->bitmap_)
        return 1;
    return ::DefWindowProcA(window, message, wParam, lParam);
}

Label::Label(HWND parent, int left, int top, int width, int height, const std::string& caption)
{
    EnsureWindowClass(kLabelClass, WindowProc, CS_DBLCLKS);
    handle_
        = ::CreateWindowExA(0, kLabelClass, caption.c_str(), WS_CHILD | WS_VISIBLE, ScaleForDpi(left), ScaleForDpi(top),
            ScaleForDpi(width), ScaleForDpi(height), parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Label::~Label()
{
    if (tooltip_)
        ::DestroyWindow(tooltip_);
    if (::IsWindow(handle_)) {
        ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
    if (ownFont_)
        ::DeleteObject(ownFont_);
}

std::string Label::Caption() const
{
    const int length = ::GetWindowTextLengthA(handle_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(handle_, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void Label::SetCaption(const std::string& caption)
{
    ::SetWindowTextA(handle_, caption.c_str());
    ::InvalidateRect(handle_, nullptr, TRUE);
}

void Label::SetFont(const char* face, int height, BYTE charset, bool underline)
{
    HFONT font = ::CreateFontA(-ScaleForDpi(height), 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE, FALSE,
        charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    UseFont(font);
    if (ownFont_)
        ::DeleteObject(ownFont_);
    ownFont_ = font;
}

void Label::UseFont(HFONT font)
{
    font_ = font;
    ::InvalidateRect(handle_, nullptr, TRUE);
}

void Label::SetHint(const std::string& hint)
{
    hint_ = hint;
    SetToolTip(handle_, tooltip_, hint_);
}

void Label::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(handle_, &ps);
    RECT r;
    ::GetClientRect(handle_, &r);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    const std::string text = Caption();
    HGDIOBJ old = font_ ? ::SelectObject(dc, font_) : nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
    if (old)
        ::SelectObject(dc, old);
    ::EndPaint(handle_, &ps);
}

LRESULT CALLBACK Label::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* label = reinterpret_cast<Label*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!label)
        return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        label->Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        label->pressed_ = true;
        ::SetCapture(window);
        return 0;
    case WM_LBUTTONDBLCLK:
        ::SetCapture(window);
        if (label->OnDblClick)
            Application::Instance().Guard([label] { label->OnDblClick(); });
        return 0;
    case WM_LBUTTONUP: {
        const bool pressed = label->pressed_;
        label->pressed_ = false;
        if (::GetCapture() == window)
            ::ReleaseCapture();
        RECT r;
        ::GetClientRect(window, &r);
        const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pressed && ::PtInRect(&r, at) && label->OnClick)
            Application::Instance().Guard([label] { label->OnClick(); });
        return 0;
    }
    case WM_CAPTURECHANGED:
        label->pressed_ = false;
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

PushButton::PushButton(
    HWND parent, int left, int top, int width, int height, const std::string& caption, int id, bool isDefault)
    : id_(id)
{
    handle_ = ::CreateWindowExA(0, "BUTTON", caption.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), ScaleForDpi(left),
        ScaleForDpi(top), ScaleForDpi(width), ScaleForDpi(height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    buttonProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PushButton::WindowProc)));
}

PushButton::~PushButton()
{
    if (::IsWindow(handle_)) {
        ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buttonProc_));
        ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        ::DestroyWindow(handle_);
    }
}

bool PushButton::HandleCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != handle_ || HIWORD(wParam) != BN_CLICKED)
        return false;
    if (OnClick)
        OnClick();
    return true;
}

LRESULT CALLBACK PushButton::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* button = reinterpret_cast<PushButton*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!button)
        return ::DefWindowProcA(window, message, wParam, lParam);
    // No dialog manager runs the loop here, so Enter is turned into a click.
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        ::SendMessageA(
            ::GetParent(window), WM_COMMAND, MAKEWPARAM(button->id_, BN_CLICKED), reinterpret_cast<LPARAM>(window));
        return 0;
    }
    if (message == WM_CHAR && wParam == '\r')
        return 0;
    return ::CallWindowProcA(button->buttonProc_, window, message, wParam, lParam);
}
