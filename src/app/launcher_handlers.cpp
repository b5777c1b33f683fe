// The main window's "我的程序" handlers: each design step delegates to the
// shortcut-tree component; reload and the folder commands sequence them.
#include "app/unit1.h"

#include "desktops/desktops.h"
#include "framework/application.h"
#include "framework/files.h"
#include "framework/folder_window.h"
#include "framework/menu_loop.h"
#include "framework/os.h"
#include "launcher/live_tree.h"
#include "launcher/popup_menu_prep.h"
#include "launcher/shortcut_menus.h"
#include "launcher/sys_hook_comp.h"
#include "launcher/tree_type_ahead.h"

namespace {
const char kReloadSound[] = "重载我的程序.wav";
const char kMyProgramsFolder[] = "我的程序";
const char kMouseHookFailed[] = "鼠标钩子启动失败，请重新启动程序";

bool SameScreenPoint(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
} // namespace

// ---- Building -------------------------------------------------------------

void TForm1::cenxvkuaijiedongtaiClick(MenuItem*) { ShortcutMenus1->AddPopupShortcuts(MyProgramsDir); }

void TForm1::formmenuwodecenxvdongtaiClick(MenuItem*) { ShortcutMenus1->AddFormShortcuts(MyProgramsDir); }

// ---- Launching ------------------------------------------------------------

void TForm1::menu_cenxvkuaijieClick(MenuItem* sender)
{
    if (!sender)
        return;
    if (RightClickPending) {
        // The mouse hook saw a right button somewhere; it was on this item if
        // the cursor has not moved since.
        RightClickPending = false;
        POINT cursor {};
        if (::GetCursorPos(&cursor) && SameScreenPoint(cursor, HookClickPoint)) {
            const std::string folder = ShortcutMenus1->FolderOf(MyProgramsDir, sender, false);
            if (DirectoryExists(folder))
                OpenFolderWindow(Handle(), folder);
            return;
        }
    }
    ShortcutMenus1->Launch(Handle(), MyProgramsDir, sender, false);
}

void TForm1::formmenu_cenxvkuaijieClick(MenuItem* sender)
{
    if (sender)
        ShortcutMenus1->Launch(Handle(), MyProgramsDir, sender, true);
}

// ---- Reload and folder commands --------------------------------------------

void TForm1::congzaiwodecenxvClick(MenuItem*)
{
    // The user's own reload refreshes every icon, also those of shortcuts
    // whose target changed its icon while the shortcut stayed the same.
    ShortcutMenus1->ForgetIcons();
    RebuildShortcutTrees();

    const std::string sound = SoundDir + "\\" + kReloadSound;
    if (FileExists(sound))
        Os().PlaySoundAsync(sound);
}

void TForm1::RebuildShortcutTrees()
{
    // After a change in the folder only what it changed is made again; the
    // first time, and once the icons were forgotten, everything anew.
    if (ShortcutMenus1->Refresh(MyProgramsDir))
        return;
    ImageList1.Clear();
    if (IconList)
        ImageList1.Assign(*IconList);
    ShortcutMenus1->Rebuild(MyProgramsDir);
}

void TForm1::StartLiveTree()
{
    // Silent, unlike the user's reload: the user did not ask for it.
    LiveTree1 = std::make_unique<LiveTree>(MyProgramsDir, [this] { RebuildShortcutTrees(); });
}

void TForm1::TypeAheadInTrees(bool on)
{
    if (!on) {
        SetMenuCharHandler(nullptr);
        return;
    }
    SetMenuCharHandler([this](HMENU menu, char key, LRESULT& result) {
        const MenuItem* const roots[2] = {menu_cenxvkuaijie, formmenu_wodecenxv};
        return TreeMenuChar(menu, key, roots, result);
    });
}

void TForm1::popup_congzaiwodecenxvClick(MenuItem*) { congzaiwodecenxvClick(nullptr); }

void TForm1::dakaiwodecenxvwenjianjiaClick(MenuItem*)
{
    // Not tested for existence first: Explorer says so itself.
    OpenFolderWindow(Handle(), ProgramDir + "\\" + kMyProgramsFolder);
}

void TForm1::N10Click(MenuItem*) { dakaiwodecenxvwenjianjiaClick(nullptr); }

// ---- Mouse hook ---------------------------------------------------------------

void TForm1::StartMouseHook()
{
    // The hook's own reason is not shown; the user is only told to restart.
    std::string error;
    // The copy beside the program, never one found elsewhere on the search path.
    MouseHook1->SetLibraryFolder(ProgramDir);
    MouseHook1->ActivateHook(error);
    if (!MouseHook1->HookActive()) {
        MouseHook1->DeactivateHook();
        MouseHookStarted = false;
        Application::Instance().ShowMessage(kMouseHookFailed);
    }
}

void TForm1::StopMouseHook() { MouseHook1->DeactivateHook(); }

void TForm1::MouseHook1MouseClick(TMouseHook*, std::uint32_t, int, int, HookMouseButton button, TMouseButtonMovement)
{
    // Where the cursor is now, not where the event was: the tray tree's click
    // handler compares it with the cursor when the menu command arrives.
    if (button == HookMouseButton::Right) {
        RightClickPending = true;
        ::GetCursorPos(&HookClickPoint);
    }
}

// ---- Tray popup ------------------------------------------------------------

void TForm1::PopupMenu1Popup(PopupMenu*)
{
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    sijian->SetCaption(SijianCaption(now, LOCALE_USER_DEFAULT));
    const bool onDefault = TheDesktop().CurrentDesktopName() == kDefaultDesktop;
    morenzuomian->SetChecked(onDefault);
    zuomian2->SetChecked(!onDefault);
}

// Choosing the date-and-time item only closes the popup.
void TForm1::sijianClick(MenuItem*) { }
