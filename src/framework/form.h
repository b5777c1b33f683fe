// A top-level window with the life cycle of a designed form: created hidden,
// OnCreate run once by its creator, OnShow on each change to visible, OnClose
// deciding what a close request does.
#pragma once
#include "framework/scoped.h"
#include "framework/window.h"

#include <windows.h>

#include <string>

class Form;
class MainMenu;

enum class CloseAction { None, Hide, Free, Minimize };

// Whoever runs the forms (the application): the hidden window that owns them,
// the list of forms, and the end of the run when the main form closes.
class FormHost {
public:
    virtual HWND FormOwner() = 0;
    // The first form added becomes the main form.
    virtual void AddForm(Form* form) = 0;
    virtual void RemoveForm(Form* form) = 0;
    virtual Form* MainForm() const = 0;
    virtual void Terminate() = 0;

protected:
    ~FormHost() = default;
};

class Form : public Window {
public:
    // Bounds are design-time pixels: the size is scaled to the system DPI.
    Form(FormHost& host, const char* className, const std::string& caption, int left, int top, int width, int height);
    ~Form() override;
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    RECT Bounds() const;
    int Left() const { return Bounds().left; }
    int Width() const
    {
        const RECT r = Bounds();
        return r.right - r.left;
    }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible ? Show() : Hide(); }
    void Show();
    void Hide();
    // A close request: asks OnClose, then hides the form or ends the application.
    void Close();
    void SetMainMenu(MainMenu* menu);
    void SetIcon(HICON icon);
    HFONT Font() const { return font_.Get(); }
    // The form's font for its controls (height in design pixels, negative = character height).
    void SetFont(const char* face, int height);
    bool CenterOnFirstShow = true;

    // Runs OnCreate; an exception ends it and goes to the error box, and the
    // program goes on with the form as far as it was set up.
    void RunOnCreate();

protected:
    virtual void DoCreate() { }
    virtual void DoShow() { }
    virtual void DoResize() { }
    virtual void DoClose(CloseAction&) { }
    // Moved to a monitor of another DPI: the notice's wParam, before the
    // window takes its new size and is painted again.
    virtual void DoDpiChanged(WPARAM) { }
    // Messages a form handles itself (hotkeys, copy data, ...); true = handled.
    virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

    LRESULT WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    FormHost& host_;
    GdiObject<HFONT> font_;
    MainMenu* menu_ = nullptr;
    bool visible_ = false;
    bool shownBefore_ = false;
};
