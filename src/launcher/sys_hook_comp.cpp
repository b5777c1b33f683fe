#include "launcher/sys_hook_comp.h"

#include "framework/os.h"
#include "launcher/sys_hook_loader.h"

namespace {
const char kListeningWindowClass[] = "TSysHookListener";
const char kNoDllName[] = "Cannot activate hook because DLL name is not set.";
const char kNoListeningWindow[] = "Failed to create listening window.";
const char kNameWhileActive[] = "DLL name cannot be set while hook is active!";
} // namespace

// ---- TSysHook -----------------------------------------------------------------

TSysHook::TSysHook(std::string name)
    : name_(std::move(name))
{
}

TSysHook::~TSysHook() { DeactivateHook(); }

std::string TSysHook::DisplayName() const { return name_.empty() ? ClassName() : name_; }

void TSysHook::SetHookDLL(const std::string& name)
{
    if (hookActive_) {
        Os().ShowMessageBox(nullptr, kNameWhileActive, DisplayName(), MB_OK | MB_ICONERROR);
        return;
    }
    hookDll_ = name;
}

void TSysHook::DoUnfiltered(int code, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (OnUnfiltered)
        OnUnfiltered(this, code, wParam, lParam, handled);
}

bool TSysHook::CreateListeningWindow()
{
    // A message-only window where the system has them (2000 and later): it
    // gets no broadcasts, whose registered message numbers would otherwise
    // read as hook notifications. 9x gets a hidden top-level window.
    return listener_.Create(0, kListeningWindowClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE)
        || listener_.Create(WS_EX_TOOLWINDOW, kListeningWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr);
}

void TSysHook::ActivateHook(std::string& error)
{
    if (hookActive_)
        return;
    if (hookDll_.empty()) {
        error = kNoDllName;
        return;
    }
    int result = LoadHookDLL(libraryFolder_.empty() ? hookDll_ : libraryFolder_ + "\\" + hookDll_);
    if (result != 0) {
        error = HookErrorText(result);
        return;
    }
    if (!CreateListeningWindow()) {
        UnloadHookDLL();
        error = kNoListeningWindow;
        return;
    }
    result = HookAttachReceiver()(HookKind(), listener_.Handle(), option_);
    if (result != 0) {
        listener_.DestroyHandle();
        UnloadHookDLL();
        error = HookErrorText(result);
        return;
    }
    error.clear();
    hookActive_ = true;
}

void TSysHook::DeactivateHook()
{
    if (!hookActive_)
        return;
    // The library drops a receiver whose window is gone; it is not told.
    listener_.DestroyHandle();
    UnloadHookDLL();
    hookActive_ = false;
}

// ---- TMouseHook ---------------------------------------------------------------

TMouseHook::~TMouseHook()
{
    // While this part still exists, so no notification reaches a half-gone object.
    DeactivateHook();
}

LRESULT TMouseHook::ProcessNotification(UINT message, WPARAM wParam, LPARAM lParam)
{
    MouseNotificationEvents events;
    events.unfiltered = [this](int code, std::uintptr_t w, std::intptr_t l, bool& handled) {
        DoUnfiltered(code, static_cast<WPARAM>(w), static_cast<LPARAM>(l), handled);
    };
    events.move = [this](std::uint32_t source, int x, int y) { DoMouseMove(source, x, y); };
    events.click = [this](std::uint32_t source, int x, int y, HookMouseButton button, TMouseButtonMovement movement) {
        DoMouseClick(source, x, y, button, movement);
    };
    return static_cast<LRESULT>(DispatchMouseNotification(message, wParam, lParam, events));
}

void TMouseHook::DoMouseClick(
    std::uint32_t sourceWindow, int x, int y, HookMouseButton button, TMouseButtonMovement movement)
{
    if (OnMouseClick)
        OnMouseClick(this, sourceWindow, x, y, button, movement);
}

void TMouseHook::DoMouseMove(std::uint32_t sourceWindow, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, sourceWindow, x, y);
}
