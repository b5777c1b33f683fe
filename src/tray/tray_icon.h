// The notification-area icon: a hidden window the shell reports mouse activity
// on the icon to, the first-generation icon record registered with the shell,
// the popup menu a right click opens, and hiding the application into the
// tray on minimise.
#pragma once
#include "framework/scoped.h"
#include "framework/window.h"
#include "tray/tray_click_logic.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

class PopupMenu;

// The keys held down when a mouse event happened.
struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// A notification-icon record in its first-generation size (88 bytes in the
// 32-bit program), which every shell since Windows 95 reads: window,
// identifier 0 and flags filled, everything else zero.
NOTIFYICONDATAA FirstGenerationIconRecord(HWND window, UINT flags);

class TTrayIcon {
public:
    using MouseEvent = std::function<void(TTrayIcon* sender, TrayButton button, ShiftState shift, int x, int y)>;
    using MouseMoveEvent = std::function<void(TTrayIcon* sender, ShiftState shift, int x, int y)>;
    using NotifyEvent = std::function<void(TTrayIcon* sender)>;

    TTrayIcon();
    virtual ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Called by the owner once its properties are set: adds the icon when Active.
    void Loaded();

    bool Active() const { return active_; }
    void SetActive(bool active);
    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool autoHide) { autoHide_ = autoHide; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    // The component's own copy of the image; null while it has none.
    HICON Icon() const { return icon_.Get(); }
    void SetIcon(HICON icon);
    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    // The menu tells the component when it is freed; the reference is then cleared.
    void SetPopupMenu(PopupMenu* menu);
    bool UseAppIcon() const { return useAppIcon_; }
    // True copies the application's icon into Icon.
    void SetUseAppIcon(bool use);

    MouseEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseMoveEvent OnMouseMove;
    MouseEvent OnMouseUp;

    HWND NotifyWindow() const { return notifyWindow_.Handle(); }
    bool BalloonCapable() const { return balloonCapable_; }
    bool IconAdded() const { return iconAdded_; }
    unsigned MouseDownFlags() const { return mouseDownFlags_; }
    // The record as last filled for the shell.
    const NOTIFYICONDATAA& IconData() const { return iconData_; }

    // Registered once per process: the shell's "TaskbarCreated" broadcast and
    // the icon's callback message "TrayIconNotify".
    static UINT TaskbarCreatedMessage();
    static UINT TrayCallbackMessage();

    // Minimises the application and hides it with its taskbar button.
    void HideApplication();
    // Shows the application window again, restores it and shows the main form.
    void ShowApplication();
    // Opens the popup menu at (x, y); false when there is none to open.
    bool ShowPopup(int x, int y);
    // Clicks the popup's default item; false when none was clicked.
    bool ClickDefaultItem();

protected:
    virtual void FillIconData();
    // Dispatch points of the mouse events.
    virtual void DblClick();
    virtual void Click(TrayButton button, ShiftState shift, int x, int y);
    virtual void MouseDown(TrayButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseUp(TrayButton button, ShiftState shift, int x, int y);
    // The one call into the shell; tests stand in for the shell here.
    virtual BOOL CallShell(DWORD message, NOTIFYICONDATAA* data);

    void AddIcon();
    void ModifyIcon();
    void DeleteIcon();

private:
    bool HandleMessage(UINT message, LPARAM lParam);
    void HandleCallback(LPARAM mouseMessage);
    void WatchPopupMenu(PopupMenu* menu);

    HandlerWindow notifyWindow_;
    IconHandle icon_; // always a private copy of what it was given
    NOTIFYICONDATAA iconData_ {};
    std::string hint_;
    PopupMenu* popupMenu_ = nullptr;
    int popupWatchId_ = 0;
    int appHookId_ = 0;
    unsigned mouseDownFlags_ = 0;
    bool active_ = true;
    bool autoHide_ = false;
    bool enabled_ = true;
    bool useAppIcon_ = false;
    bool iconAdded_ = false;
    bool balloonCapable_ = false;
    bool destroying_ = false;
    // Handlers run nested message loops that may free the component; what
    // runs after them checks that this token still exists.
    std::shared_ptr<int> lifeToken_ = std::make_shared<int>(0);
};

// SetForegroundWindow on `window` unless it is disabled; with `restore`, a
// visible window that is not maximised is also restored and given the focus.
void BringToForeground(HWND window, bool restore);
// The Shift, Ctrl and Alt keys held down now.
ShiftState CurrentShiftState();
