// The few child controls the program's windows are designed with.
#pragma once
#include "framework/scoped.h"
#include "framework/window.h"

#include <windows.h>

#include <string>

// A raised frame around other controls.
class Panel : public Window {
public:
    Panel(HWND parent, int left, int top, int width, int height);

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A bitmap stretched over the control's client area, with an optional tooltip.
class Picture : public Window {
public:
    // Fills the parent's client area inside a one-pixel bevel.
    explicit Picture(HWND parent);
    ~Picture() override;
    // Takes ownership of the bitmap.
    void SetBitmap(HBITMAP bitmap);
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    void SetHint(const std::string& hint);
    const std::string& Hint() const { return hint_; }
protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    HWND tooltip_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    std::string hint_;
};
