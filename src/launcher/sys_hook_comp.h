// The hook components: TSysHook loads the hook library, registers a hidden
// listening window with it and hands the library's notifications to its
// subclass; TMouseHook turns them into mouse events.
#pragma once
#include "framework/window.h"
#include "launcher/hook_notification.h"

#include <windows.h>

#include <functional>
#include <string>

class TSysHook;
class TMouseHook;

using TSysHookUnfilteredEvent
    = std::function<void(TSysHook* sender, int code, WPARAM wParam, LPARAM lParam, bool& handled)>;
using TMouseClickNotifyEvent = std::function<void(TMouseHook* sender, std::uint32_t sourceWindow, int x, int y,
    HookMouseButton button, TMouseButtonMovement movement)>;
using TMouseMoveNotifyEvent = std::function<void(TMouseHook* sender, std::uint32_t sourceWindow, int x, int y)>;

class TSysHook {
public:
    explicit TSysHook(std::string name = std::string());
    // Deactivates first.
    virtual ~TSysHook();
    TSysHook(const TSysHook&) = delete;
    TSysHook& operator=(const TSysHook&) = delete;

    const std::string& Name() const { return name_; }
    bool HookActive() const { return hookActive_; }
    const std::string& HookDLL() const { return hookDll_; }
    bool Option() const { return option_; }
    // The listening window; null while inactive.
    HWND ListeningWindow() const { return listener_.Handle(); }

    // Loads the library, creates the listening window and registers it.
    // `error` gets "" on success or the reason; it is left alone when the
    // hook is already active.
    void ActivateHook(std::string& error);
    // Destroys the listening window and drops the library load; always ends inactive.
    void DeactivateHook();

    TSysHookUnfilteredEvent OnUnfiltered;

    virtual BYTE HookKind() const = 0;
    // The component's name, or its class name when it has none.
    virtual std::string DisplayName() const;
    // Refused with a message box while the hook is active.
    virtual void SetHookDLL(const std::string& name);
    // The folder the library is loaded from by full path; empty: by name
    // through the system's search. Takes effect at the next activation.
    void SetLibraryFolder(const std::string& folder) { libraryFolder_ = folder; }

protected:
    // Handles one notification (message at or above WM_USER); returns the result.
    virtual LRESULT ProcessNotification(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void DoUnfiltered(int code, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual const char* ClassName() const = 0;

private:
    bool CreateListeningWindow();

    std::string name_;
    bool hookActive_ = false;
    std::string hookDll_;
    std::string libraryFolder_;
    bool option_ = false;
    // Passes the library's notifications (WM_USER and above) to the subclass.
    HandlerWindow listener_ {[this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (message < WM_USER)
            return false;
        result = ProcessNotification(message, wParam, lParam);
        return true;
    }};
};

class TMouseHook : public TSysHook {
public:
    using TSysHook::TSysHook;
    ~TMouseHook() override;

    TMouseClickNotifyEvent OnMouseClick;
    TMouseMoveNotifyEvent OnMouseMove;

    BYTE HookKind() const override { return 2; }

protected:
    LRESULT ProcessNotification(UINT message, WPARAM wParam, LPARAM lParam) override;
    const char* ClassName() const override { return "TMouseHook"; }
    virtual void DoMouseClick(
        std::uint32_t sourceWindow, int x, int y, HookMouseButton button, TMouseButtonMovement movement);
    virtual void DoMouseMove(std::uint32_t sourceWindow, int x, int y);
};
