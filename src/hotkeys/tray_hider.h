// Hiding and restoring the notification-area buttons of other programs: the
// shell's toolbar is found by its window classes, each button's text is read
// through a block reserved in the shell's process, and buttons are hidden or
// shown with the toolbar's own hide message.
#pragma once
#include "hotkeys/tray_hide_logic.h"
#include "hotkeys/tray_shell_access.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The shell's process opened and one block reserved in it, for one pass or
// one lookup; both are given back when the session ends.
class TrayToolbarSession {
public:
    TrayToolbarSession(TrayShellAccess& access, HWND toolbar, TrayProtocol protocol);
    ~TrayToolbarSession();
    TrayToolbarSession(const TrayToolbarSession&) = delete;
    TrayToolbarSession& operator=(const TrayToolbarSession&) = delete;

    // False when the process could not be opened or the block not reserved:
    // then no message that makes the shell write through a pointer is sent.
    bool Ready() const { return block_ != nullptr; }
    // The number of buttons (or tab items); 0 when not ready.
    int Count();
    // Button `position`'s text, at most 1024 bytes; "" when not ready or
    // when the button is gone.
    std::string ReadText(int position);

private:
    std::string ReadToolbarText(int position);
    std::string ReadTabText(int position);
    std::string ReadBack(std::size_t offset);
    char* At(std::size_t offset) const { return static_cast<char*>(block_) + offset; }

    TrayShellAccess& access_;
    HWND toolbar_;
    TrayProtocol protocol_;
    HANDLE process_ = nullptr;
    void* block_ = nullptr;
    TrayBlockLayout layout_ {};
    bool shell64_ = false;
};

// What a pass needs from its owner.
struct TrayPassContext {
    unsigned majorVersion = 0; // the Windows version chooses how buttons are read
    unsigned minorVersion = 0;
    std::function<void(bool active)> setOwnIconActive; // the program's own tray icon off / on
    std::function<void()> refreshTray; // adds and deletes a temporary icon
};

class TrayHider {
public:
    // Null uses the system's own calls.
    explicit TrayHider(std::unique_ptr<TrayShellAccess> access = nullptr);

    // The shell's own toolbar holding the notification buttons (the whole
    // chain below Shell_TrayWnd, in its process), or null.
    HWND FindTrayToolbar();
    // Sets TrayButtonIndex to the position of the first button whose text
    // equals `text` (ASCII case aside), counted from the end; -1 when none.
    int LocateTrayButton(const std::string& text, unsigned majorVersion, unsigned minorVersion);
    int TrayButtonIndex() const { return trayButtonIndex_; }

    // Hides every button but the program's own icon. Reads each text once and
    // sends the toolbar the same hide messages and tray refreshes as a lookup
    // per button would.
    void HidingPass(const TrayPassContext& context);
    // Shows the buttons again, and then whatever the last hiding pass hid
    // that the per-button show messages left hidden.
    void RestoringPass(const TrayPassContext& context);
    // Identifiers the last hiding pass hid and no restoring pass showed since.
    const std::vector<int>& HiddenIds() const { return hiddenIds_; }

    TrayShellAccess& Access() { return *access_; }

private:
    std::vector<std::string> ReadAllTexts(TrayToolbarSession& session, int count);
    void SendHide(HWND toolbar, int id, bool hide);

    std::unique_ptr<TrayShellAccess> access_;
    int trayButtonIndex_ = -1;
    std::vector<int> hiddenIds_;
};
