// The few child controls the program's windows are designed with.
#pragma once
#include <windows.h>

#include <string>

// A raised frame around other controls.
class Panel {
public:
    Panel(HWND parent, int left, int top, int width, int height);
    ~Panel();
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    HWND Handle() const { return handle_; }
private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_;
};

// A bitmap stretched over the control's client area, with an optional tooltip.
class Picture {
public:
    // Fills the parent's client area inside a one-pixel bevel.
    explicit Picture(HWND parent);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    HWND Handle() const { return handle_; }
    // Takes ownership of the bitmap.
    void SetBitmap(HBITMAP bitmap);
    HBITMAP Bitmap() const { return bitmap_; }
    void SetHint(const std::string& hint);
    const std::string& Hint() const { return hint_; }
private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    HWND handle_;
    HWND tooltip_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    std::string hint_;
};
