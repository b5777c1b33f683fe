// The few child controls the program's windows are designed with.
#pragma once
#include "framework/scoped.h"
#include "framework/subclass.h"
#include "framework/window.h"

#include <windows.h>

#include <functional>
#include <string>

// A raised frame around other controls.
class Panel : public Window {
public:
    // `edge` is the bevel, as DrawEdge takes it (outer and inner parts).
    Panel(HWND parent, int left, int top, int width, int height, UINT edge = BDR_RAISEDOUTER);

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UINT edge_;
};

// A bitmap stretched over the control's client area, with an optional tooltip.
class Picture : public Window {
public:
    // Fills the parent's client area inside a one-pixel bevel.
    explicit Picture(HWND parent);
    // At a place of its own in the parent (design pixels).
    Picture(HWND parent, int left, int top, int width, int height);
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

// A fixed-size line of text on the parent's colour that reports clicks. As
// with the designed labels, a double click is a click followed by a double
// click: the second press does not click again.
class Label : public Window {
public:
    Label(HWND parent, int left, int top, int width, int height, const std::string& caption);
    ~Label() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // A font of the label's own (character height in design pixels).
    void SetFont(const char* face, int height, BYTE charset, bool underline = false);
    // A font owned by someone else, usually the parent form.
    void UseFont(HFONT font);
    HFONT Font() const { return font_; }
    void SetHint(const std::string& hint);
    const std::string& Hint() const { return hint_; }

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

protected:
    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    GdiObject<HFONT> ownFont_;
    bool pressed_ = false;
    std::string hint_;
};

// A push button: the system's button class, subclassed (its class is not
// ours, so it cannot be bound at creation). Its parent form passes WM_COMMAND on to HandleCommand; Enter
// on the focused button clicks it as well, the way a default button answers.
class PushButton {
public:
    PushButton(
        HWND parent, int left, int top, int width, int height, const std::string& caption, int id, bool isDefault);
    ~PushButton();
    PushButton(const PushButton&) = delete;
    PushButton& operator=(const PushButton&) = delete;
    HWND Handle() const { return handle_; }
    int Id() const { return id_; }
    // True when the command came from this button (and OnClick ran).
    bool HandleCommand(WPARAM wParam, LPARAM lParam);

    std::function<void()> OnClick;

private:
    LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_;
    int id_;
    WindowSubclass subclass_;
};
