#include "framework/controls.h"

#include "framework/application.h"

#include <commctrl.h>

namespace {
const char kPanelClass[] = "TPanel";
const char kPictureClass[] = "TImage";
}

Panel::Panel(HWND parent, int left, int top, int width, int height)
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
    ::DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
    ::EndPaint(Handle(), &ps);
    return 0;
}

Picture::Picture(HWND parent)
{
    RECT r;
    ::GetClientRect(parent, &r);
    CreateHandle(0, kPictureClass, "", WS_CHILD | WS_VISIBLE, 1, 1, r.right - 2, r.bottom - 2, parent);
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
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    }
    TTTOOLINFOA tool{};
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
