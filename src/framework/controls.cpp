#include "framework/controls.h"

#include "framework/application.h"
#include "framework/window_class.h"

#include <commctrl.h>

namespace {
const char kPanelClass[] = "TPanel";
const char kPictureClass[] = "TImage";
}

Panel::Panel(HWND parent, int left, int top, int width, int height)
{
    EnsureWindowClass(kPanelClass, WindowProc);
    handle_ = ::CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, ScaleForDpi(left),
                                ScaleForDpi(top), ScaleForDpi(width), ScaleForDpi(height), parent, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
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
        ::DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
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
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    }
    TTTOOLINFOA tool{};
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
