#include "tray/tray_icon.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menu.h"
#include "framework/os.h"

#include <cstring>
#include <vector>

namespace {

const char kNotifyWindowClass[] = "TrayIconNotifyWindow";

// Shell32's major file version; from 5 on the shell shows balloon tips.
bool ShellShowsBalloons()
{
    const ModuleHandle shell(::LoadLibraryA("shell32.dll"));
    if (!shell)
        return false;
    char path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(shell.Get(), path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return false;
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return false;
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(path, 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || !info
        || infoSize < sizeof *info)
        return false;
    return HIWORD(info->dwFileVersionMS) >= 5;
}

// Under Wine a typed key goes to the X window that holds the input focus,
// whichever window is in the foreground, and a hidden window never holds
// it: the open menu would get no key at all (no type-ahead, arrows or Enter)
// while another program kept the focus. So while the menu is open `window`
// shows as one pixel at the menu's point and takes the focus anew (setting
// it again to the window that has it already would not move it).
void TakeKeysForMenu(HWND window, int x, int y)
{
    ::SetWindowPos(window, HWND_TOP, x, y, 1, 1, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::SetFocus(nullptr);
    ::SetFocus(window);
}

void HideAgain(HWND window)
{
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
}

POINT CursorPosition()
{
    POINT point {};
    ::GetCursorPos(&point);
    return point;
}

} // namespace

UINT TTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = ::RegisterWindowMessageA("TaskbarCreated");
    return message;
}

UINT TTrayIcon::TrayCallbackMessage()
{
    static const UINT message = ::RegisterWindowMessageA("TrayIconNotify");
    return message;
}

ShiftState CurrentShiftState()
{
    ShiftState state;
    state.shift = ::GetKeyState(VK_SHIFT) < 0;
    state.ctrl = ::GetKeyState(VK_CONTROL) < 0;
    state.alt = ::GetKeyState(VK_MENU) < 0;
    return state;
}

void BringToForeground(HWND window, bool restore)
{
    if (!::IsWindowEnabled(window))
        return;
    ::SetForegroundWindow(window);
    if (restore && ::IsWindowVisible(window)) {
        if (!::IsZoomed(window))
            ::SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        ::SetFocus(window);
    }
}

TTrayIcon::TTrayIcon()
    : notifyWindow_([this](UINT message, WPARAM, LPARAM lParam, LRESULT&) { return HandleMessage(message, lParam); })
{
    Application& app = Application::Instance();
    app.Initialize();
    // Registered once per process, before any message can arrive.
    TaskbarCreatedMessage();
    TrayCallbackMessage();
    // A hidden top-level window: a message-only window would miss the
    // shell's "TaskbarCreated" broadcast.
    notifyWindow_.Create(WS_EX_TOOLWINDOW, kNotifyWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr);
    iconData_ = FirstGenerationIconRecord(notifyWindow_.Handle(), 0);

    appHookId_ = app.AddWindowHook([this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        // Only the exact command: the system menu's variants carry extra bits.
        if (message == WM_SYSCOMMAND && wParam == SC_MINIMIZE && autoHide_ && active_)
            HideApplication();
        return false; // the normal minimise still follows
    });
    balloonCapable_ = ShellShowsBalloons();
}

TTrayIcon::~TTrayIcon()
{
    destroying_ = true;
    Application::Instance().RemoveWindowHook(appHookId_);
    enabled_ = false;
    DeleteIcon();
    WatchPopupMenu(nullptr);
    notifyWindow_.DestroyHandle();
}

void TTrayIcon::Loaded()
{
    if (active_)
        AddIcon();
}

void TTrayIcon::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (active_)
        AddIcon();
    else
        DeleteIcon();
}

void TTrayIcon::SetHint(const std::string& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    ModifyIcon();
}

void TTrayIcon::SetIcon(HICON icon)
{
    // Copied before the old image goes: `icon` may be that image.
    icon_.Reset(icon ? ::CopyIcon(icon) : nullptr);
    ModifyIcon();
}

void TTrayIcon::SetPopupMenu(PopupMenu* menu)
{
    WatchPopupMenu(menu);
    popupMenu_ = menu;
}

void TTrayIcon::WatchPopupMenu(PopupMenu* menu)
{
    if (popupMenu_ && popupWatchId_)
        popupMenu_->RemoveFreeNotification(popupWatchId_);
    popupWatchId_ = 0;
    if (menu)
        popupWatchId_ = menu->AddFreeNotification([this] {
            popupMenu_ = nullptr;
            popupWatchId_ = 0;
        });
}

void TTrayIcon::SetUseAppIcon(bool use)
{
    useAppIcon_ = use;
    if (useAppIcon_)
        SetIcon(Application::Instance().Icon());
}

NOTIFYICONDATAA FirstGenerationIconRecord(HWND window, UINT flags)
{
    NOTIFYICONDATAA data {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 0;
    data.uFlags = flags;
    return data;
}

void TTrayIcon::FillIconData()
{
    iconData_ = FirstGenerationIconRecord(notifyWindow_.Handle(), NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO);
    iconData_.uCallbackMessage = TrayCallbackMessage();
    iconData_.hIcon = icon_.Get();
    const std::string tip = TrayTipText(hint_);
    std::memcpy(iconData_.szTip, tip.data(), tip.size());
    iconData_.szTip[tip.size()] = '\0';
}

BOOL TTrayIcon::CallShell(DWORD message, NOTIFYICONDATAA* data) { return ::Shell_NotifyIconA(message, data); }

void TTrayIcon::AddIcon()
{
    DeleteIcon();
    if (!icon_.Get())
        return;
    mouseDownFlags_ = 0;
    FillIconData();
    iconAdded_ = CallShell(NIM_ADD, &iconData_) != FALSE;
    // Some shells take the tip only from a modification after the add.
    if (iconAdded_ && !TrayTipText(hint_).empty())
        CallShell(NIM_MODIFY, &iconData_);
}

void TTrayIcon::ModifyIcon()
{
    if (iconAdded_) {
        if (icon_.Get()) {
            FillIconData();
            CallShell(NIM_MODIFY, &iconData_);
        } else {
            DeleteIcon();
        }
    } else if (active_) {
        // Also the retry of an add the shell refused.
        AddIcon();
    }
}

void TTrayIcon::DeleteIcon()
{
    CallShell(NIM_DELETE, &iconData_);
    iconAdded_ = false;
    mouseDownFlags_ = 0;
}

bool TTrayIcon::HandleMessage(UINT message, LPARAM lParam)
{
    if (message == TrayCallbackMessage()) {
        HandleCallback(lParam);
        return true;
    }
    if (message == TaskbarCreatedMessage()) {
        // The shell (re)started and knows no icons: register ours again.
        if (active_)
            AddIcon();
        return true;
    }
    return false;
}

void TTrayIcon::HandleCallback(LPARAM mouseMessage)
{
    const TrayDispatch dispatch = DispatchTrayCallback(mouseDownFlags_, enabled_, static_cast<long>(mouseMessage));
    // Stored before any handler runs: handlers pump messages, and the next
    // callback must see this one's state.
    mouseDownFlags_ = dispatch.mouseDownFlags;
    if (dispatch.events.empty())
        return;
    const ShiftState shift = CurrentShiftState();
    const std::weak_ptr<int> alive = lifeToken_;
    for (const TrayEvent& event : dispatch.events) {
        if (alive.expired())
            return;
        const POINT at = CursorPosition();
        switch (event.kind) {
        case TrayEventKind::MouseMove:
            MouseMove(shift, at.x, at.y);
            break;
        case TrayEventKind::MouseDown:
            MouseDown(event.button, shift, at.x, at.y);
            break;
        case TrayEventKind::MouseUp:
            MouseUp(event.button, shift, at.x, at.y);
            break;
        case TrayEventKind::Click:
            Click(event.button, shift, at.x, at.y);
            break;
        case TrayEventKind::DblClick:
            DblClick();
            break;
        }
    }
}

void TTrayIcon::Click(TrayButton button, ShiftState shift, int x, int y)
{
    if (button == TrayButton::Right && ShowPopup(x, y))
        return;
    if (OnClick)
        OnClick(this, button, shift, x, y);
}

void TTrayIcon::DblClick()
{
    if (ClickDefaultItem())
        return;
    if (OnDblClick)
        OnDblClick(this);
}

void TTrayIcon::MouseDown(TrayButton button, ShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::MouseMove(ShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TTrayIcon::MouseUp(TrayButton button, ShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

bool TTrayIcon::ShowPopup(int x, int y)
{
    if (!active_ || !popupMenu_ || !popupMenu_->AutoPopup())
        return false;
    Application& app = Application::Instance();
    // Open menus close and mouse capture ends before ours opens.
    if (!destroying_ && app.HasActiveForm() && app.MainForm())
        ::SendMessageA(app.MainForm()->Handle(), WM_CANCELMODE, 0, 0);
    // The menu closes again on a click elsewhere only when a window of ours
    // is in the foreground while it tracks.
    BringToForeground(notifyWindow_.Handle(), false);
    const std::weak_ptr<int> alive = lifeToken_;
    app.ProcessMessages();
    if (alive.expired())
        return true;
    const bool wine = SystemIsWine();
    if (wine)
        TakeKeysForMenu(notifyWindow_.Handle(), x, y);
    if (popupMenu_)
        popupMenu_->Popup(x, y, app.PopupOwner());
    if (alive.expired())
        return true;
    if (wine)
        HideAgain(notifyWindow_.Handle());
    BringToForeground(notifyWindow_.Handle(), false);
    return true;
}

bool TTrayIcon::ClickDefaultItem()
{
    if (!active_ || !popupMenu_)
        return false;
    // Our menu items carry no default mark (no menu of the program has a
    // default item), so there is never one to click.
    return false;
}

void TTrayIcon::HideApplication()
{
    Application& app = Application::Instance();
    Form* main = app.MainForm();
    if (main && !::IsIconic(main->Handle())) {
        app.Minimize();
        main->Hide();
    }
    // The taskbar button belongs to the application window.
    ::ShowWindow(app.Handle(), SW_HIDE);
}

void TTrayIcon::ShowApplication()
{
    Application& app = Application::Instance();
    ::ShowWindow(app.Handle(), SW_SHOW);
    app.Restore();
    if (Form* main = app.MainForm())
        main->Show();
}
