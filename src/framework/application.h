// The application object: title and icon, the hidden window that owns the
// taskbar button, the main form, the message loop and the standard error box.
#pragma once
#include "framework/form.h"
#include "framework/window.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class Application : public FormHost {
public:
    static Application& Instance();

    // COM (single-threaded apartment), common controls, the hidden windows.
    void Initialize();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    HICON Icon() const { return icon_; }
    // The icon is not owned; the caller keeps it alive.
    void SetIcon(HICON icon);

    // The hidden application window: owner of the forms and of the taskbar button.
    HWND Handle() const { return window_.Handle(); }
    // The hidden window that owns popup menus and receives their notifications.
    HWND PopupOwner() const { return popupOwner_.Handle(); }

    // Initializes on first use: forms may be created before Initialize.
    HWND FormOwner() override;
    Form* MainForm() const override { return mainForm_; }
    // The first form registered becomes the main form.
    void AddForm(Form* form) override;
    void RemoveForm(Form* form) override;
    bool IsFormWindow(HWND window) const;
    // Whether the active window of this thread is one of the application's forms.
    bool HasActiveForm() const;

    // Shows the main form as the start-up show command asks, then runs the
    // message loop until Terminate.
    void Run();
    void Terminate() override;
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    void Minimize();
    void Restore();

    // Handlers for messages of the application window; a handler returning true
    // has handled the message. Returns an id for RemoveWindowHook.
    using WindowHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    int AddWindowHook(WindowHook hook);
    void RemoveWindowHook(int id);

    // The standard error box: the message (with "." appended by the usual rule),
    // the title as caption, the stop icon and OK.
    void HandleException(const std::exception& error);
    void HandleUnknownException();
    // A plain message box with the title as caption and OK.
    void ShowMessage(const std::string& text);
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

    // Runs `action`, sending any exception to the error box.
    template <class F> void Guard(F&& action) { GuardWindowCall(std::forward<F>(action)); }

private:
    Application();
    bool HandleAppMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    HWND DialogOwner() const;

    std::string title_;
    HICON icon_ = nullptr;
    HandlerWindow window_;
    HandlerWindow popupOwner_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> forms_;
    bool terminated_ = false;
    bool comInitialized_ = false;
    struct Hook {
        int id;
        WindowHook hook;
    };
    std::vector<Hook> hooks_;
    int nextHookId_ = 1;
};
