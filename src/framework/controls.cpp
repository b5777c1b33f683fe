#include "framework/controls.h"

#include "framework/dpi.h"

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
    : edge_(edge)
{
    CreateHandle(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, ScaleForDpi(left), ScaleForDpi(top),
        ScaleForDpi(width), ScaleForDpi(height), parent);
}

LRESULT Panel::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefaultMessage(message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT r;
    ::GetClientRect(Handle(), &r);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(dc, &r, edge_, BF_RECT);
    ::EndPaint(Handle(), &ps);
    return 0;
}

Picture::Picture(HWND parent)
{
    RECT r;
    ::GetClientRect(parent, &r);
    CreateHandle(0, kPictureClass, "", WS_CHILD | WS_VISIBLE, 1, 1, r.right - 2, r.bottom - 2, parent);
}

Picture::Picture(HWND parent, int left, int top, int width, int height)
{
    CreateHandle(0, kPictureClass, "", WS_CHILD | WS_VISIBLE, ScaleForDpi(left), ScaleForDpi(top), ScaleForDpi(width),
        ScaleForDpi(height), parent);
}

Picture::~Picture()
{
    if (tooltip_)
        ::DestroyWindow(tooltip_);
    DestroyHandle();
}

void Picture::SetBitmap(HBITMAP bitmap)
{
    bitmap_.Reset(bitmap);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Picture::SetHint(const std::string& hint)
{
    hint_ = hint;
    if (!tooltip_) {
        tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    TTTOOLINFOA tool {};
    // The pre-Vista record size keeps the tooltip working with either comctl32.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = hint_.data();
    ::SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Picture::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT r;
    ::GetClientRect(Handle(), &r);
    if (bitmap_) {
        BITMAP info;
        ::GetObjectA(bitmap_.Get(), sizeof info, &info);
        MemoryDc memory(::CreateCompatibleDC(dc));
        SelectedObject selected(memory.Get(), bitmap_.Get());
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, 0, 0, r.right, r.bottom, memory.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    } else {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::EndPaint(Handle(), &ps);
}

LRESULT Picture::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    if (message == WM_ERASEBKGND && bitmap_)
        return 1;
    return DefaultMessage(message, wParam, lParam);
}

Label::Label(HWND parent, int left, int top, int width, int height, const std::string& caption)
{
    CreateHandle(0, kLabelClass, caption.c_str(), WS_CHILD | WS_VISIBLE, ScaleForDpi(left), ScaleForDpi(top),
        ScaleForDpi(width), ScaleForDpi(height), parent, CS_DBLCLKS);
}

Label::~Label()
{
    if (tooltip_)
        ::DestroyWindow(tooltip_);
    DestroyHandle();
}

std::string Label::Caption() const
{
    const int length = ::GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void Label::SetCaption(const std::string& caption)
{
    ::SetWindowTextA(Handle(), caption.c_str());
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetFont(const char* face, int height, BYTE charset, bool underline)
{
    GdiObject<HFONT> font(::CreateFontA(-ScaleForDpi(height), 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE,
        FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
    UseFont(font.Get());
    ownFont_ = std::move(font);
}

void Label::UseFont(HFONT font)
{
    font_ = font;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetHint(const std::string& hint)
{
    hint_ = hint;
    SetToolTip(Handle(), tooltip_, hint_);
}

void Label::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    RECT r;
    ::GetClientRect(Handle(), &r);
    // The parent chooses the background and text colour, as it does for the
    // system's static controls: a skinned panel gives its own.
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    HBRUSH background = reinterpret_cast<HBRUSH>(::SendMessageA(
        ::GetParent(Handle()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Handle())));
    ::FillRect(dc, &r, background ? background : ::GetSysColorBrush(COLOR_BTNFACE));
    const std::string text = Caption();
    {
        SelectedObject font(dc, font_ ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX);
    }
    ::EndPaint(Handle(), &ps);
}

LRESULT Label::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        ::SetCapture(Handle());
        return 0;
    case WM_LBUTTONDBLCLK:
        ::SetCapture(Handle());
        if (OnDblClick)
            OnDblClick();
        return 0;
    case WM_LBUTTONUP: {
        const bool pressed = pressed_;
        pressed_ = false;
        if (::GetCapture() == Handle())
            ::ReleaseCapture();
        RECT r;
        ::GetClientRect(Handle(), &r);
        const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (pressed && ::PtInRect(&r, at) && OnClick)
            OnClick();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    default:
        return DefaultMessage(message, wParam, lParam);
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
    subclass_.Install(handle_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return Message(window, message, wParam, lParam);
    });
}

PushButton::~PushButton()
{
    subclass_.Remove();
    if (::IsWindow(handle_))
        ::DestroyWindow(handle_);
}

bool PushButton::HandleCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != handle_ || HIWORD(wParam) != BN_CLICKED)
        return false;
    if (OnClick)
        OnClick();
    return true;
}

LRESULT PushButton::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No dialog manager runs the loop here, so Enter is turned into a click.
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        ::SendMessageA(::GetParent(window), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(window));
        return 0;
    }
    if (message == WM_CHAR && wParam == '\r')
        return 0;
    return WindowSubclass::CallNext(window, message, wParam, lParam);
}
